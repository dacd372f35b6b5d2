#include "db/connection.h"

#include "db/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>
#include <memory>

namespace db {

namespace {

struct StmtDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, StmtDeleter>;

QString engineText(sqlite3* db)
{
    return QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
}

// Prepares the one statement of sql. Text after it other than blanks and
// comments is refused: each call runs exactly one statement.
Stmt prepareOne(sqlite3* db, const QString& sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &raw, &tail) != SQLITE_OK)
        throw Error(engineText(db));
    Stmt stmt(raw);
    if (!stmt)
        throw Error(QStringLiteral("没有要执行的 SQL 语句"));
    if (tail && *tail) {
        sqlite3_stmt* rest = nullptr;
        const int rc = sqlite3_prepare_v2(db, tail, -1, &rest, nullptr);
        sqlite3_finalize(rest);
        if (rc != SQLITE_OK || rest)
            throw Error(QStringLiteral("一次只能执行一条 SQL 语句"));
    }
    return stmt;
}

void bindAll(sqlite3* db, sqlite3_stmt* stmt, const Params& params)
{
    const int expected = sqlite3_bind_parameter_count(stmt);
    if (expected != int(params.size()))
        throw Error(QStringLiteral("SQL 语句需要 %1 个参数，给出了 %2 个")
                        .arg(expected).arg(params.size()));
    for (int i = 0; i < expected; ++i) {
        const Value& p = params[std::size_t(i)];
        int rc = SQLITE_OK;
        if (std::holds_alternative<qint64>(p.v)) {
            rc = sqlite3_bind_int64(stmt, i + 1, std::get<qint64>(p.v));
        } else if (std::holds_alternative<double>(p.v)) {
            rc = sqlite3_bind_double(stmt, i + 1, std::get<double>(p.v));
        } else if (std::holds_alternative<QString>(p.v)) {
            const QByteArray utf8 = std::get<QString>(p.v).toUtf8();
            // An empty text is bound as '' (never as NULL).
            rc = sqlite3_bind_text(stmt, i + 1, utf8.isNull() ? "" : utf8.constData(),
                                   int(utf8.size()), SQLITE_TRANSIENT);
        } else {
            rc = sqlite3_bind_null(stmt, i + 1);
        }
        if (rc != SQLITE_OK)
            throw Error(engineText(db));
    }
}

// Opens a raw handle with the key and proves the key by reading the schema.
// On failure the handle is closed and db::Error carries the engine's text.
sqlite3* openKeyed(const QString& path, const QByteArray& key, int flags)
{
    sqlite3* db = nullptr;
    const QByteArray file = QFile::encodeName(path);
    int rc = sqlite3_open_v2(file.constData(), &db, flags, nullptr);
    QString failure;
    if (rc == SQLITE_OK && !key.isEmpty() && sqlite3_key(db, key.constData(), int(key.size())) != SQLITE_OK)
        rc = SQLITE_ERROR;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        failure = engineText(db);
        sqlite3_close_v2(db);
        throw Error(failure);
    }
    return db;
}

void removeDatabaseFiles(const QString& path)
{
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

}  // namespace

Connection::Connection() = default;

Connection::~Connection()
{
    close();
}

void Connection::open(const QString& path, const QByteArray& key, bool create)
{
    close();
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    db_ = openKeyed(path, key, flags);
    path_ = path;
    keyed_ = !key.isEmpty();
    try {
        sqlite3_busy_timeout(db_, 5000);
        execScript(QStringLiteral("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;"));
    } catch (...) {
        close();
        throw;
    }
}

void Connection::close()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
    path_.clear();
    keyed_ = false;
}

void Connection::fail(const QString& what) const
{
    throw Error(db_ ? engineText(db_) : what);
}

qint64 Connection::exec(const QString& sql, const Params& params)
{
    if (!db_)
        fail(QStringLiteral("数据库没有打开"));
    Stmt stmt = prepareOne(db_, sql);
    bindAll(db_, stmt.get(), params);
    const int before = sqlite3_total_changes(db_);
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        fail(QString());
    return qint64(sqlite3_total_changes(db_) - before);
}

Result Connection::select(const QString& sql, const Params& params)
{
    if (!db_)
        fail(QStringLiteral("数据库没有打开"));
    Stmt stmt = prepareOne(db_, sql);
    bindAll(db_, stmt.get(), params);
    return Result::fetchAll(stmt.get());
}

void Connection::execScript(const QString& sql)
{
    if (!db_)
        fail(QStringLiteral("数据库没有打开"));
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : sqlite3_errmsg(db_));
        sqlite3_free(message);
        throw Error(text);
    }
}

void Connection::backupTo(const QString& path, const QByteArray& key)
{
    if (!db_)
        fail(QStringLiteral("数据库没有打开"));
    // A plain source copied into a keyed file gives a corrupt copy without
    // any error from the engine, so the two sides must match.
    if (keyed_ != !key.isEmpty())
        throw Error(QStringLiteral("备份的源库与目标库的加密方式不一致"));
    const QFileInfo target(path);
    if (target.exists() && target.canonicalFilePath() == QFileInfo(path_).canonicalFilePath())
        throw Error(QStringLiteral("不能备份到正在使用的数据库文件"));

    // Written beside the target and renamed over it once verified, so a
    // failed backup never leaves a partial file under the target name.
    const QString temp = path + QStringLiteral(".part");
    removeDatabaseFiles(temp);
    try {
        sqlite3* dest = openKeyed(temp, key, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        QString failure;
        sqlite3_backup* backup = sqlite3_backup_init(dest, "main", db_, "main");
        if (!backup) {
            failure = engineText(dest);
        } else {
            int rc;
            while ((rc = sqlite3_backup_step(backup, -1)) == SQLITE_OK
                   || rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                sqlite3_sleep(10);
            if (sqlite3_backup_finish(backup) != SQLITE_OK || rc != SQLITE_DONE)
                failure = engineText(dest);
        }
        // The copy is one self-contained file, not a database in WAL mode.
        if (failure.isEmpty()
            && sqlite3_exec(dest, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) != SQLITE_OK)
            failure = engineText(dest);
        sqlite3_close_v2(dest);
        if (!failure.isEmpty())
            throw Error(failure);

        // The copy must open with the key before it replaces anything.
        sqlite3_close_v2(openKeyed(temp, key, SQLITE_OPEN_READWRITE));
        if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0)
            throw Error(QStringLiteral("无法写入备份文件 %1").arg(QDir::toNativeSeparators(path)));
    } catch (...) {
        removeDatabaseFiles(temp);
        throw;
    }
}

Transaction::Transaction(Connection& conn)
    : conn_(conn)
{
    conn_.exec(QStringLiteral("BEGIN IMMEDIATE"));
    active_ = true;
}

Transaction::~Transaction()
{
    try {
        rollback();
    } catch (...) {
        // A destructor must not throw; the engine rolls back on close anyway.
    }
}

void Transaction::commit()
{
    if (!active_)
        return;
    conn_.exec(QStringLiteral("COMMIT"));
    active_ = false;
}

void Transaction::rollback()
{
    if (!active_)
        return;
    active_ = false;
    // Some errors end the transaction inside the engine already.
    if (conn_.handle() && !sqlite3_get_autocommit(conn_.handle()))
        conn_.exec(QStringLiteral("ROLLBACK"));
}

}  // namespace db
