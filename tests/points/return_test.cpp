// The return screen: points taken back, negative rows, moves by upper bounds.

#include "screen_fixture.h"

using namespace points;

TEST_F(ScreenFixture, AReturnTakesBackRoundedPointsWithNegativeRows) {
    category("金卡", 10);
    member("A001", "金卡", 100);
    Ttuihuo& s = giveBack();
    lookUp(s, "A001");
    typeAmount(s, "55.55");
    EXPECT_EQ(s.Edit17.text(), "5.56");
    EXPECT_EQ(s.Edit18.text(), "94.44");
    s.BitBtn1.click();
    EXPECT_EQ(shell.lastMessage(), "退货减积分成功！");
    EXPECT_EQ(rows("select 增减积分, 增减原因 from 流水记录"), QStringList({"-5.56|退货减积分"}));
    EXPECT_EQ(rows("select 商品, 消费金额, 增减原因 from 消费记录"), QStringList({"无商品|-55.55|退货减积分"}));
    EXPECT_EQ(balanceOf("A001"), "94.44");
    EXPECT_EQ(s.journalNumber(), "0000000002") << "the next number is shown after the save";
}

TEST_F(ScreenFixture, GoodsThenAmountOnlyOnTheSameScreen) {
    category("金卡", 10);
    member("A001", "金卡", 100);
    Ttuihuo& s = giveBack();
    lookUp(s, "A001");
    goods(s, {{"大衣", "30"}});
    s.BitBtn1.click();
    lookUp(s, "A001");
    typeAmount(s, "8");
    s.BitBtn1.click();
    EXPECT_EQ(rows("select 商品, 消费金额 from 消费记录 order by rowid"), QStringList({"大衣|-30", "无商品|-8"}));
}

TEST_F(ScreenFixture, AReturnMayLeaveANegativeBalance) {
    category("金卡", 1);
    member("A001", "金卡", 10);
    Ttuihuo& s = giveBack();
    lookUp(s, "A001");
    typeAmount(s, "30");
    s.BitBtn1.click();
    EXPECT_EQ(balanceOf("A001"), "-20");
}

TEST_F(ScreenFixture, EnterInTheDatePickerSavesAtOnce) {
    category("金卡", 1);
    member("A001", "金卡", 10);
    Ttuihuo& s = giveBack();
    lookUp(s, "A001");
    typeAmount(s, "3");
    s.DateTimePicker1.setFocus();
    s.pressEnter();
    EXPECT_EQ(shell.lastMessage(), "退货减积分成功！");
    EXPECT_EQ(balanceOf("A001"), "7");
}

TEST_F(ScreenFixture, TheCategoryFollowsTheUpperBounds) {
    struct Case {
        double balance, points;
        const char* expected;
    } cases[] = {
        {1020, 40, "银卡"},       // 980 fits under 999
        {100040, 40, "白金卡"},   // 100000 is above every upper bound: unchanged
        {300, 40, "普通卡"},
    };
    for (const Case& c : cases) {
        conn().exec("delete from 卡类别");
        conn().exec("delete from 会员卡信息");
        category("普通卡", 1, 0, 499);
        category("银卡", 1, 500, 999);
        category("金卡", 1, 1000, 99999);
        category("白金卡", 1, 0, 0);   // reached by no positive balance
        rules("是", 1);
        member("A001", "白金卡", c.balance);
        Ttuihuo& s = giveBack();
        lookUp(s, "A001");
        typeAmount(s, db::numberText(c.points));
        s.BitBtn1.click();
        EXPECT_EQ(categoryOf("A001"), QString(c.expected)) << c.balance;
    }
}

TEST_F(ScreenFixture, ANonNumberUpperBoundRollsTheReturnBack) {
    category("金卡", 1, 0, 100);
    conn().exec("update 卡类别 set 自动变卡上限='很多'");
    rules("是", 1);
    member("A001", "金卡", 50);
    Ttuihuo& s = giveBack();
    lookUp(s, "A001");
    typeAmount(s, "5");
    s.BitBtn1.click();
    EXPECT_TRUE(shell.lastMessage().contains("很多"));
    EXPECT_EQ(balanceOf("A001"), "50");
    EXPECT_EQ(count("select * from 流水记录"), 0);
}
