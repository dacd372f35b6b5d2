#include "db/connection.h"
#include "db/error.h"
#include "db/schema.h"
#include "temp_home.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <stdexcept>

namespace {

using testing_support::TempHome;

class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = home.file(QStringLiteral("test.db"));
        conn.open(path, db::databaseKey(), true);
        conn.exec(QStringLiteral("CREATE TABLE t (name TEXT, amount REAL)"));
    }

    qint64 count(db::Connection& c, const QString& table = QStringLiteral("t"))
    {
        return qint64(c.select(QStringLiteral("SELECT count(*) FROM %1").arg(table)).number(0, 0));
    }

    TempHome home;
    QString path;
    db::Connection conn;
};

// Makes an unencrypted database file with the engine itself.
void writePlainDatabase(const QString& path)
{
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "CREATE TABLE x (a); INSERT INTO x VALUES (1);", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
}

QString openError(const QString& path, const QByteArray& key)
{
    db::Connection c;
    try {
        c.open(path, key);
    } catch (const db::Error& e) {
        EXPECT_FALSE(c.isOpen());
        return e.message();
    }
    return QStringLiteral("(opened)");
}

TEST_F(ConnectionTest, RefusesFilesItCannotReadWithTheEngineText)
{
    conn.exec(QStringLiteral("INSERT INTO t VALUES ('a', 1)"));
    conn.close();
    const QString plain = home.file(QStringLiteral("plain.db"));
    writePlainDatabase(plain);

    EXPECT_EQ(openError(path, "not-the-key"), QStringLiteral("file is encrypted or is not a database"));
    EXPECT_EQ(openError(plain, db::databaseKey()), QStringLiteral("file is encrypted or is not a database"));
    EXPECT_EQ(openError(home.file(QStringLiteral("missing.db")), db::databaseKey()),
              QStringLiteral("unable to open database file"));
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("missing.db"))));
}

TEST_F(ConnectionTest, FileIsEncryptedAndReopensWithTheKey)
{
    conn.exec(QStringLiteral("INSERT INTO t VALUES ('a', 1)"));
    conn.close();

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_NE(f.read(16), QByteArray("SQLite format 3\0", 16));
    f.close();

    conn.open(path, db::databaseKey());
    EXPECT_EQ(count(conn), 1);
}

TEST_F(ConnectionTest, RunsInWalModeWithFullSync)
{
    EXPECT_EQ(conn.select(QStringLiteral("PRAGMA journal_mode")).text(0, 0), QStringLiteral("wal"));
    EXPECT_EQ(conn.select(QStringLiteral("PRAGMA synchronous")).number(0, 0), 2);   // FULL
}

TEST_F(ConnectionTest, BoundTextIsStoredAsTyped)
{
    const QString typed = QStringLiteral("O'Brien \"x\" ; DROP TABLE t; --");
    EXPECT_EQ(conn.exec(QStringLiteral("INSERT INTO t VALUES (?, ?)"), {typed, 12.5}), 1);
    conn.exec(QStringLiteral("INSERT INTO t VALUES (?, ?)"), {QString(), nullptr});

    const db::Result r = conn.select(QStringLiteral("SELECT name, amount FROM t WHERE name = ?"), {typed});
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.text(0, 0), typed);
    EXPECT_EQ(r.number(0, 1), 12.5);
    // An empty text stays an empty text, not NULL; nullptr is NULL.
    const db::Result e = conn.select(QStringLiteral("SELECT name, amount FROM t WHERE name = ''"));
    ASSERT_EQ(e.rowCount(), 1);
    EXPECT_TRUE(e.isNull(0, 1));
}

TEST_F(ConnectionTest, ExecReportsChangedRowsAndRefusesBadStatements)
{
    for (int i = 0; i < 3; ++i)
        conn.exec(QStringLiteral("INSERT INTO t VALUES (?, ?)"), {QStringLiteral("n"), i});
    EXPECT_EQ(conn.exec(QStringLiteral("UPDATE t SET amount = amount + 1 WHERE amount >= ?"), {1}), 2);
    EXPECT_EQ(conn.exec(QStringLiteral("SELECT * FROM t")), 0);

    const struct {
        const char* sql;
        db::Params params;
    } bad[] = {
        {"SELECT * FROM nowhere", {}},
        {"INSERT INTO t VALUES (?, ?)", {1}},               // too few parameters
        {"DELETE FROM t; DELETE FROM t", {}},               // two statements
        {"", {}},
    };
    for (const auto& b : bad)
        EXPECT_THROW(conn.exec(QString::fromUtf8(b.sql), b.params), db::Error) << b.sql;
    EXPECT_EQ(count(conn), 3);
}

TEST_F(ConnectionTest, TransactionKeepsAllOrNothing)
{
    try {
        db::Transaction tx(conn);
        conn.exec(QStringLiteral("INSERT INTO t VALUES ('a', 1)"));
        conn.exec(QStringLiteral("INSERT INTO t VALUES ('b', 2)"));
        throw std::runtime_error("save failed half way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(count(conn), 0);

    {
        db::Transaction tx(conn);
        conn.exec(QStringLiteral("INSERT INTO t VALUES ('a', 1)"));
        tx.commit();
    }
    EXPECT_EQ(count(conn), 1);
    // A new transaction can start once the previous one is over.
    db::Transaction again(conn);
    again.rollback();
}

TEST_F(ConnectionTest, BackupIsAKeyedCopyWithTheSameRows)
{
    for (int i = 0; i < 200; ++i)
        conn.exec(QStringLiteral("INSERT INTO t VALUES (?, ?)"), {QStringLiteral("会员%1").arg(i), i * 0.5});
    const QString target = home.file(QStringLiteral("copy.bak"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older backup");
    old.close();

    conn.backupTo(target, db::databaseKey());
    // The live connection goes on working.
    conn.exec(QStringLiteral("INSERT INTO t VALUES ('after', 0)"));

    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_NE(f.read(16), QByteArray("SQLite format 3\0", 16));
    f.close();
    EXPECT_THROW(db::Connection().open(target, "wrong key"), db::Error);

    db::Connection copy;
    copy.open(target, db::databaseKey());
    EXPECT_EQ(count(copy), 200);
    EXPECT_EQ(copy.select(QStringLiteral("SELECT sum(amount) FROM t")).number(0, 0), 9950);
    EXPECT_EQ(copy.select(QStringLiteral("SELECT name FROM t WHERE amount = 99.5")).text(0, 0),
              QStringLiteral("会员199"));
    copy.close();
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral(".part")));
}

TEST_F(ConnectionTest, FailedBackupLeavesNoFile)
{
    const QString target = home.file(QStringLiteral("no-such-folder/copy.bak"));
    EXPECT_THROW(conn.backupTo(target, db::databaseKey()), db::Error);
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral(".part")));
    // Nor may a keyed database be copied into a plain file, or onto itself.
    EXPECT_THROW(conn.backupTo(home.file(QStringLiteral("plain.bak")), QByteArray()), db::Error);
    EXPECT_FALSE(QFileInfo::exists(home.file(QStringLiteral("plain.bak"))));
    EXPECT_THROW(conn.backupTo(path, db::databaseKey()), db::Error);
    EXPECT_EQ(count(conn), 0);
}

}  // namespace
