#include "db/connection.h"
#include "db/error.h"
#include "db/query.h"
#include "db/schema.h"
#include "temp_home.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using Change = db::Query::Change;
using testing_support::TempHome;

class QueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        conn.open(home.file(QStringLiteral("q.db")), db::databaseKey(), true);
        conn.execScript(QStringLiteral(
            "CREATE TABLE m (卡号 TEXT, 积分 REAL, 挂失 INTEGER);"
            "INSERT INTO m VALUES ('001', 10, 1);"
            "INSERT INTO m VALUES ('002', 2.5, NULL);"
            "INSERT INTO m VALUES ('003', NULL, 0);"));
    }

    QStringList walk(db::Query& q)
    {
        QStringList cards;
        for (q.first(); !q.eof(); q.next())
            cards << q.fieldByName(QStringLiteral("卡号")).asString();
        return cards;
    }

    TempHome home;
    db::Connection conn;
    db::Query q{conn, QStringLiteral("ADOall")};
};

TEST_F(QueryTest, WalksEveryRowOnce)
{
    q.openWith(QStringLiteral("SELECT * FROM m ORDER BY 卡号"));
    EXPECT_TRUE(q.active());
    EXPECT_EQ(q.recordCount(), 3);
    EXPECT_EQ(walk(q), (QStringList{"001", "002", "003"}));

    // Past the last row: eof, and fields read as NULL.
    EXPECT_TRUE(q.eof());
    EXPECT_TRUE(q.fieldByName(QStringLiteral("卡号")).isNull());
    q.prior();
    EXPECT_FALSE(q.eof());
    EXPECT_EQ(q.fieldByName(QStringLiteral("卡号")).asString(), QStringLiteral("003"));

    q.last();
    EXPECT_EQ(q.fieldByName(QStringLiteral("卡号")).asString(), QStringLiteral("003"));
    q.first();
    EXPECT_TRUE(q.bof());
    q.prior();
    EXPECT_TRUE(q.bof());
    EXPECT_EQ(q.fieldByName(QStringLiteral("卡号")).asString(), QStringLiteral("001"));
    q.moveTo(1);
    EXPECT_EQ(q.recNo(), 1);
    EXPECT_EQ(q.fieldByName(QStringLiteral("积分")).asFloat(), 2.5);
}

TEST_F(QueryTest, EmptyResultsAndNullAggregatesReadAsNull)
{
    q.openWith(QStringLiteral("SELECT * FROM m WHERE 卡号 = ?"), {QStringLiteral("none")});
    EXPECT_EQ(q.recordCount(), 0);
    EXPECT_TRUE(q.eof());
    EXPECT_TRUE(q.bof());
    const db::Field f = q.fieldByName(QStringLiteral("积分"));
    EXPECT_TRUE(f.isNull());
    EXPECT_EQ(f.asString(), QString());
    EXPECT_EQ(f.asFloat(), 0);
    EXPECT_FALSE(f.asBoolean());
    EXPECT_FALSE(f.asDate().isValid());

    // The maximum over no rows is one NULL row: it reads as empty text.
    q.openWith(QStringLiteral("SELECT max(卡号) FROM m WHERE 积分 > 100"));
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldByName(QStringLiteral("max(卡号)")).asString(), QString());
    EXPECT_EQ(q.fieldByName(QStringLiteral("MAX(卡号)")).asString(), QString());
}

TEST_F(QueryTest, CellsFollowTheReadingRules)
{
    const db::Result r = conn.select(QStringLiteral(
        "SELECT NULL, 12.5, 3, 0, '', '-1', 'True', '1', '0', 'yes', "
        "'2024-03-05', '2024-03-05 10:11:12', ' 7.5 ', 0.1 + 0.2"));
    const struct {
        int col;
        const char* text;
        double number;
        bool yes;
    } cases[] = {
        {0, "", 0, false},       {1, "12.5", 12.5, true},  {2, "3", 3, true},
        {3, "0", 0, false},      {5, "-1", -1, true},      {6, "True", NAN, true},
        {7, "1", 1, true},       {8, "0", 0, false},       {9, "yes", NAN, false},
        {12, " 7.5 ", 7.5, false}, {13, "0.3", 0.3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.col);
        EXPECT_EQ(r.text(0, c.col), QString::fromUtf8(c.text));
        EXPECT_EQ(r.yesNo(0, c.col), c.yes);
        if (std::isnan(c.number))
            EXPECT_THROW(r.number(0, c.col), db::Error);
        else
            EXPECT_DOUBLE_EQ(r.number(0, c.col), c.number);
    }
    // An empty yes/no is no; an empty text is not a number.
    EXPECT_FALSE(r.yesNo(0, 4));
    EXPECT_THROW(r.number(0, 4), db::Error);

    EXPECT_EQ(r.date(0, 10), QDate(2024, 3, 5));
    EXPECT_EQ(r.date(0, 11), QDate(2024, 3, 5));
    EXPECT_FALSE(r.date(0, 0).isValid());
    EXPECT_FALSE(r.date(0, 4).isValid());
}

TEST_F(QueryTest, UnknownFieldOrClosedQueryIsAnError)
{
    const auto message = [&](const QString& column) {
        try {
            q.fieldByName(column);
        } catch (const db::Error& e) {
            return e.message();
        }
        return QStringLiteral("(found)");
    };
    EXPECT_EQ(message(QStringLiteral("卡号")), QStringLiteral("ADOall: 字段 '卡号' 不存在"));
    q.openWith(QStringLiteral("SELECT 卡号 FROM m"));
    EXPECT_EQ(message(QStringLiteral("积分")), QStringLiteral("ADOall: 字段 '积分' 不存在"));
    EXPECT_EQ(message(QStringLiteral("卡号")), QStringLiteral("(found)"));

    // Setting a statement closes the query; executing one leaves it closed.
    q.setSql(QStringLiteral("UPDATE m SET 积分 = 积分 + 1 WHERE 卡号 = ?"), {QStringLiteral("001")});
    EXPECT_FALSE(q.active());
    EXPECT_EQ(q.recordCount(), 0);
    EXPECT_EQ(q.execSql(), 1);
    EXPECT_EQ(message(QStringLiteral("卡号")), QStringLiteral("ADOall: 字段 '卡号' 不存在"));
    q.openWith(QStringLiteral("SELECT 积分 FROM m WHERE 卡号 = '001'"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("积分")).asFloat(), 11);

    // A failing statement leaves the query closed.
    EXPECT_THROW(q.openWith(QStringLiteral("SELECT * FROM nowhere")), db::Error);
    EXPECT_FALSE(q.active());
    db::Query blank(conn, QStringLiteral("ADOQuery7"));
    EXPECT_THROW(blank.open(), db::Error);
}

TEST_F(QueryTest, ListenersHearOpenMoveSortAndClose)
{
    std::vector<Change> heard;
    const int id = q.addListener([&](Change c) { heard.push_back(c); });

    q.openWith(QStringLiteral("SELECT * FROM m"));
    q.next();
    q.sortBy(0, false);
    q.setSql(QStringLiteral("SELECT 1"));
    q.setSql(QStringLiteral("SELECT 2"));   // already closed: nothing to say
    q.open();
    q.open();                               // reopening closes first
    EXPECT_EQ(heard, (std::vector<Change>{Change::Opened, Change::RowMoved, Change::Sorted,
                                          Change::Closed, Change::Opened, Change::Closed,
                                          Change::Opened}));

    heard.clear();
    q.removeListener(id);
    q.close();
    EXPECT_TRUE(heard.empty());

    // A listener may remove itself while being told.
    int calls = 0;
    int self = 0;
    self = q.addListener([&](Change) {
        ++calls;
        q.removeListener(self);
    });
    q.open();
    q.close();
    EXPECT_EQ(calls, 1);
}

TEST_F(QueryTest, SortByColumnThroughTheQuery)
{
    q.openWith(QStringLiteral("SELECT * FROM m"));
    q.next();
    q.sortBy(q.result().columnIndex(QStringLiteral("积分")), false);
    EXPECT_EQ(q.recNo(), 0);
    EXPECT_EQ(walk(q), (QStringList{"001", "002", "003"}));   // 10, 2.5, NULL
    q.sortBy(1, true);
    EXPECT_EQ(walk(q), (QStringList{"003", "002", "001"}));
}

TEST_F(QueryTest, ResultSortIsStableWithNullsNumbersThenTexts)
{
    conn.execScript(QStringLiteral(
        "CREATE TABLE s (k, id INTEGER);"
        "INSERT INTO s VALUES ('b', 1), (2, 2), (NULL, 3), ('a', 4), (10.5, 5), ('b', 6),"
        "  (2.0, 7), (NULL, 8), ('B', 9), (-1, 10);"));
    db::Result r = conn.select(QStringLiteral("SELECT k, id FROM s ORDER BY id"));
    const auto ids = [&] {
        std::vector<int> out;
        for (qsizetype i = 0; i < r.rowCount(); ++i)
            out.push_back(int(r.number(i, 1)));
        return out;
    };
    r.sortBy(0, true);
    EXPECT_EQ(ids(), (std::vector<int>{3, 8, 10, 2, 7, 5, 9, 4, 1, 6}));
    r.sortBy(0, false);
    EXPECT_EQ(ids(), (std::vector<int>{1, 6, 4, 9, 5, 2, 7, 10, 3, 8}));
    // Cells still read right after reordering.
    EXPECT_EQ(r.text(0, 0), QStringLiteral("b"));
    EXPECT_TRUE(r.isNull(r.rowCount() - 1, 0));
}

TEST_F(QueryTest, ResultSortsTextsAsQStringDoes)
{
    const QStringList texts = {QStringLiteral("张三"), QStringLiteral("\U0001F600"), QStringLiteral("Ａ"),
                               QStringLiteral("abc"), QStringLiteral("ab"), QStringLiteral("李四"),
                               QStringLiteral("é"), QString(),
                               // the same, after a long common beginning
                               QStringLiteral("会员会员会员\U0001F600"), QStringLiteral("会员会员会员Ａ")};
    conn.exec(QStringLiteral("CREATE TABLE u (t TEXT)"));
    for (const QString& t : texts)
        conn.exec(QStringLiteral("INSERT INTO u VALUES (?)"), {t});
    db::Result r = conn.select(QStringLiteral("SELECT t FROM u"));
    r.sortBy(0, true);

    QStringList expected = texts;
    std::sort(expected.begin(), expected.end(),
              [](const QString& a, const QString& b) { return QString::compare(a, b) < 0; });
    QStringList got;
    for (qsizetype i = 0; i < r.rowCount(); ++i)
        got << r.text(i, 0);
    EXPECT_EQ(got, expected);
}

}  // namespace
