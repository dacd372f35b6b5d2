#pragma once
// A read-only grid over a query of the data module. It shows the query's
// current result in place (no copy), follows its current row, sorts by a
// click on a column title and shows a footer row.

#include "kit/control.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace db {
class Query;
class Result;
}

namespace kit {

class DataGrid : public Control {
public:
    struct Column {
        QString field;        // column of the result
        QString title;        // shown in the title row; empty = the field name
        int width = 0;        // pixels; 0 = fitted
        Align align = Align::Center;
        bool yesNo = false;   // shown as 是/否 (set for the schema's yes/no columns)
    };

    enum class TitleClick {
        None,        // nothing happens
        MarkOnly,    // the column is marked, the rows keep their order
        Sort,        // sorts by the column; further titles add sort levels
    };

    DataGrid(Form& form, QString name, db::Query& query);
    ~DataGrid() override;

    db::Query& query() const { return query_; }

    // No columns given: every column of the result, titled by its name.
    void setColumns(std::vector<Column> columns);
    const std::vector<Column>& columns() const { return columns_; }
    // The columns shown now (the given ones, or the result's own).
    std::vector<Column> shownColumns() const;
    // The text a cell shows: a yes/no column reads 是 or 否.
    static QString cellText(const db::Result& result, qsizetype row, int resultColumn, bool yesNo);

    bool rowSelect = false;               // whole rows are selected
    TitleClick titleClick = TitleClick::Sort;

    // Footer row: one text per shown column (empty = blank); no footer when empty.
    void setFooter(QStringList texts);
    const QStringList& footer() const { return footer_; }
    QString footerColor = QStringLiteral("yellow");

    // Sort levels, first = most significant: shown column index and direction.
    struct SortLevel {
        int column;
        bool ascending;
    };
    const std::vector<SortLevel>& sortLevels() const { return sortLevels_; }
    int markedColumn() const { return marked_; }

    // Operator actions.
    void clickTitle(int shownColumn);   // a click on a column title
    void selectRow(qsizetype row);      // moves the query's current row
    void doubleClick(qsizetype row);
    // The find dialog: the first row at or after the current one (wrapping
    // round) whose cell in the given shown column contains the text
    // (case-insensitive); -1 searches every column. Returns the row or -1.
    qsizetype find(const QString& text, int shownColumn = -1);

    std::function<void()> onDoubleClick;
    std::function<void()> onRowChanged;

private:
    void applySort();

    db::Query& query_;
    int listenerId_ = 0;
    std::vector<Column> columns_;
    QStringList footer_;
    std::vector<SortLevel> sortLevels_;
    int marked_ = -1;
};

}  // namespace kit
