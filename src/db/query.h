#pragma once
// A named query object of the data module. Its statement, result and
// current row are shared by every screen that uses it: whatever the last
// user left there. Grids bind to a query and follow its changes.

#include "db/connection.h"
#include "db/result.h"
#include "db/value.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>

namespace db {

class Query;

// A column of the current row, read by name.
class Field {
public:
    Field(const Query& q, int col) : q_(&q), col_(col) {}
    bool isNull() const;
    QString asString() const;
    double asFloat() const;
    QDate asDate() const;
    bool asBoolean() const;

private:
    const Query* q_;
    int col_;
};

class Query {
public:
    enum class Change { Opened, Closed, RowMoved, Sorted };
    using Listener = std::function<void(Change)>;

    Query(Connection& conn, QString name, QString initialSql = {});
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    const QString& name() const { return name_; }

    // Setting the statement closes the query first.
    void setSql(const QString& sql, Params params = {});
    const QString& sql() const { return sql_; }
    const Params& params() const { return params_; }

    void open();      // runs the statement and fetches every row; current row = first
    qint64 execSql(); // runs the statement for its effect; returns rows changed
    void close();
    bool active() const { return active_; }

    // Convenience: close, set, open / execute.
    void openWith(const QString& sql, Params params = {});
    qint64 execWith(const QString& sql, Params params = {});

    qsizetype recordCount() const { return active_ ? result_.rowCount() : 0; }
    // first() sets bof; next() from the last row moves past the end, where
    // eof is set and every field reads as NULL; last() stays on the last row
    // and sets eof, as the form library's datasets do. A closed query is at
    // eof and bof.
    void first();
    void next();
    void prior();
    void last();
    void moveTo(qsizetype row);
    bool eof() const;
    bool bof() const;
    qsizetype recNo() const { return row_; }   // 0-based current row

    // Throws db::Error "<query name>: 字段 '<name>' 不存在" when the column is
    // unknown or the query is closed. On an empty result every field is NULL.
    Field fieldByName(const QString& column) const;

    const Result& result() const { return result_; }
    // Reorders the rows (Result::sortBy) and goes to the first row.
    void sortBy(int col, bool ascending);

    int addListener(Listener listener);
    void removeListener(int id);

private:
    friend class Field;
    void notify(Change change);

    Connection& conn_;
    QString name_;
    QString sql_;
    Params params_;
    Result result_;
    bool active_ = false;
    qsizetype row_ = 0;
    bool eof_ = true;
    bool bof_ = true;
    int nextListenerId_ = 1;
    std::map<int, Listener> listeners_;
};

// Runs a statement on the query and returns one column of every row as text,
// in the order the database returns them; the query is closed afterwards.
QStringList readColumn(Query& query, const QString& sql, const QString& column, Params params = {});

}  // namespace db
