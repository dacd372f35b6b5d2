// The main window's own behaviour: menus, closing with the automatic
// backup, the manual backup, help.

#include "app/backup.h"
#include "app/startup.h"
#include "db/schema.h"
#include "fake_shell.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using kit::Answer;
using testing_support::FakeShell;
using testing_support::TempHome;

namespace {

struct MainWindowFixture : ::testing::Test {
    TempHome home, locks;
    FakeShell shell;
    app::Program program{shell, home.path(), locks.path()};
    QString todaysBackup;

    void SetUp() override {
        ASSERT_EQ(program.start(), app::Program::Outcome::Running);
        todaysBackup = app::automaticBackupPath(home.path(), QDate::currentDate());
    }
    app::TMAIN& main() { return program.mainWindow(); }
    void addMember(const QString& card) {
        program.DM1().ADOConnection1.exec("insert into 会员卡信息 (会员卡号) values (?)", {card});
    }
    // Members in a backup file, read with the key.
    qsizetype membersIn(const QString& path) {
        db::Connection c;
        c.open(path, db::databaseKey());
        return c.select("select * from 会员卡信息").rowCount();
    }
};

const QString kExitQuestion = "确实要退出本系统吗？";

}  // namespace

TEST_F(MainWindowFixture, CancelAtTheExitQuestionKeepsTheWindowAndWritesNothing) {
    shell.answers = {Answer::Cancel};
    EXPECT_FALSE(main().requestClose());
    EXPECT_EQ(shell.messageTexts(), QStringList({kExitQuestion}));
    EXPECT_EQ(shell.messages[0].caption, "系统提示");
    EXPECT_EQ(shell.messages[0].buttons, kit::Buttons::OkCancel);
    EXPECT_FALSE(QFile::exists(todaysBackup));
    EXPECT_FALSE(shell.quitCalled);
}

TEST_F(MainWindowFixture, ClosingWritesTheDaysBackupAndASecondCloseReplacesIt) {
    addMember("A001");
    shell.answers = {Answer::Ok, Answer::Cancel};
    EXPECT_TRUE(main().requestClose());
    EXPECT_TRUE(shell.quitCalled);
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_TRUE(shell.messages[1].text.startsWith("退出系统前软件已经自动进行数据备份！"));
    EXPECT_EQ(membersIn(todaysBackup), 1);

    addMember("A002");
    shell.answers = {Answer::Ok, Answer::Cancel};
    EXPECT_TRUE(main().requestClose());
    EXPECT_EQ(membersIn(todaysBackup), 2) << "the last backup of the day wins";
}

TEST_F(MainWindowFixture, MissingBackupFolderIsCreated) {
    QDir(home.file("backup")).removeRecursively();
    shell.answers = {Answer::Ok, Answer::Cancel};
    main().requestClose();
    EXPECT_TRUE(QFile::exists(todaysBackup));
}

TEST_F(MainWindowFixture, AFailedBackupSaysSoAndStillEnds) {
    QDir(home.file("backup")).removeRecursively();
    QFile blocker(home.file("backup"));   // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    shell.answers = {Answer::Ok};
    EXPECT_TRUE(main().requestClose());
    EXPECT_EQ(shell.messageTexts(), QStringList({kExitQuestion, "备份数据失败，请重试！"}));
    EXPECT_EQ(shell.messages[1].caption, "错误");
    EXPECT_EQ(shell.messages[1].icon, kit::Icon::Error);
    EXPECT_TRUE(shell.quitCalled);
}

TEST_F(MainWindowFixture, TheFollowUpBackupNeedsFlag3) {
    struct Case {
        bool flag3;
        bool dialogShown;
    } cases[] = {{false, false}, {true, true}};
    for (const Case& c : cases) {
        shell.messages.clear();
        shell.fileDialogs.clear();
        main().menuItem("系统设置", "数据备份")->setEnabled(c.flag3);
        shell.answers = {Answer::Ok, Answer::Ok};
        shell.fileChoices = {std::nullopt};   // the operator cancels the save dialog
        EXPECT_TRUE(main().requestClose());
        EXPECT_EQ(shell.fileDialogs.size(), c.dialogShown ? 1u : 0u);
        EXPECT_EQ(shell.messages.size(), 2u) << "nothing more is said";
    }
}

TEST_F(MainWindowFixture, ManualBackupAppendsBakAndRemembersTheName) {
    addMember("A001");
    const QString chosen = home.file("copy.bak");
    shell.fileChoices = {kit::FileChoice{chosen, 0}, kit::FileChoice{"", 0}, std::nullopt};
    kit::MenuItem* item = main().menuItem("系统设置", "数据备份");
    item->click();
    ASSERT_EQ(shell.fileDialogs.size(), 1u);
    EXPECT_EQ(shell.fileDialogs[0].defaultName, QDate::currentDate().toString("yyyy-MM-dd"));
    EXPECT_EQ(shell.fileDialogs[0].filters.size(), 2u);
    EXPECT_FALSE(shell.fileDialogs[0].confirmOverwrite);
    EXPECT_EQ(membersIn(chosen + ".bak"), 1) << "a name ending in .bak gets a second one";
    EXPECT_EQ(shell.lastMessage(), "备份数据成功！");

    item->click();   // an empty name ends quietly
    item->click();   // so does Cancel
    EXPECT_EQ(shell.fileDialogs[1].defaultName, chosen);
    EXPECT_EQ(shell.messages.size(), 1u);
}

TEST_F(MainWindowFixture, ManualBackupIntoAMissingFolderFails) {
    shell.fileChoices = {kit::FileChoice{home.file("no/such/folder/x"), 0}};
    main().menuItem("系统设置", "数据备份")->click();
    EXPECT_EQ(shell.lastMessage(), "备份数据失败，请重试！");
    EXPECT_EQ(shell.messages.back().caption, "错误");
}

TEST_F(MainWindowFixture, ChildItemsOpenOneWindowPerCaption) {
    main().menuItem("系统设置", "操作人员及权限设置")->click();
    main().menuItem("系统设置", "操作人员及权限设置")->click();
    ASSERT_EQ(shell.childWindows().size(), 1u);
    EXPECT_EQ(shell.childWindows()[0]->caption(), "操作人员设置");
}

TEST_F(MainWindowFixture, HelpOpensTheHelpFileWithTheDesktop) {
    main().toolButton("系统帮助")->click();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], QDir(home.path()).filePath("help.html"));
}

TEST(MainWindow, BannerLinesAreCentredByTheirHeights) {
    EXPECT_EQ(app::TMAIN::banner1At(1024, 768).left, 4);
    EXPECT_EQ(app::TMAIN::banner1At(1024, 768).top, (768 - 4 * 57) / 2);
    EXPECT_EQ(app::TMAIN::banner2At(1024, 768).top, (768 - 65) / 2);
    EXPECT_EQ(app::TMAIN::banner1At(800, 100).left, -108) << "halves cut toward zero";
    EXPECT_EQ(app::TMAIN::banner1At(800, 100).top, -64);
}
