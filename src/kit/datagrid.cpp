#include "kit/datagrid.h"

#include "db/query.h"
#include "db/schema.h"
#include "kit/form.h"

#include <algorithm>

namespace kit {

DataGrid::DataGrid(Form& form, QString name, db::Query& query) : Control(form, std::move(name)), query_(query) {
    listenerId_ = query_.addListener([this](db::Query::Change change) {
        if (change == db::Query::Change::Opened && !sortLevels_.empty()) {
            applySort();   // a new result is shown in the order the titles ask for
            return;
        }
        changed();
        if (change == db::Query::Change::RowMoved && onRowChanged) this->form().run(onRowChanged);
    });
}

DataGrid::~DataGrid() { query_.removeListener(listenerId_); }

void DataGrid::setColumns(std::vector<Column> columns) {
    columns_ = std::move(columns);
    sortLevels_.clear();
    marked_ = -1;
    changed();
}

std::vector<DataGrid::Column> DataGrid::shownColumns() const {
    std::vector<Column> out = columns_;
    if (out.empty())
        for (const QString& name : query_.result().columnNames()) out.push_back(Column{name, name});
    for (Column& c : out) {
        if (c.title.isEmpty()) c.title = c.field;
        if (db::isYesNoColumn(c.field)) c.yesNo = true;
    }
    return out;
}

QString DataGrid::cellText(const db::Result& result, qsizetype row, int resultColumn, bool yesNo) {
    if (resultColumn < 0) return QString();
    if (yesNo) return result.yesNo(row, resultColumn) ? QStringLiteral("是") : QStringLiteral("否");
    return result.text(row, resultColumn);
}

void DataGrid::setFooter(QStringList texts) {
    footer_ = std::move(texts);
    changed();
}

void DataGrid::clickTitle(int shownColumn) {
    const auto cols = shownColumns();
    if (shownColumn < 0 || shownColumn >= int(cols.size())) return;
    switch (titleClick) {
    case TitleClick::None:
        return;
    case TitleClick::MarkOnly:
        marked_ = shownColumn;
        changed();
        return;
    case TitleClick::Sort: {
        auto it = std::find_if(sortLevels_.begin(), sortLevels_.end(),
                               [&](const SortLevel& l) { return l.column == shownColumn; });
        if (it != sortLevels_.end()) it->ascending = !it->ascending;
        else sortLevels_.push_back(SortLevel{shownColumn, true});
        form().run([this] { applySort(); });
        return;
    }
    }
}

void DataGrid::applySort() {
    if (query_.active()) {
        const auto cols = shownColumns();
        // Stable sorts from the least to the most significant level give the
        // order of all levels at once.
        for (auto it = sortLevels_.rbegin(); it != sortLevels_.rend(); ++it) {
            if (it->column >= int(cols.size())) continue;   // a new result with fewer columns
            const int col = query_.result().columnIndex(cols[it->column].field);
            if (col >= 0) query_.sortBy(col, it->ascending);
        }
    }
    changed();
}

void DataGrid::selectRow(qsizetype row) {
    if (!query_.active() || row < 0 || row >= query_.recordCount()) return;
    query_.moveTo(row);
}

void DataGrid::doubleClick(qsizetype row) {
    selectRow(row);
    if (onDoubleClick) form().run(onDoubleClick);
}

qsizetype DataGrid::find(const QString& text, int shownColumn) {
    const qsizetype n = query_.recordCount();
    if (n == 0 || text.isEmpty()) return -1;
    const auto cols = shownColumns();
    std::vector<std::pair<int, bool>> fields;   // result column, yes/no
    for (int i = 0; i < int(cols.size()); ++i)
        if (shownColumn < 0 || shownColumn == i)
            fields.emplace_back(query_.result().columnIndex(cols[i].field), cols[i].yesNo);
    const db::Result& r = query_.result();
    for (qsizetype step = 1; step <= n; ++step) {
        const qsizetype row = (query_.recNo() + step) % n;
        for (const auto& [f, yesNo] : fields) {
            // The text the grid shows is what the operator searches.
            if (f >= 0 && cellText(r, row, f, yesNo).contains(text, Qt::CaseInsensitive)) {
                query_.moveTo(row);
                return row;
            }
        }
    }
    return -1;
}

}  // namespace kit
