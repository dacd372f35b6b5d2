// Start-up: the lock, the display settings, the database and its failure.

#include "app/home.h"
#include "app/settings.h"
#include "app/startup.h"
#include "db/schema.h"
#include "fake_shell.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using app::Program;
using testing_support::FakeShell;
using testing_support::TempHome;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

}  // namespace

TEST(Startup, FirstStartInAnEmptyHomeMakesANewInstallation) {
    TempHome home, locks;
    FakeShell shell;
    Program p(shell, home.path(), locks.path());
    ASSERT_EQ(p.start(), Program::Outcome::Running);
    EXPECT_TRUE(shell.messages.empty());
    for (const char* dir : {"database", "backup", "image"}) EXPECT_TRUE(QDir(home.file(dir)).exists()) << dir;
    EXPECT_TRUE(QFile::exists(home.file("database/database.db")));
    EXPECT_TRUE(QFile::exists(home.file("help.html")));
    EXPECT_TRUE(p.mainWindow().Image1.visible()) << "the shipped background picture";
    p.DM1().ADOall.openWith("select 姓名 from 操作员 where 操作员=?", {"0001"});
    EXPECT_EQ(p.DM1().ADOall.fieldByName("姓名").asString(), "系统管理员");
}

TEST(Startup, WithoutSettingsEverythingTakesItsDefault) {
    TempHome home, locks;
    FakeShell shell;
    Program p(shell, home.path(), locks.path());
    ASSERT_EQ(p.start(), Program::Outcome::Running);
    const app::TMAIN& m = p.mainWindow();
    EXPECT_EQ(m.caption(), "KorvanaV7.8");
    EXPECT_EQ(m.Label1.text(), "");
    EXPECT_EQ(m.Label2.text(), "K o r v a n a");
    EXPECT_EQ(m.sloganPane.text(), "");
    EXPECT_EQ(m.backgroundPath, app::defaultBackgroundPath(home.path()));
    EXPECT_TRUE(m.birthdayReminderAtStart);
    EXPECT_TRUE(m.lowStockAlertAtStart);
    EXPECT_EQ(m.defaultBackupName, QDate::currentDate().toString("yyyy-MM-dd"));
}

TEST(Startup, DisplaySettingsReachTheMainWindow) {
    struct Case {
        const char* background;   // nullptr = key missing
        bool pictureShown;
        bool defaultPath;
    } cases[] = {
        {nullptr, true, true},
        {"", true, true},                      // an empty value means the default too
        {"/nowhere/none.jpg", false, false},   // no picture, and no message
    };
    for (const Case& c : cases) {
        TempHome home, locks;
        app::Settings s(home.path());
        s.writeText("店铺名称", "老王餐厅");
        s.writeText("广告语", "欢迎光临\n本店");
        s.writeFlag("提醒", false);
        s.writeText("提醒1", "2");
        if (c.background) s.writeText("背景", c.background);
        FakeShell shell;
        Program p(shell, home.path(), locks.path());
        ASSERT_EQ(p.start(), Program::Outcome::Running);
        const app::TMAIN& m = p.mainWindow();
        EXPECT_EQ(m.caption(), "老王餐厅KorvanaV7.8");
        EXPECT_EQ(m.Label1.text(), "老王餐厅");
        EXPECT_EQ(m.sloganPane.text(), "欢迎光临\n本店");
        EXPECT_FALSE(m.birthdayReminderAtStart);
        EXPECT_TRUE(m.lowStockAlertAtStart);
        EXPECT_EQ(m.Image1.visible(), c.pictureShown) << (c.background ? c.background : "(missing)");
        EXPECT_EQ(m.backgroundPath == app::defaultBackgroundPath(home.path()), c.defaultPath);
        EXPECT_TRUE(shell.messages.empty());
    }
}

TEST(Startup, ADatabaseThatCannotBeOpenedEndsWithTheMessage) {
    struct Case {
        const char* what;
        QByteArray content;   // empty: the file is missing from an existing database folder
    } cases[] = {
        {"moved away", {}},
        {"damaged", QByteArray("this is not a database at all, just some bytes").repeated(200)},
    };
    for (const Case& c : cases) {
        TempHome home, locks;
        QDir().mkpath(home.file("database"));
        if (!c.content.isEmpty()) writeFile(home.file("database/database.db"), c.content);
        FakeShell shell;
        Program p(shell, home.path(), locks.path());
        bool loginShown = false;
        p.login = [&](Program&) { return loginShown = true; };
        EXPECT_EQ(p.start(), Program::Outcome::DatabaseFailed) << c.what;
        ASSERT_EQ(shell.messages.size(), 1u) << c.what;
        EXPECT_EQ(shell.messages[0].text, "无法连接到指定的数据库！请重试！");
        EXPECT_EQ(shell.messages[0].caption, "错误");
        EXPECT_EQ(shell.messages[0].icon, kit::Icon::Error);
        EXPECT_FALSE(loginShown) << "no login is offered";
        EXPECT_FALSE(QFile::exists(home.file("database/database.db")) && c.content.isEmpty())
            << "a lost database is not silently replaced by an empty one";
    }
}

TEST(Startup, ASecondCopyEndsSilentlyAndTheFirstRunsOn) {
    TempHome home, locks;
    FakeShell firstShell, secondShell;
    Program first(firstShell, home.path(), locks.path());
    ASSERT_EQ(first.start(), Program::Outcome::Running);

    Program second(secondShell, home.path(), locks.path());
    EXPECT_EQ(second.start(), Program::Outcome::AlreadyRunning);
    EXPECT_TRUE(secondShell.messages.empty());

    first.DM1().ADOall.openWith("select count(*) as n from 操作员");
    EXPECT_EQ(first.DM1().ADOall.fieldByName("n").asString(), "1");
}

TEST(Startup, ACancelledLoginEnds) {
    TempHome home, locks;
    FakeShell shell;
    Program p(shell, home.path(), locks.path());
    p.login = [](Program&) { return false; };
    EXPECT_EQ(p.start(), Program::Outcome::LoginCancelled);
}

TEST(Home, CommandLineThenEnvironmentThenExecutableFolder) {
    qunsetenv("KORVANA_HOME");
    EXPECT_EQ(app::resolveHome({"korvana"}, "/opt/korvana"), "/opt/korvana");
    qputenv("KORVANA_HOME", "/srv/shop");
    EXPECT_EQ(app::resolveHome({"korvana"}, "/opt/korvana"), "/srv/shop");
    EXPECT_EQ(app::resolveHome({"korvana", "--home", "/tmp/h"}, "/opt/korvana"), "/tmp/h");
    EXPECT_EQ(app::resolveHome({"korvana", "--home=/tmp/h2"}, "/opt/korvana"), "/tmp/h2");
    qunsetenv("KORVANA_HOME");
}
