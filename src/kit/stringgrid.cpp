#include "kit/stringgrid.h"

#include "kit/form.h"

namespace kit {

StringGrid::StringGrid(Form& form, QString name, int cols, int rows) : Control(form, std::move(name)), cols_(0), rows_(0) {
    setColCount(cols);
    setRowCount(rows);
}

void StringGrid::setColCount(int n) {
    std::vector<QString> cells(std::size_t(n) * rows_);
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < std::min(n, cols_); ++c) cells[std::size_t(r) * n + c] = cells_[std::size_t(r) * cols_ + c];
    cells_ = std::move(cells);
    cols_ = n;
    widths_.resize(n, 64);
    editors_.resize(n, Editor::Text);
    filters_.resize(n, KeyFilter::Any);
    changed();
}

void StringGrid::setRowCount(int n) {
    cells_.resize(std::size_t(n) * cols_);
    rows_ = n;
    if (row_ >= rows_) row_ = std::max(fixedRows, rows_ - 1);
    changed();
}

QString StringGrid::cell(int col, int row) const {
    if (col < 0 || col >= cols_ || row < 0 || row >= rows_) return {};
    return cells_[std::size_t(row) * cols_ + col];
}

void StringGrid::setCell(int col, int row, const QString& text) {
    if (col < 0 || col >= cols_ || row < 0 || row >= rows_) return;
    cells_[std::size_t(row) * cols_ + col] = text;
    changed();
}

void StringGrid::clearColumn(int col) {
    for (int r = fixedRows; r < rows_; ++r) setCell(col, r, QString());
}

void StringGrid::setColWidth(int col, int px) {
    if (col >= 0 && col < cols_) widths_[col] = px;
    changed();
}

int StringGrid::colWidth(int col) const { return col >= 0 && col < cols_ ? widths_[col] : 0; }

void StringGrid::setEditor(int col, Editor e) {
    if (col >= 0 && col < cols_) editors_[col] = e;
}

StringGrid::Editor StringGrid::editor(int col) const {
    if (col < fixedCols || col >= cols_) return Editor::None;
    return editors_[col];
}

KeyFilter StringGrid::keyFilter(int col) const { return col >= 0 && col < cols_ ? filters_[col] : KeyFilter::Any; }

void StringGrid::setKeyFilter(int col, KeyFilter f) {
    if (col >= 0 && col < cols_) filters_[col] = f;
}

bool StringGrid::selectCell(int col, int row) {
    if (col < fixedCols || col >= cols_ || row < fixedRows || row >= rows_) return false;
    bool allow = true;
    if (onSelectCell) form().run([&] { onSelectCell(col, row, allow); });
    if (!allow) return false;
    col_ = col;
    row_ = row;
    changed();
    return true;
}

QStringList StringGrid::comboList(int col, int row) {
    QStringList items;
    if (onComboList) form().run([&] { onComboList(col, row, items); });
    return items;
}

bool StringGrid::editCell(int col, int row, const QString& text) {
    if (!enabled() || editor(col) == Editor::None || row < fixedRows || row >= rows_) return false;
    if (!(col == col_ && row == row_) && !selectCell(col, row)) return false;
    if (editor(col) == Editor::Combo) comboList(col, row);   // opening the editor refills its list
    QString accepted;
    for (QChar ch : text)
        if (keyAccepted(keyFilter(col), ch)) accepted.append(ch);
    setCell(col, row, accepted);
    if (onCellEdited) form().run([&] { onCellEdited(col, row); });
    return true;
}

void StringGrid::doubleClick(int col, int row) {
    if (onDoubleClick) form().run([&] { onDoubleClick(col, row); });
}

}  // namespace kit
