// The rules dialog (automatic category change, rounding) and the cash ratio
// dialog.

#include "app/settings.h"
#include "members/tcanshu.h"
#include "members_env.h"

#include <QDir>

using kit::Icon;
using members::Tcanshu;
using members::Txianjinbili;

namespace {

struct RulesFixture : ::testing::Test, MembersEnv {
    void openRules(std::function<void(Tcanshu&)> script) {
        shell.modalScripts.push_back([script](kit::Form& f) { script(static_cast<Tcanshu&>(f)); });
        main().menuItem("会员卡管理", "会员卡类别自动升级/积分规则设置")->click();
    }
    QString rulesRow() { return value("select 自动变卡 || '|' || 方式 from 自动变卡"); }
};

}  // namespace

TEST_F(RulesFixture, ANewDatabaseShowsManualChangeAndHalfUpAndSavesItUnchanged) {
    bool stayedOpen = false;
    openRules([&](Tcanshu& d) {
        EXPECT_EQ(d.caption(), "卡类别自动升级/积分规则设置");
        EXPECT_EQ(d.RadioGroup1.items().value(d.RadioGroup1.itemIndex()), "卡类别不根据积分自动改变（手动改变卡类别）");
        EXPECT_EQ(d.RadioGroup2.items().value(d.RadioGroup2.itemIndex()), "四舍五入，保留两位小数");
        d.BitBtn1.click();
        stayedOpen = !d.isClosing();
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(shell.messageTexts(), QStringList{"参数修改成功！"});
    EXPECT_EQ(shell.messages[0].caption, "提示");
    EXPECT_EQ(shell.messages[0].icon, Icon::Information);
    EXPECT_EQ(rulesRow(), "否|1");
}

TEST(RulesDialog, ShowsTheStoredRowAndSavesTheChoice) {
    const struct Case {
        QString stored, shown;   // 自动变卡|方式, item of each group
        int choose1, choose2;    // -1 keeps the item shown
        QString saved;
    } cases[] = {
        {"否|1", "1|0", 0, 1, "是|2"},
        {"是|2", "0|1", 1, 0, "否|1"},
        {"是|3", "0|1", -1, -1, "是|2"},   // any rounding other than 1 is 2
        {"其他|1", "1|0", -1, -1, "否|1"},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.conn().exec("update 自动变卡 set 自动变卡=?, 方式=?", {c.stored.section('|', 0, 0), c.stored.section('|', 1).toInt()});
        env.shell.modalScripts.push_back([&](kit::Form& f) {
            auto& d = static_cast<Tcanshu&>(f);
            EXPECT_EQ(QString("%1|%2").arg(d.RadioGroup1.itemIndex()).arg(d.RadioGroup2.itemIndex()), c.shown) << c.stored.toStdString();
            if (c.choose1 >= 0) d.RadioGroup1.choose(c.choose1);
            if (c.choose2 >= 0) d.RadioGroup2.choose(c.choose2);
            d.BitBtn1.click();
        });
        env.main().menuItem("会员卡管理", "会员卡类别自动升级/积分规则设置")->click();
        EXPECT_EQ(env.value("select 自动变卡 || '|' || 方式 from 自动变卡"), c.saved) << c.stored.toStdString();
    }
}

TEST_F(RulesFixture, SwitchingTheAutomaticChangeOnReachesTheCategoryScreenWhenItOpensNext) {
    members::Tleibie& open = openCategories();
    openRules([](Tcanshu& d) {
        d.RadioGroup1.choose(0);
        d.BitBtn1.click();
    });
    EXPECT_FALSE(open.boundsEnabled()) << "the open screen keeps what it read when it opened";
    open.BitBtn2.click();
    shell.runTimers();
    EXPECT_TRUE(openCategories().boundsEnabled());
}

TEST(CashRatioDialog, ShowsAndSavesTheCashValueOfAPoint) {
    const struct Case {
        const char* what;
        std::optional<QString> stored;   // 现金比例 before
        QString shown;
        QString typed;                   // replaces the field's text
        QString message;
        Icon icon;
        std::optional<QString> storedAfter;
    } cases[] = {
        {"missing key reads 1", std::nullopt, "1", "0.5", "保存成功！", Icon::Information, "0.5"},
        {"letters never reach the field", "2", "2", "1.5元", "保存成功！", Icon::Information, "1.5"},
        {"empty refused", "2", "2", "", "兑换现金比例不能为空！", Icon::Error, "2"},
        {"not a number refused", std::nullopt, "1", "1.2.3", "兑换现金比例“1.2.3”不是有效的数字，请重新输入！",
         Icon::Error, std::nullopt},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        app::Settings settings(env.home.path());
        if (c.stored) settings.writeText(members::kCashRatioKey, *c.stored);
        Txianjinbili* dialog = members::cashRatioDialog(env.program);
        ASSERT_NE(dialog, nullptr);
        bool stayedOpen = false;
        env.shell.modalScripts.push_back([&](kit::Form& f) {
            auto& d = static_cast<Txianjinbili&>(f);
            EXPECT_EQ(d.Edit1.text(), c.shown) << c.what;
            EXPECT_EQ(d.focused(), &d.Edit1) << c.what;
            d.Edit1.selectAll();
            d.typeText(c.typed.isEmpty() ? QString("\b") : c.typed);
            d.BitBtn1.click();
            stayedOpen = !d.isClosing();
        });
        env.shell.showModal(*dialog);

        ASSERT_EQ(env.shell.messageTexts(), QStringList{c.message}) << c.what;
        EXPECT_EQ(env.shell.messages[0].caption, "提示") << c.what;
        EXPECT_EQ(env.shell.messages[0].icon, c.icon) << c.what;
        EXPECT_EQ(stayedOpen, c.icon == Icon::Error) << c.what;
        const QString missing = "<missing>";
        EXPECT_EQ(settings.readText(members::kCashRatioKey, missing), c.storedAfter.value_or(missing)) << c.what;
    }
}

TEST_F(RulesFixture, CashRatioThatCannotBeWrittenKeepsTheDialogOpen) {
    ASSERT_TRUE(QDir(home.path()).mkdir("myini.ini"));   // a folder where the file should be
    bool stayedOpen = false;
    shell.modalScripts.push_back([&](kit::Form& f) {
        f.typeText("3");
        static_cast<Txianjinbili&>(f).BitBtn1.click();
        stayedOpen = !f.isClosing();
    });
    shell.showModal(*members::cashRatioDialog(program));
    EXPECT_EQ(shell.messageTexts(), QStringList{"保存失败！"});
    EXPECT_EQ(shell.messages[0].icon, Icon::Error);
    EXPECT_TRUE(stayedOpen);
}
