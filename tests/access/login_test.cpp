// The login dialog as the operator uses it.

#include "access/password.h"
#include "login_fixture.h"

using auth::Tloginform;

TEST(LoginPassword, OnlyAsciiLettersFoldTheirCase) {
    struct Case {
        QString typed, stored;
        bool match;
    } cases[] = {
        {"", "", true},           {"abc", "abc", true},  {"ABC", "abc", true},   {"aBc1", "AbC1", true},
        {"abc ", "abc", false},   {"ab", "abc", false},  {"密码", "密码", true}, {"密碼", "密码", false},
        {"Ａbc", "ａbc", false},  // full-width letters are not folded
        {"x", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(auth::loginPasswordMatches(c.typed, c.stored), c.match)
            << c.typed.toStdString() << " / " << c.stored.toStdString();
}

TEST_F(LoginFixture, ShowingListsOperatorsAndSelectsTheFirst) {
    addOperator("0002", "收银员", "abc");
    login([](Tloginform& f) {
        EXPECT_EQ(f.cbusername.items(), QStringList({"0001", "0002"}));
        EXPECT_EQ(f.cbusername.itemIndex(), 0);
        EXPECT_EQ(f.edtname.text(), "系统管理员");
        EXPECT_EQ(f.focused(), &f.cbusername);
        f.btnexit.click();
    });
    EXPECT_TRUE(shell.messages.empty());
}

TEST(Login, Cases) {
    struct Case {
        const char* what;
        const char* op;         // chosen from the list
        QStringList passwords;  // typed one after the other, each ended with Enter
        bool loggedIn;
        QStringList messages;
    };
    const QString retry = "密码错误，请重新输入！";
    const QString closing = "密码错误超过五次，软件将被关闭！";
    const Case cases[] = {
        {"administrator without a password", "0001", {""}, true, {}},
        {"case-folded password", "0002", {"ABC"}, true, {}},
        {"trailing blank refused", "0002", {"abc "}, false, {retry}},
        {"four wrong then right", "0002", {"1", "2", "3", "4", "abc"}, true, {retry, retry, retry, retry}},
        {"five wrong ends", "0002", {"1", "2", "3", "4", "5", "abc"}, false, {retry, retry, retry, retry, closing}},
        {"missing stored password is empty", "0003", {""}, true, {}},
    };
    for (const Case& c : cases) {
        LoginEnv env;
        env.addOperator("0002", "收银员", "abc", {13});
        env.addOperator("0003", "无密码", QVariant());
        const bool ok = env.login([&](Tloginform& f) {
            f.cbusername.choose(int(f.cbusername.items().indexOf(c.op)));
            EXPECT_EQ(f.focused(), &f.edtpassword) << c.what;
            for (const QString& pw : c.passwords) {
                if (f.isClosing()) break;
                f.typeText(pw + "\r");
                if (!f.isClosing()) {
                    EXPECT_EQ(f.edtpassword.text(), "") << c.what << ": cleared for the next try";
                }
            }
        });
        EXPECT_EQ(ok, c.loggedIn) << c.what;
        EXPECT_EQ(env.shell.messageTexts(), c.messages) << c.what;
        for (const auto& m : env.shell.messages) {
            EXPECT_EQ(m.caption, "提示");
            EXPECT_EQ(m.icon, kit::Icon::Error);
        }
    }
}

TEST_F(LoginFixture, SuccessRecordsTheOperatorAndTheTypedPassword) {
    addOperator("0002", "收银员", "abc");
    ASSERT_TRUE(login([](Tloginform& f) {
        f.cbusername.choose(1);
        f.typeText("AbC\r");
    }));
    const app::TMAIN& m = program.mainWindow();
    EXPECT_EQ(m.currentLogin.operatorNumber, "0002");
    EXPECT_EQ(m.currentLogin.typedPassword, "AbC") << "as typed, not as stored";
    EXPECT_EQ(m.operatorPane.text(), "当前用户为:0002");
}

TEST_F(LoginFixture, TypingIntoTheOperatorBoxMovesOnAtTheFirstKey) {
    addOperator("7", "单字编号", "");
    login([this](Tloginform& f) {
        f.cbusername.setText("");
        f.typeText("0");
        EXPECT_EQ(shell.messageTexts(), QStringList({"不存在的用户！"})) << "\"0\" is nobody";
        EXPECT_EQ(f.focused(), &f.cbusername);
        EXPECT_TRUE(f.cbusername.allSelected());

        shell.messages.clear();
        f.cbusername.setText("");
        f.cbusername.setFocus();
        f.typeText("7");
        EXPECT_TRUE(shell.messages.empty()) << "a one-character operator number exists";
        EXPECT_EQ(f.focused(), &f.edtpassword);
        EXPECT_EQ(f.edtname.text(), "单字编号");
        f.btnexit.click();
    });
}

TEST_F(LoginFixture, UnknownOperatorIsRefusedWithoutCountingAnAttempt) {
    login([this](Tloginform& f) {
        f.cbusername.setItems({});
        for (int i = 0; i < 6; ++i) f.btnlogin.click();
        EXPECT_EQ(f.failedAttempts(), 0);
        EXPECT_FALSE(f.isClosing());
        EXPECT_EQ(shell.messages.size(), 6u);
        EXPECT_EQ(shell.lastMessage(), "不存在的用户！");
        f.btnexit.click();
    });
}
