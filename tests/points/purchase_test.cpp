// The purchase screen, driven as the counter uses it.

#include "points/install.h"
#include "points/pointsrules.h"
#include "screen_fixture.h"

using namespace points;

TEST(RoundPointsHalfUp, DecidesOnTheFifteenDigitText) {
    const std::pair<double, double> cases[] = {
        {2.675, 2.68}, {12.345, 12.35}, {0.995, 1}, {0.125, 0.13}, {0.005, 0.01},
        {10.0 / 3.0, 3.33}, {12.3, 12.3}, {7, 7}, {0.004, 0}, {99.999, 100},
    };
    for (const auto& [x, rounded] : cases) EXPECT_DOUBLE_EQ(RoundPointsHalfUp(x), rounded) << x;
}

TEST_F(ScreenFixture, PointsFollowTheAmountByRatioAndMode) {
    struct Case {
        double ratio;
        int mode;
        QString amount, points;
    } cases[] = {
        {10, 1, "125", "12.5"}, {10, 1, "126.66", "12.67"}, {10, 2, "129.9", "12"}, {3, 1, "10", "3.33"},
        {0.5, 1, "3", "6"},
    };
    for (const Case& c : cases) {
        conn().exec("delete from 卡类别");
        conn().exec("delete from 会员卡信息");
        category("金卡", c.ratio);
        member("A001", "金卡", 100);
        rules("否", c.mode);
        Tzengjiajifen& s = purchase();
        lookUp(s, "A001");
        typeAmount(s, c.amount);
        EXPECT_EQ(s.Edit17.text(), c.points) << c.ratio << " " << c.amount.toStdString();
        EXPECT_EQ(s.Edit18.text(), db::numberText(100 + c.points.toDouble()));
        s.close();
        shell.runTimers();
    }
}

TEST_F(ScreenFixture, WithoutARatioThePointsAreLeftAlone) {
    member("A001", "不存在的类别", 0);
    Tzengjiajifen& s = purchase();
    lookUp(s, "A001");
    s.Edit17.setText("7");
    typeAmount(s, "100");
    EXPECT_EQ(s.Edit17.text(), "7");
}

TEST_F(ScreenFixture, GoodsLinesMakeTheAmountAndTheirOwnRows) {
    category("金卡", 10);
    member("A001", "金卡", 0);
    Tzengjiajifen& s = purchase();
    lookUp(s, "A001");
    goods(s, {{"苹果", "30"}, {"香蕉", "20.5"}});
    EXPECT_EQ(s.Edit15.text(), "50.5");
    EXPECT_EQ(s.goodsSummary(), "苹果 香蕉");
    EXPECT_EQ(s.Edit17.text(), "5.05");
    s.Edit15.setFocus();
    s.typeText("60");   // the amount can still be edited; the points follow it
    EXPECT_EQ(s.Edit17.text(), "6");
    s.BitBtn1.click();
    EXPECT_EQ(shell.lastMessage(), "增加积分成功！");
    EXPECT_EQ(rows("select 商品, 消费金额, 增减原因 from 消费记录 order by rowid"),
              QStringList({"苹果|30|购物消费", "香蕉|20.5|购物消费"}));
    EXPECT_EQ(rows("select 编号, 会员卡号, 会员姓名, 增减积分, 增减原因, 经手人 from 流水记录"),
              QStringList({"0000000001|A001|张三|6|购物消费|0001"}));
    EXPECT_EQ(balanceOf("A001"), "6");
    EXPECT_EQ(s.lookup.cardNumber.text(), "") << "the screen is ready for the next card";
    EXPECT_FALSE(s.BitBtn1.enabled());
    EXPECT_EQ(s.focused(), &s.lookup.cardNumber);
    EXPECT_EQ(s.AdvStringGrid1.cell(1, 1), "");
}

TEST_F(ScreenFixture, AnIncompleteGoodsLineStopsTheSave) {
    category("金卡", 10);
    member("A001", "金卡", 0);
    Tzengjiajifen& s = purchase();
    lookUp(s, "A001");
    goods(s, {{"苹果", "30"}, {"香蕉", ""}});
    EXPECT_EQ(shell.lastMessage(), "请将所购商品表格填写完整！");
    EXPECT_EQ(s.AdvStringGrid1.row(), 2);
    shell.messages.clear();
    s.BitBtn1.performClick();
    EXPECT_EQ(shell.lastMessage(), "请将所购商品表格填写完整！");
    EXPECT_EQ(count("select * from 流水记录"), 0);
}

TEST_F(ScreenFixture, AnEmptyAmountSavesZeroPointsAndOneNoGoodsRow) {
    category("金卡", 10);
    member("A001", "金卡", 5);
    Tzengjiajifen& s = purchase();
    lookUp(s, "A001");
    s.BitBtn1.click();
    EXPECT_EQ(rows("select 商品, 消费金额 from 消费记录"), QStringList({"无商品|0"}));
    EXPECT_EQ(rows("select 增减积分 from 流水记录"), QStringList({"0"}));
    EXPECT_EQ(balanceOf("A001"), "5");
}

TEST_F(ScreenFixture, TheCategoryFollowsTheLowerBounds) {
    struct Case {
        const char* automatic;
        const char* start;
        double balance;
        QString amount;
        const char* expected;
    } cases[] = {
        {"是", "普通卡", 480, "30", "银卡"},   // 510 reaches 500
        {"是", "钻石卡", 1170, "30", "金卡"},  // 1200 moves down from 5000 to 1000
        {"否", "普通卡", 480, "30", "普通卡"},
        {"是", "普通卡", -50, "10", "普通卡"}, // no lower bound reached
    };
    for (const Case& c : cases) {
        conn().exec("delete from 卡类别");
        conn().exec("delete from 会员卡信息");
        category("普通卡", 1, 0, 499);
        category("银卡", 1, 500, 999);
        category("金卡", 1, 1000, 4999);
        category("钻石卡", 1, 5000, 99999);
        rules(c.automatic, 1);
        member("A001", c.start, c.balance);
        if (c.balance < 0) conn().exec("update 卡类别 set 自动变卡下限=自动变卡下限+1");
        Tzengjiajifen& s = purchase();
        lookUp(s, "A001");
        typeAmount(s, c.amount);
        s.BitBtn1.click();
        EXPECT_EQ(categoryOf("A001"), QString(c.expected)) << c.automatic << " " << c.balance;
    }
}

TEST_F(ScreenFixture, NegativePointsAndNonNumbersAreRefusedBeforeAnythingIsWritten) {
    struct Case {
        QString amount, points, cash, line;
        QString message;
    } cases[] = {
        {"1.2.3", "", "", "", "金额“1.2.3”不是有效的数字，请重新输入！"},
        {"10", "1..", "", "", "积分“1..”不是有效的数字，请重新输入！"},
        {"10", "", "5.5.", "", "现金收款“5.5.”不是有效的数字，请重新输入！"},
        {"", "", "", "3.3.3", "商品“苹果”的金额“3.3.3”不是有效的数字，请重新输入！"},
    };
    category("金卡", 10);
    member("A001", "金卡", 0);
    for (const Case& c : cases) {
        shell.messages.clear();
        Tzengjiajifen& s = purchase();
        lookUp(s, "A001");
        s.Edit17.clear();
        if (!c.line.isEmpty()) {
            s.AdvStringGrid1.editCell(1, 1, "苹果");
            s.AdvStringGrid1.editCell(2, 1, c.line);
        }
        s.Edit15.setText(c.amount);
        if (!c.points.isEmpty()) s.Edit17.setText(c.points);
        s.Edit16.setText(c.cash);
        s.BitBtn1.performClick();
        EXPECT_EQ(shell.lastMessage(), c.message);
        EXPECT_EQ(count("select * from 流水记录"), 0);
        EXPECT_EQ(s.lookup.cardNumber.text(), "A001") << "what was typed stays";
        s.AdvStringGrid1.clearColumn(1);
        s.AdvStringGrid1.clearColumn(2);
    }
    Tzengjiajifen& s = purchase();
    s.Edit15.setText("1");
    s.Edit17.setText("-1");
    s.BitBtn1.performClick();
    EXPECT_EQ(shell.lastMessage(), "积分增加小于零，不能保存！");
}

TEST_F(ScreenFixture, AStatementFailingMidSaveLeavesNothingAndKeepsTheScreen) {
    category("金卡", 10);
    member("A001", "金卡", 100);
    conn().exec("create trigger refuse before insert on 消费记录 begin select raise(abort, '磁盘已满'); end");
    Tzengjiajifen& s = purchase();
    lookUp(s, "A001");
    typeAmount(s, "50");
    s.BitBtn1.click();
    EXPECT_EQ(shell.lastMessage(), "磁盘已满");
    EXPECT_EQ(count("select * from 流水记录"), 0);
    EXPECT_EQ(count("select * from 消费记录"), 0);
    EXPECT_EQ(balanceOf("A001"), "100");
    EXPECT_EQ(s.lookup.cardNumber.text(), "A001");
    EXPECT_EQ(s.Edit15.text(), "50");
    EXPECT_TRUE(s.BitBtn1.enabled());
}

TEST_F(ScreenFixture, TwoOpenScreensSaveTwoNumbers) {
    category("金卡", 10);
    member("A001", "金卡", 0);
    member("A002", "金卡", 0);
    Tzengjiajifen& buy = purchase();
    Ttuihuo& back = giveBack();
    EXPECT_EQ(buy.journalNumber(), back.journalNumber()) << "both showed the same number";
    lookUp(buy, "A001");
    lookUp(back, "A002");
    typeAmount(buy, "100");
    typeAmount(back, "10");
    buy.BitBtn1.click();
    back.BitBtn1.click();
    EXPECT_EQ(rows("select 编号 from 流水记录 order by 编号"), QStringList({"0000000001", "0000000002"}));
}

TEST_F(ScreenFixture, TheDateStaysForTheNextPurchase) {
    category("金卡", 10);
    member("A001", "金卡", 0);
    Tzengjiajifen& s = purchase();
    s.DateTimePicker1.pick(QDate(2026, 1, 31));
    for (int i = 0; i < 2; ++i) {
        lookUp(s, "A001");
        typeAmount(s, "10");
        s.BitBtn1.click();
    }
    EXPECT_EQ(rows("select distinct 日期 from 流水记录"), QStringList({"2026-01-31"}));
}

TEST_F(ScreenFixture, TheMenuItemsOpenThePurchaseAndReturnScreens) {
    points::install(program);
    main().toolButton("刷卡消费/增加积分")->click();
    main().menuItem("基本业务", "退/换货减积分")->click();
    ASSERT_EQ(shell.childWindows().size(), 2u);
    EXPECT_EQ(shell.childWindows()[0]->className(), "Tzengjiajifen");
    EXPECT_EQ(shell.childWindows()[0]->caption(), "购物或换货增加积分");
    EXPECT_EQ(shell.childWindows()[1]->className(), "Ttuihuo");
    EXPECT_EQ(shell.childWindows()[1]->caption(), "退换货减积分");
}
