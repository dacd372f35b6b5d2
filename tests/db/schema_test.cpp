#include "db/dm1.h"
#include "db/error.h"
#include "db/schema.h"
#include "temp_home.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using testing_support::TempHome;

QStringList columnsOf(db::Connection& conn, const QString& table)
{
    const db::Result r = conn.select(QStringLiteral("PRAGMA table_info(%1)").arg(table));
    QStringList names;
    for (qsizetype i = 0; i < r.rowCount(); ++i)
        names << r.text(i, r.columnIndex(QStringLiteral("name")));
    return names;
}

class InstallationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db::createInstallationIfMissing(home.path()));
        dm.openDatabase(home.path());
    }

    TempHome home;
    db::TDM1 dm;
};

TEST_F(InstallationTest, CreatesFoldersAndOneCompleteDatabase)
{
    for (const char* folder : {"database", "backup", "image"})
        EXPECT_TRUE(QFileInfo(home.file(QLatin1String(folder))).isDir()) << folder;
    EXPECT_EQ(db::databasePath(home.path()), home.file(QStringLiteral("database/database.db")));
    // Built under another name, nothing of that is left behind.
    const QStringList files = QDir(home.file(QStringLiteral("database"))).entryList(QDir::Files);
    EXPECT_TRUE(files.contains(QStringLiteral("database.db")));
    EXPECT_TRUE(files.filter(QStringLiteral(".new")).isEmpty()) << files.join(u' ').toStdString();

    // An existing database is left alone.
    dm.ADOConnection1.exec(QStringLiteral("DELETE FROM 操作员"));
    EXPECT_FALSE(db::createInstallationIfMissing(home.path()));
    dm.ADOall.openWith(QStringLiteral("SELECT count(*) AS n FROM 操作员"));
    EXPECT_EQ(dm.ADOall.fieldByName(QStringLiteral("n")).asFloat(), 0);
}

TEST_F(InstallationTest, HasTheElevenTablesWithTheirColumns)
{
    QStringList operatorColumns = {QStringLiteral("操作员"), QStringLiteral("姓名"), QStringLiteral("密码")};
    for (int i = 1; i <= 27; ++i)
        operatorColumns << QString::number(i);
    const QList<std::pair<QString, QStringList>> expected = {
        {QStringLiteral("操作员"), operatorColumns},
        {QStringLiteral("卡类别"), {"卡类别", "积分比例", "允许兑换礼品", "允许返现金", "自动变卡下限", "自动变卡上限"}},
        {QStringLiteral("自动变卡"), {"自动变卡", "方式"}},
        {QStringLiteral("会员卡信息"),
         {"会员卡号", "卡类别", "会员姓名", "性别", "身份证号", "生日类型", "生日", "会员生日", "积分", "地址",
          "固定电话", "手机", "起用日期", "照片", "口头挂失标志"}},
        {QStringLiteral("流水记录"),
         {"编号", "会员卡号", "会员姓名", "增减积分", "增减原因", "兑换礼品", "返现金", "日期", "时间", "经手人"}},
        {QStringLiteral("消费记录"),
         {"编号", "会员卡号", "会员姓名", "商品", "消费金额", "增减原因", "日期", "时间", "经手人"}},
        {QStringLiteral("挂失记录"), {"旧卡号", "新卡号", "会员姓名", "原有积分", "日期", "时间", "经手人"}},
        {QStringLiteral("口头挂失记录"),
         {"会员卡号", "会员姓名", "口头挂失日期", "口头挂失时间", "挂失经手人", "取消挂失日期", "取消挂失时间",
          "取消挂失经手人"}},
        {QStringLiteral("礼品"), {"礼品名称", "单位", "数量", "需要积分"}},
        {QStringLiteral("礼品入库记录"), {"礼品名称", "单位", "数量", "备注", "日期", "需要积分", "经手人"}},
        {QStringLiteral("礼品使用记录"), {"单据号", "会员卡号", "会员姓名", "礼品名称", "单位", "数量", "日期", "经手人"}},
    };

    db::Connection& conn = dm.ADOConnection1;
    const db::Result tables =
        conn.select(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid"));
    QStringList names;
    for (qsizetype i = 0; i < tables.rowCount(); ++i)
        names << tables.text(i, 0);
    QStringList expectedNames;
    for (const auto& [table, columns] : expected) {
        expectedNames << table;
        EXPECT_EQ(columnsOf(conn, table), columns) << table.toStdString();
    }
    EXPECT_EQ(names, expectedNames);
    EXPECT_EQ(db::tableNames(), expectedNames);
}

TEST_F(InstallationTest, StartsWithTheAdministratorAndTheRulesRow)
{
    db::Query& q = dm.ADOall;
    q.openWith(QStringLiteral("SELECT * FROM 操作员"));
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldByName(QStringLiteral("操作员")).asString(), QStringLiteral("0001"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("姓名")).asString(), QStringLiteral("系统管理员"));
    EXPECT_FALSE(q.fieldByName(QStringLiteral("密码")).isNull());
    EXPECT_EQ(q.fieldByName(QStringLiteral("密码")).asString(), QString());
    for (int i = 1; i <= 27; ++i)
        EXPECT_TRUE(q.fieldByName(QString::number(i)).asBoolean()) << i;

    q.openWith(QStringLiteral("SELECT * FROM 自动变卡"));
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldByName(QStringLiteral("自动变卡")).asString(), QStringLiteral("否"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("方式")).asFloat(), 1);

    for (const QString& table : db::tableNames().mid(3)) {
        q.openWith(QStringLiteral("SELECT * FROM %1").arg(table));
        EXPECT_EQ(q.recordCount(), 0) << table.toStdString();
    }
}

TEST_F(InstallationTest, InitialisationEmptiesEverythingElse)
{
    db::Connection& conn = dm.ADOConnection1;
    conn.exec(QStringLiteral("INSERT INTO 操作员 (操作员, 姓名, 密码) VALUES ('0002', '收银', '1')"));
    conn.exec(QStringLiteral("UPDATE 操作员 SET 姓名 = '老板', \"5\" = 0 WHERE 操作员 = '0001'"));
    conn.exec(QStringLiteral("UPDATE 自动变卡 SET 自动变卡 = '是', 方式 = 2"));
    conn.exec(QStringLiteral("INSERT INTO 会员卡信息 (会员卡号, 积分) VALUES ('1001', 5)"));
    conn.exec(QStringLiteral("INSERT INTO 流水记录 (编号, 会员卡号) VALUES ('0000000001', '1001')"));

    db::initialiseData(conn);
    const db::Result ops = conn.select(QStringLiteral("SELECT 操作员, 姓名, \"5\" FROM 操作员"));
    ASSERT_EQ(ops.rowCount(), 1);
    EXPECT_EQ(ops.text(0, 1), QStringLiteral("系统管理员"));
    EXPECT_TRUE(ops.yesNo(0, 2));
    const db::Result rules = conn.select(QStringLiteral("SELECT 自动变卡, 方式 FROM 自动变卡"));
    ASSERT_EQ(rules.rowCount(), 1);
    EXPECT_EQ(rules.text(0, 0), QStringLiteral("否"));
    EXPECT_EQ(conn.select(QStringLiteral("SELECT count(*) FROM 会员卡信息")).number(0, 0), 0);
    EXPECT_EQ(conn.select(QStringLiteral("SELECT count(*) FROM 流水记录")).number(0, 0), 0);
}

TEST_F(InstallationTest, CardNumbersAreUniqueAndFlagsDefaultToNo)
{
    db::Connection& conn = dm.ADOConnection1;
    conn.exec(QStringLiteral("INSERT INTO 会员卡信息 (会员卡号, 会员姓名) VALUES (?, ?)"),
              {QStringLiteral("8001"), QStringLiteral("王五")});
    EXPECT_THROW(conn.exec(QStringLiteral("INSERT INTO 会员卡信息 (会员卡号) VALUES ('8001')")), db::Error);
    dm.ADOall.openWith(QStringLiteral("SELECT 口头挂失标志 FROM 会员卡信息"));
    EXPECT_FALSE(dm.ADOall.fieldByName(QStringLiteral("口头挂失标志")).asBoolean());
}

TEST(DataModule, QueriesStartWithTheirStatements)
{
    db::TDM1 dm;
    const struct {
        const char* name;
        const char* sql;
    } cases[] = {
        {"ADOall", ""},
        {"ADO123", ""},
        {"ADOQuery3", "select * from 会员卡信息"},
        {"ADOQuery4", "select * from 卡类别"},
        {"ADOQuery5", "select * from 会员卡信息"},
        {"ADOQuery7", ""},
        {"ADOQuery8", "select * from 流水记录"},
        {"ADOQuery9", ""},
        {"ADOQuery10", "select * from 口头挂失记录"},
        {"ADOQuery12", "select * from 消费记录"},
        {"ADOQuery13", "select * from 流水记录"},
        {"ADOQuery14", "select * from 消费记录"},
        {"ADOQuery15", "select  * from 会员卡信息"},
        {"ADOQuery16", "select count(*) from 流水记录"},
        {"ADOQuery17", "select sum(消费金额) from 消费记录"},
        {"ADOQuery18", ""},
        {"ADOQuery19", ""},
        {"ADOQuery20", ""},
        {"ADOQuery21", ""},
        {"ADOQuery22", ""},
        {"ADOQuery23", "select * from 礼品使用记录"},
        {"ADOQuery24", ""},
    };
    ASSERT_EQ(dm.queries().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const QString name = QString::fromLatin1(cases[i].name);
        db::Query* q = dm.queryByName(name);
        ASSERT_NE(q, nullptr) << cases[i].name;
        EXPECT_EQ(dm.queries()[i], q);
        EXPECT_EQ(q->sql(), QString::fromUtf8(cases[i].sql)) << cases[i].name;
        EXPECT_FALSE(q->active());
    }
    EXPECT_EQ(dm.queryByName(QStringLiteral("ADOQuery11")), nullptr);
    EXPECT_FALSE(dm.ADOConnection1.isOpen());
}

TEST(DataModule, OpensOnlyAnExistingDatabase)
{
    TempHome home;
    db::TDM1 dm;
    EXPECT_THROW(dm.openDatabase(home.path()), db::Error);
    EXPECT_FALSE(QFileInfo::exists(db::databasePath(home.path())));

    db::createInstallationIfMissing(home.path());
    dm.openDatabase(home.path());
    dm.ADOQuery16.open();
    EXPECT_EQ(dm.ADOQuery16.fieldByName(QStringLiteral("count(*)")).asFloat(), 0);
    // Reopening closes the queries left open on the old connection.
    dm.openDatabase(home.path());
    EXPECT_FALSE(dm.ADOQuery16.active());
}

}  // namespace
