// The list grid over a shared query: columns, title-click sorting, find.

#include "db/dm1.h"
#include "db/schema.h"
#include "fake_shell.h"
#include "kit/datagrid.h"
#include "kit/form.h"
#include "temp_home.h"

#include <gtest/gtest.h>

using namespace kit;
using testing_support::FakeShell;
using testing_support::TempHome;

namespace {

struct ListFixture : ::testing::Test {
    TempHome home;
    FakeShell shell;
    db::TDM1 dm;
    void SetUp() override {
        db::createInstallationIfMissing(home.path());
        dm.openDatabase(home.path());
        const std::tuple<const char*, const char*, double> rows[] = {
            {"A003", "王五", 20}, {"A001", "张三", 5}, {"A002", "李四", 20}, {"A004", "赵六", 5.5}};
        for (const auto& [card, name, points] : rows)
            dm.ADOConnection1.exec("insert into 会员卡信息 (会员卡号, 会员姓名, 积分) values (?, ?, ?)",
                                   {card, name, points});
    }
};

struct ListForm : Form {
    ListForm(Shell& s, db::Query& q) : Form(s, "Tlist", "列表", Kind::Child), grid(*this, "DBGridEh1", q) {
        grid.setColumns({{"会员卡号", "卡号"}, {"会员姓名"}, {"积分"}});
    }
    DataGrid grid;
};

QStringList cards(db::Query& q) {
    QStringList out;
    for (q.first(); !q.eof(); q.next()) out << q.fieldByName("会员卡号").asString();
    return out;
}

}  // namespace

TEST_F(ListFixture, TitleClicksSortAndAddLevels) {
    ListForm f(shell, dm.ADOQuery5);
    dm.ADOQuery5.openWith("select * from 会员卡信息 order by 会员卡号");
    EXPECT_EQ(f.grid.shownColumns()[1].title, "会员姓名") << "no title given: the field name";

    f.grid.clickTitle(2);   // 积分 ascending
    EXPECT_EQ(cards(dm.ADOQuery5), QStringList({"A001", "A004", "A002", "A003"}));
    f.grid.clickTitle(0);   // then 会员卡号 within equal points
    f.grid.clickTitle(2);   // 积分 again: descending, 会员卡号 still ascending within
    EXPECT_EQ(cards(dm.ADOQuery5), QStringList({"A002", "A003", "A004", "A001"}));
    ASSERT_EQ(f.grid.sortLevels().size(), 2u);
    EXPECT_FALSE(f.grid.sortLevels()[0].ascending);

    dm.ADOQuery5.openWith("select * from 会员卡信息 where 积分 > ?", {5});
    EXPECT_EQ(cards(dm.ADOQuery5), QStringList({"A002", "A003", "A004"})) << "a new result keeps the grid's order";
}

TEST_F(ListFixture, MarkOnlyGridsKeepTheDatabaseOrder) {
    ListForm f(shell, dm.ADOQuery3);
    f.grid.titleClick = DataGrid::TitleClick::MarkOnly;
    dm.ADOQuery3.openWith("select * from 会员卡信息 order by 会员卡号 desc");
    f.grid.clickTitle(1);
    EXPECT_EQ(f.grid.markedColumn(), 1);
    EXPECT_EQ(cards(dm.ADOQuery3), QStringList({"A004", "A003", "A002", "A001"}));
}

TEST_F(ListFixture, FindMovesToTheNextMatchingRowAndWraps) {
    ListForm f(shell, dm.ADOQuery5);
    dm.ADOQuery5.openWith("select * from 会员卡信息 order by 会员卡号");
    int moves = 0;
    f.grid.onRowChanged = [&] { ++moves; };
    EXPECT_EQ(f.grid.find("李"), 1);
    EXPECT_EQ(dm.ADOQuery5.fieldByName("会员姓名").asString(), "李四");
    EXPECT_EQ(f.grid.find("a00", 0), 2) << "case-insensitive, in one column";
    EXPECT_EQ(f.grid.find("张"), 0) << "wraps round";
    EXPECT_EQ(f.grid.find("不存在"), -1);
    EXPECT_EQ(moves, 3);
}

TEST_F(ListFixture, YesNoColumnsReadAsWords) {
    dm.ADOConnection1.exec("update 会员卡信息 set 口头挂失标志=1 where 会员卡号='A002'");
    ListForm f(shell, dm.ADOQuery5);
    f.grid.setColumns({{"会员卡号"}, {"口头挂失标志"}});
    dm.ADOQuery5.openWith("select * from 会员卡信息 order by 会员卡号");
    const auto cols = f.grid.shownColumns();
    EXPECT_FALSE(cols[0].yesNo);
    ASSERT_TRUE(cols[1].yesNo);
    const int col = dm.ADOQuery5.result().columnIndex("口头挂失标志");
    EXPECT_EQ(DataGrid::cellText(dm.ADOQuery5.result(), 0, col, true), "否");
    EXPECT_EQ(DataGrid::cellText(dm.ADOQuery5.result(), 1, col, true), "是");
}
