#include "kit/gridexport.h"

#include "db/query.h"
#include "kit/datagrid.h"

#include <QDir>

namespace kit {

std::vector<FileFilter> exportFilters() {
    return {{QStringLiteral("文本"), QStringLiteral("*.TXT")},
            {QStringLiteral("CSV"), QStringLiteral("*.CSV")},
            {QStringLiteral("HTLM"), QStringLiteral("*.HTM")},
            {QStringLiteral("RTF"), QStringLiteral("*.RTF")},
            {QStringLiteral("XLS"), QStringLiteral("*.XLS")}};
}

ExportTable exportTable(const DataGrid& grid) {
    const db::Query& query = grid.query();
    const db::Result& result = query.result();
    ExportTable table;
    std::vector<std::pair<int, bool>> fields;   // result column, yes/no
    for (const DataGrid::Column& c : grid.shownColumns()) {
        table.titles << c.title;
        fields.emplace_back(result.columnIndex(c.field), c.yesNo);
    }
    table.rows = query.recordCount();
    // The file holds what the grid shows.
    table.cell = [&result, fields = std::move(fields)](qsizetype row, int col) {
        const auto& [f, yesNo] = fields[size_t(col)];
        return DataGrid::cellText(result, row, f, yesNo);
    };
    return table;
}

void exportGrid(Shell& shell, const DataGrid& grid, const QString& defaultName, const QString& doneMessage,
                const QString& doneCaption) {
    FileDialog dialog;
    dialog.defaultName = defaultName;
    dialog.filters = exportFilters();
    dialog.selectedFilter = int(ExportFormat::Xls);
    dialog.confirmOverwrite = true;
    const auto choice = shell.saveFile(dialog);
    if (!choice || choice->path.isEmpty()) return;

    const QString path = withExportExtension(choice->path, choice->filter);
    try {
        writeExportFile(exportFormatForType(choice->filter), exportTable(grid), path);
    } catch (const ExportError& e) {
        shell.message(QStringLiteral("导出数据失败！\n文件：%1\n原因：%2").arg(QDir::toNativeSeparators(e.path()), e.reason()),
                      QStringLiteral("错误"), Icon::Error);
        return;
    }
    shell.message(doneMessage, doneCaption, Icon::Information);
}

}  // namespace kit
