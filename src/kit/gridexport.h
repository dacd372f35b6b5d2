#pragma once
// The "EXCEL" button of the list screens: asks for a file and a type, and
// writes every row of a grid's current result to it with the grid's columns.

#include "kit/export.h"
#include "kit/shell.h"

#include <QString>
#include <vector>

namespace kit {

class DataGrid;

// The file types of the export dialog, in the order of ExportFormat.
std::vector<FileFilter> exportFilters();

// The grid's current result (in its current order) with its shown columns,
// read in place.
ExportTable exportTable(const DataGrid& grid);

// Opens the save dialog with the five types (the workbook preselected);
// cancelled: nothing happens. Otherwise the type's extension is added to the
// name when it lacks it, the file is written and the message is shown. A
// file that cannot be written is reported, naming the file and the reason.
void exportGrid(Shell& shell, const DataGrid& grid, const QString& defaultName,
                const QString& doneMessage = QStringLiteral("导出数据成功！"),
                const QString& doneCaption = QStringLiteral("提示"));

}  // namespace kit
