#pragma once
// An editable grid of texts with fixed title rows/columns and a cell editor
// chosen per column: none, plain text, or a combo box whose list is refilled
// each time the editor opens.

#include "kit/control.h"
#include "kit/types.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kit {

class StringGrid : public Control {
public:
    enum class Editor { None, Text, Combo };

    StringGrid(Form& form, QString name, int cols, int rows);

    int colCount() const { return cols_; }
    int rowCount() const { return rows_; }
    void setColCount(int n);
    void setRowCount(int n);
    int fixedRows = 1;
    int fixedCols = 1;
    bool rowSelect = false;

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);   // no events
    void clearColumn(int col);   // the data rows; the title rows stay

    void setColWidth(int col, int px);
    int colWidth(int col) const;
    int defaultRowHeight = 20;
    Align cellAlign = Align::Center;

    void setEditor(int col, Editor e);
    Editor editor(int col) const;
    KeyFilter keyFilter(int col) const;
    void setKeyFilter(int col, KeyFilter f);

    int col() const { return col_; }
    int row() const { return row_; }

    // Operator: selects a cell (onSelectCell may refuse by setting allow=false).
    bool selectCell(int col, int row);
    // Operator: opens the cell's editor (the combo list is refilled through
    // onComboList), replaces the cell's text by the typed one and closes the
    // editor (onCellEdited). Returns false when the cell is not editable.
    bool editCell(int col, int row, const QString& text);
    // The list the combo editor shows for a cell (refilled each time).
    QStringList comboList(int col, int row);
    void doubleClick(int col, int row);

    std::function<void(int col, int row, bool& allow)> onSelectCell;
    std::function<void(int col, int row, QStringList& items)> onComboList;
    std::function<void(int col, int row)> onCellEdited;
    std::function<void(int col, int row)> onDoubleClick;

private:
    int cols_;
    int rows_;
    std::vector<QString> cells_;      // row-major
    std::vector<int> widths_;
    std::vector<Editor> editors_;
    std::vector<KeyFilter> filters_;
    int col_ = 1;
    int row_ = 1;
};

}  // namespace kit
