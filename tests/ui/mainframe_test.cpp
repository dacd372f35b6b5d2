// The frame: menus and toolbar mirror the kit's items, child windows live in
// its client area, and its close button is the main window's own close.

#include "app/tmain.h"
#include "ui/formwidget.h"
#include "ui/mainframe.h"
#include "ui_fixture.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using ui_testing::GiftData;
using ui_testing::RecordingShell;

namespace {

struct Frame : testing::Test {
    GiftData data;
    RecordingShell shell;
    app::TMAIN tmain{shell, data.dm1, data.home.path()};
    std::unique_ptr<ui::MainFrame> frame;

    void SetUp() override {
        frame = std::make_unique<ui::MainFrame>(tmain, shell);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void TearDown() override {
        for (kit::Form* f : shell.childWindows()) f->close();
        QApplication::processEvents();
        shell.collectClosed();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frame.reset();
    }
    QAction* menuAction(const QString& menu, const QString& item) const {
        for (QAction* top : frame->menuBar()->actions())
            if (top->text() == menu)
                for (QAction* a : top->menu()->actions())
                    if (a->text() == item) return a;
        return nullptr;
    }
    QAction* toolAction(const QString& caption) const {
        for (QAction* a : frame->findChild<QToolBar*>()->actions())
            if (a->text() == caption) return a;
        return nullptr;
    }
    std::unique_ptr<kit::Form> makeChild() {
        auto f = std::make_unique<kit::Form>(shell, "Tchild", QStringLiteral("默认"), kit::Form::Kind::Child);
        return f;
    }
};

}  // namespace

TEST_F(Frame, MenusAndToolButtonsFollowTheKitAndActThroughIt) {
    kit::MenuItem* item = tmain.menuItem(QStringLiteral("基本业务"), QStringLiteral("增加积分"));
    ASSERT_NE(item, nullptr);
    int clicks = 0;
    item->onClick = [&] { ++clicks; };
    QAction* action = menuAction(QStringLiteral("基本业务"), QStringLiteral("增加积分"));
    QAction* tool = toolAction(QStringLiteral("刷卡消费/增加积分"));
    ASSERT_NE(action, nullptr);
    ASSERT_NE(tool, nullptr);

    action->trigger();
    tool->trigger();
    EXPECT_EQ(clicks, 2);

    item->setEnabled(false);
    EXPECT_FALSE(action->isEnabled());
    tool->trigger();   // the button acts through its disabled item: nothing
    EXPECT_EQ(clicks, 2);

    tmain.toolButton(QStringLiteral("刷卡消费/增加积分"))->setEnabled(false);
    EXPECT_FALSE(tool->isEnabled());
}

TEST_F(Frame, AChildWindowIsOneSubWindowPerCaptionAndItsCloseButtonClosesTheForm) {
    int closes = 0;
    kit::Form& child = shell.openChildWindow(QStringLiteral("操作人员设置"), [&] {
        auto f = makeChild();
        f->onClose = [&] { ++closes; };
        return f;
    });
    shell.openChildWindow(QStringLiteral("操作人员设置"), [&] { return makeChild(); });
    QMdiArea* area = frame->mdiArea();
    ASSERT_EQ(area->subWindowList().size(), 1);
    QMdiSubWindow* sub = area->subWindowList().first();
    EXPECT_EQ(sub->windowTitle(), QStringLiteral("操作人员设置"));
    EXPECT_EQ(area->activeSubWindow(), sub);

    sub->close();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(shell.childWindow(QStringLiteral("操作人员设置")), nullptr);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area->subWindowList().isEmpty());
    (void)child;
}

TEST_F(Frame, TheTitleBarCloseAsksTheMainWindowFirst) {
    shell.answers = {kit::Answer::Cancel};
    frame->close();
    EXPECT_EQ(shell.messages, QStringList{QStringLiteral("确实要退出本系统吗？")});
    EXPECT_TRUE(frame->isVisible()) << "Cancel keeps the window open";
    EXPECT_FALSE(shell.quitCalled);

    shell.answers = {kit::Answer::Ok, kit::Answer::Cancel};
    frame->close();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(shell.quitCalled);
}

TEST_F(Frame, TheCaptionAndStatusPanesFollowTheKit) {
    tmain.setShopName(QStringLiteral("幸福超市"));
    tmain.operatorPane.setText(QStringLiteral("当前用户为:0001"));
    EXPECT_EQ(frame->windowTitle(), tmain.caption());
    QStringList texts;
    for (QLabel* l : frame->statusBar()->findChildren<QLabel*>()) texts << l->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("当前用户为:0001")));
}
