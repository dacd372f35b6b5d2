// Saves pictures of what the Qt layer draws, to look at by eye:
//   form.png      a screen with Chinese captions, fields and a grid
//   message.png   a question box and a long notice box
//   frame.png     the main window with its background, banners and a child window
//   receipt.pdf   a receipt as it would be printed
// Usage: ui_shots [folder]   (default /tmp/shots); runs offscreen.

#include "app/home.h"
#include "app/tmain.h"
#include "shots_app.h"
#include "ui/formwidget.h"
#include "ui/mainframe.h"
#include "ui/qtshell.h"
#include "ui_fixture.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTest>
#include <cstdio>

using namespace ui_testing;

namespace {

bool save(QWidget* w, const QString& path) {
    QApplication::processEvents();
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    testing_support::ShotsApp app(argc, argv);
    const QString& folder = app.folder();
    bool ok = true;

    GiftData data;
    data.openGifts();
    RecordingShell shell;

    {   // a screen
        GiftScreen screen(shell, data.dm1.ADOQuery3);
        screen.CardNo.setText(QStringLiteral("00012345"));
        screen.Points.setText(QStringLiteral("120.5"));
        screen.Kind_.setItemIndex(0);
        data.dm1.ADOQuery3.moveTo(2);
        ui::FormWidget view(screen);
        view.setWindowTitle(screen.caption());
        view.resize(560, 460);
        view.show();
        (void)QTest::qWaitForWindowExposed(&view);
        ok &= save(&view, folder + QStringLiteral("/form.png"));
    }
    {   // message boxes
        std::unique_ptr<QMessageBox> question(ui::QtShell::makeMessageBox(
            QStringLiteral("确实要退出本系统吗？"), QStringLiteral("系统提示"), kit::Icon::Question, kit::Buttons::OkCancel));
        question->show();
        (void)QTest::qWaitForWindowExposed(question.get());
        ok &= save(question.get(), folder + QStringLiteral("/message.png"));
        std::unique_ptr<QMessageBox> notice(ui::QtShell::makeMessageBox(
            QStringLiteral("退出系统前软件已经自动进行数据备份！，备份文件名称为当前日期，备份文件存放地址为软件安装目录下的“backup”文件夹下。"
                           "您还需要再次手动备份，以便保留备份文件副本吗？点击“确定”再次进行备份，点击“取消”不再次备份！"),
            QStringLiteral("提示"), kit::Icon::Question, kit::Buttons::OkCancel));
        notice->show();
        (void)QTest::qWaitForWindowExposed(notice.get());
        ok &= save(notice.get(), folder + QStringLiteral("/message-long.png"));
    }
    {   // the frame
        app::seedHomeFiles(data.home.path());
        app::TMAIN tmain(shell, data.dm1, data.home.path());
        tmain.birthdayReminderAtStart = false;
        tmain.lowStockAlertAtStart = false;
        tmain.setShopName(QStringLiteral("幸福超市"));
        tmain.setSlogan(QStringLiteral("欢迎光临，会员购物享积分，积分可兑换精美礼品！"));
        tmain.setBackground(app::defaultBackgroundPath(data.home.path()));
        tmain.operatorPane.setText(QStringLiteral("当前用户为:0001"));
        ui::MainFrame frame(tmain, shell);
        frame.resize(1280, 800);
        frame.show();
        (void)QTest::qWaitForWindowExposed(&frame);
        shell.openChildWindow(QStringLiteral("礼品兑换"), [&] {
            auto screen = std::make_unique<GiftScreen>(shell, data.dm1.ADOQuery3);
            screen->position = std::make_pair(20, 20);
            return screen;
        });
        QTest::qWait(300);
        ok &= save(&frame, folder + QStringLiteral("/frame.png"));
        for (kit::Form* f : shell.childWindows()) f->close();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell.collectClosed();
    }
    {   // a receipt
        kit::ReportDocument doc;
        doc.title = QStringLiteral("小票");
        doc.paperWidthMm = 58;
        doc.marginLeftMm = doc.marginRightMm = 2;
        doc.marginTopMm = doc.marginBottomMm = 4;
        doc.lines.push_back({QStringLiteral("幸福超市"), kit::ReportLine::Face::Hei, 12, true, kit::Align::Center});
        doc.lines.push_back({QStringLiteral("购物增加积分小票"), kit::ReportLine::Face::Hei, 10, false, kit::Align::Center});
        doc.lines.push_back({QStringLiteral("流水号：0000000012")});
        doc.lines.push_back({QStringLiteral("会员卡号：00012345")});
        doc.lines.push_back({QStringLiteral("本次消费：128.5 元    本次积分：128.5")});
        doc.lines.push_back({QStringLiteral("谢谢惠顾，欢迎再次光临！"), kit::ReportLine::Face::Song, 9, false, kit::Align::Center});
        QString failure;
        const bool written = ui::QtShell::renderPdf(doc, folder + QStringLiteral("/receipt.pdf"), &failure);
        std::printf("%s %s %s\n", written ? "saved" : "FAILED", qPrintable(folder + "/receipt.pdf"), qPrintable(failure));
        ok &= written;
    }
    return ok ? 0 : 1;
}
