#include "db/query.h"

#include "db/error.h"

#include <algorithm>
#include <vector>

namespace db {

// ---- Field -------------------------------------------------------------

namespace {
// The row a field reads, or -1 when there is none (closed, empty, past the end).
qsizetype currentRow(const Query& q)
{
    if (!q.active() || q.recNo() < 0 || q.recNo() >= q.recordCount())
        return -1;
    return q.recNo();
}
}  // namespace

bool Field::isNull() const
{
    const qsizetype row = currentRow(*q_);
    return row < 0 || q_->result().isNull(row, col_);
}

QString Field::asString() const
{
    const qsizetype row = currentRow(*q_);
    return row < 0 ? QString() : q_->result().text(row, col_);
}

double Field::asFloat() const
{
    const qsizetype row = currentRow(*q_);
    return row < 0 ? 0.0 : q_->result().number(row, col_);
}

QDate Field::asDate() const
{
    const qsizetype row = currentRow(*q_);
    return row < 0 ? QDate() : q_->result().date(row, col_);
}

bool Field::asBoolean() const
{
    const qsizetype row = currentRow(*q_);
    return row >= 0 && q_->result().yesNo(row, col_);
}

// ---- Query -------------------------------------------------------------

Query::Query(Connection& conn, QString name, QString initialSql)
    : conn_(conn), name_(std::move(name)), sql_(std::move(initialSql))
{
}

void Query::setSql(const QString& sql, Params params)
{
    close();
    sql_ = sql;
    params_ = std::move(params);
}

void Query::open()
{
    close();
    if (sql_.trimmed().isEmpty())
        throw Error(QStringLiteral("%1: 没有 SQL 语句").arg(name_));
    result_ = conn_.select(sql_, params_);
    active_ = true;
    row_ = 0;
    bof_ = true;
    eof_ = result_.rowCount() == 0;
    notify(Change::Opened);
}

qint64 Query::execSql()
{
    if (sql_.trimmed().isEmpty())
        throw Error(QStringLiteral("%1: 没有 SQL 语句").arg(name_));
    return conn_.exec(sql_, params_);
}

void Query::close()
{
    const bool wasActive = active_;
    active_ = false;
    result_ = Result();
    row_ = 0;
    bof_ = eof_ = true;
    if (wasActive)
        notify(Change::Closed);
}

void Query::openWith(const QString& sql, Params params)
{
    setSql(sql, std::move(params));
    open();
}

qint64 Query::execWith(const QString& sql, Params params)
{
    setSql(sql, std::move(params));
    return execSql();
}

void Query::first()
{
    if (!active_)
        return;
    const qsizetype old = row_;
    row_ = 0;
    bof_ = true;
    eof_ = recordCount() == 0;
    if (row_ != old)
        notify(Change::RowMoved);
}

void Query::next()
{
    if (!active_ || eof_)
        return;
    const qsizetype n = recordCount();
    if (row_ + 1 < n) {
        ++row_;
        bof_ = false;
    } else {
        row_ = n;   // past the last row: eof, and fields read as NULL
        eof_ = true;
    }
    notify(Change::RowMoved);
}

void Query::prior()
{
    if (!active_)
        return;
    const qsizetype n = recordCount();
    if (n == 0)
        return;
    if (row_ > 0) {
        row_ = std::min(row_ - 1, n - 1);
        eof_ = false;
        notify(Change::RowMoved);
    } else {
        bof_ = true;
    }
}

void Query::last()
{
    if (!active_)
        return;
    const qsizetype n = recordCount();
    const qsizetype old = row_;
    row_ = n > 0 ? n - 1 : 0;
    // As in the form library: positioned on the last row with eof set.
    eof_ = true;
    bof_ = n == 0;
    if (row_ != old)
        notify(Change::RowMoved);
}

void Query::moveTo(qsizetype row)
{
    if (!active_)
        return;
    const qsizetype n = recordCount();
    if (n == 0)
        return;
    const qsizetype old = row_;
    row_ = std::clamp<qsizetype>(row, 0, n - 1);
    eof_ = bof_ = false;
    if (row_ != old)
        notify(Change::RowMoved);
}

bool Query::eof() const
{
    return !active_ || eof_;
}

bool Query::bof() const
{
    return !active_ || bof_;
}

Field Query::fieldByName(const QString& column) const
{
    const int col = active_ ? result_.columnIndex(column) : -1;
    if (col < 0)
        throw Error(QStringLiteral("%1: 字段 '%2' 不存在").arg(name_, column));
    return Field(*this, col);
}

void Query::sortBy(int col, bool ascending)
{
    if (!active_)
        return;
    result_.sortBy(col, ascending);
    row_ = 0;
    bof_ = true;
    eof_ = result_.rowCount() == 0;
    notify(Change::Sorted);
}

int Query::addListener(Listener listener)
{
    const int id = nextListenerId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void Query::removeListener(int id)
{
    listeners_.erase(id);
}

void Query::notify(Change change)
{
    if (listeners_.empty())
        return;
    // A listener may remove itself (or another) while being told.
    std::vector<int> ids;
    ids.reserve(listeners_.size());
    for (const auto& [id, fn] : listeners_)
        ids.push_back(id);
    for (int id : ids) {
        auto it = listeners_.find(id);
        if (it == listeners_.end() || !it->second)
            continue;
        Listener fn = it->second;   // survives its own removal
        fn(change);
    }
}

QStringList readColumn(Query& query, const QString& sql, const QString& column, Params params) {
    query.openWith(sql, std::move(params));
    QStringList values;
    for (query.first(); !query.eof(); query.next()) values << query.fieldByName(column).asString();
    query.close();
    return values;
}

}  // namespace db
