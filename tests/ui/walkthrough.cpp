// Walks the real program from start-up through the login to the main window
// and saves what the operator sees (not a test):
//   login.png        the login dialog as it first shows
//   main.png         the main window after the administrator logged in
//   main-child.png   the same with the category screen open, listing a few categories
//   purchase.png     the purchase screen with a member looked up and two goods lines
//   return.png       the return screen with a member looked up and an amount
// Usage: walkthrough [folder]   (default /tmp/shots); run under Xvfb or offscreen.

#include "access/tloginform.h"
#include "app/startup.h"
#include "members/install.h"
#include "points/ttuihuo.h"
#include "points/tzengjiajifen.h"
#include "points/install.h"
#include "ui/fonts.h"
#include "ui/mainframe.h"
#include "ui/qtshell.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

void save(QWidget* w, const QString& path) {
    QApplication::processEvents();
    const bool ok = w && w->grab().save(path);
    std::printf("%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(kit::kProductTitle);
    ui::installFonts();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots");
    QDir().mkpath(folder);
    QTemporaryDir home, locks;

    ui::QtShell shell;
    app::Program program(shell, home.path(), locks.path());
    program.login = [&](app::Program& p) {
        auth::Tloginform dialog(shell, p.DM1(), p.mainWindow());
        QTimer::singleShot(500, [&] {
            save(QApplication::activeModalWidget(), folder + QStringLiteral("/login.png"));
            dialog.btnlogin.click();
        });
        return shell.showModal(dialog) == kit::ModalResult::Ok;
    };
    if (program.start() != app::Program::Outcome::Running) return 1;
    members::install(program);
    points::install(program);

    ui::MainFrame frame(program.mainWindow(), shell);
    shell.setFrameArea(frame.mdiArea());
    program.mainWindow().setSlogan(QStringLiteral("欢迎光临，会员消费可累计积分兑换礼品！"));
    frame.showMaximized();
    // A shop with a few categories and one member.
    db::Connection& conn = program.DM1().ADOConnection1;
    conn.exec(QStringLiteral("insert into 卡类别 values ('普通卡', 10, 1, 0, 0, 499), ('银卡', 8, 1, 1, 500, 999), "
                             "('金卡', 5, 1, 1, 1000, 99999)"));
    conn.exec(QStringLiteral("insert into 会员卡信息 (会员卡号, 卡类别, 会员姓名, 性别, 身份证号, 生日类型, 会员生日, 积分, 地址, "
                             "手机, 起用日期, 口头挂失标志) values ('80012345', '银卡', '王小明', '男', '110101199003071234', "
                             "'公历', '3-7', 620.5, '北京市东城区和平里大街12号', '13812345678', '2025-03-01', 0)"));
    QTimer::singleShot(1500, [&] {
        save(&frame, folder + QStringLiteral("/main.png"));
        program.mainWindow().menuItem(QStringLiteral("会员卡管理"), QStringLiteral("会员卡类别设置"))->click();
        QTimer::singleShot(500, [&] {
            save(&frame, folder + QStringLiteral("/main-child.png"));
            shell.childWindow(QStringLiteral("会员卡类别设置"))->close();
            program.mainWindow().menuItem(QStringLiteral("基本业务"), QStringLiteral("增加积分"))->click();
            auto* screen = static_cast<points::Tzengjiajifen*>(shell.childWindow(QStringLiteral("购物或换货增加积分")));
            screen->lookup.cardNumber.setFocus();
            screen->typeText(QStringLiteral("80012345\r"));
            screen->AdvStringGrid1.setFocus();
            screen->AdvStringGrid1.editCell(1, 1, QStringLiteral("蓝山咖啡豆"));
            screen->AdvStringGrid1.editCell(2, 1, QStringLiteral("30"));
            screen->AdvStringGrid1.editCell(1, 2, QStringLiteral("鲜榨橙汁"));
            screen->AdvStringGrid1.editCell(2, 2, QStringLiteral("20.5"));
            screen->moveFocusTo(screen->Edit16);
            screen->typeText(QStringLiteral("100"));
            QTimer::singleShot(500, [&, screen] {
                save(&frame, folder + QStringLiteral("/purchase.png"));
                screen->close();
                program.mainWindow().menuItem(QStringLiteral("基本业务"), QStringLiteral("退/换货减积分"))->click();
                auto* back = static_cast<points::Ttuihuo*>(shell.childWindow(QStringLiteral("退换货减积分")));
                back->lookup.cardNumber.setFocus();
                back->typeText(QStringLiteral("80012345\r"));
                back->Edit15.setFocus();
                back->typeText(QStringLiteral("55.55"));
                QTimer::singleShot(500, [&] {
                    save(&frame, folder + QStringLiteral("/return.png"));
                    frame.hide();   // ends without the exit question
                    QApplication::quit();
                });
            });
        });
    });
    return QApplication::exec();
}
