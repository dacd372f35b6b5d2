#pragma once
// The one SQLCipher connection: opened with the built-in key, WAL journal,
// synchronous=FULL. Statements take bound parameters only.

#include "db/result.h"
#include "db/value.h"

#include <QByteArray>
#include <QString>

struct sqlite3;

namespace db {

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens (or creates, when create is true) the file with the key and
    // proves the key by reading the schema. Throws db::Error with the
    // engine's text ("file is encrypted or is not a database", ...).
    // Without create, a missing file is an error too.
    void open(const QString& path, const QByteArray& key, bool create = false);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    // One statement with its parameters ('?' placeholders, in order).
    // Returns the number of rows changed.
    qint64 exec(const QString& sql, const Params& params = {});
    // One statement whose rows are fetched completely.
    Result select(const QString& sql, const Params& params = {});
    // Several statements without parameters (schema scripts).
    void execScript(const QString& sql);

    // Consistent snapshot of the live database into a new keyed file at
    // path (replaced if it exists), made with SQLite's online backup API.
    void backupTo(const QString& path, const QByteArray& key);

    sqlite3* handle() const { return db_; }

private:
    [[noreturn]] void fail(const QString& what) const;

    sqlite3* db_ = nullptr;
    QString path_;
    bool keyed_ = false;
};

// A transaction started with BEGIN IMMEDIATE. Rolled back on destruction
// unless committed, so an exception anywhere in a save leaves nothing behind.
class Transaction {
public:
    explicit Transaction(Connection& conn);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    void rollback();

private:
    Connection& conn_;
    bool active_ = false;
};

}  // namespace db
