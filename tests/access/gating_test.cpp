// The login gates the main window's menu items and toolbar buttons.

#include "login_fixture.h"

#include <set>

namespace {

const std::set<QString> kNeverGated = {"系统设置 › 修改操作人员密码", "系统设置 › 退出系统", "系统帮助 › 帮助",
                                       "系统帮助 › 关于"};

std::set<QString> enabledItems(const app::TMAIN& m) {
    std::set<QString> out;
    for (const auto& menu : m.menuBar.items())
        for (const auto& item : menu->items())
            if (item->enabled()) out.insert(menu->caption() + " › " + item->caption());
    return out;
}

std::set<QString> enabledButtons(const app::TMAIN& m) {
    std::set<QString> out;
    for (const auto& b : m.toolbar)
        if (b->enabled()) out.insert(b->caption());
    return out;
}

}  // namespace

TEST_F(LoginFixture, OnlyFlag13EnablesExactlyThePurchase) {
    addOperator("0002", "收银员", "", {13});
    ASSERT_TRUE(loginAs("0002", ""));
    std::set<QString> expected = kNeverGated;
    expected.insert("基本业务 › 增加积分");
    EXPECT_EQ(enabledItems(main()), expected);
    EXPECT_EQ(enabledButtons(main()), (std::set<QString>{"刷卡消费/增加积分", "系统帮助", "暂时离开", "退出"}));
}

TEST_F(LoginFixture, NoFlagsLeavesOnlyTheNeverGatedItems) {
    addOperator("0002", "收银员", "");
    ASSERT_TRUE(loginAs("0002", ""));
    EXPECT_EQ(enabledItems(main()), kNeverGated);
    EXPECT_EQ(enabledButtons(main()), (std::set<QString>{"系统帮助", "暂时离开", "退出"}));
    for (const auto& menu : main().menuBar.items()) EXPECT_TRUE(menu->enabled()) << "top-level menus stay";
}

TEST_F(LoginFixture, TheAdministratorGetsEverything) {
    ASSERT_TRUE(loginAs("0001", ""));
    EXPECT_EQ(enabledItems(main()).size(), 27u + kNeverGated.size());
    EXPECT_EQ(enabledButtons(main()).size(), main().toolbar.size());
}

TEST_F(LoginFixture, EveryFlagEnablesItsOwnItemAndButton) {
    // One operator per flag: each flag's item, and no other gated one.
    for (const auto& flag : auth::permissionFlags()) {
        LoginEnv env;
        env.addOperator("0002", "收银员", "", {flag.number});
        ASSERT_TRUE(env.loginAs("0002", ""));
        std::set<QString> expected = kNeverGated;
        expected.insert(flag.menu + " › " + flag.item);
        EXPECT_EQ(enabledItems(env.main()), expected) << flag.number;
    }
}

TEST_F(LoginFixture, ADisabledToolbarButtonDoesNothing) {
    addOperator("0002", "收银员", "", {13});
    ASSERT_TRUE(loginAs("0002", ""));
    main().toolButton("积分兑换")->click();
    main().menuItem("基本业务", "积分兑换")->click();   // a click by the program is ignored too
    EXPECT_TRUE(shell.childWindows().empty());
    main().toolButton("刷卡消费/增加积分")->click();
    ASSERT_EQ(shell.childWindows().size(), 1u);
    EXPECT_EQ(shell.childWindows()[0]->caption(), "购物或换货增加积分");
}

TEST(StartupReminders, OpenOnlyForOperatorsWithTheirFlags) {
    struct Case {
        std::initializer_list<int> flags;
        bool birthdaySwitch, stockSwitch;
        std::vector<QString> opened;
    } cases[] = {
        {{}, true, true, {}},
        {{19, 27}, true, true, {"会员生日提醒", "礼品库存警戒提醒"}},
        {{19, 27}, false, true, {"礼品库存警戒提醒"}},
        {{19}, true, true, {"会员生日提醒"}},
    };
    for (const Case& c : cases) {
        LoginEnv env;
        env.addOperator("0002", "收银员", "", c.flags);
        ASSERT_TRUE(env.loginAs("0002", ""));
        env.main().birthdayReminderAtStart = c.birthdaySwitch;
        env.main().lowStockAlertAtStart = c.stockSwitch;
        env.main().shown();
        env.shell.runTimers();
        std::vector<QString> opened;
        for (kit::Form* w : env.shell.childWindows()) opened.push_back(w->caption());
        EXPECT_EQ(opened, c.opened);
        EXPECT_TRUE(env.shell.messages.empty()) << "no message says why";
    }
}
