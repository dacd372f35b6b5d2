// Walks the real program from start-up through the login to the main window
// and saves what the operator sees (not a test):
//   login.png        the login dialog as it first shows
//   main.png         the main window after the administrator logged in
//   main-child.png   the same with the category screen open
// Usage: walkthrough [folder]   (default /tmp/shots); run under Xvfb or offscreen.

#include "access/tloginform.h"
#include "app/startup.h"
#include "members/install.h"
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
    QTimer::singleShot(1500, [&] {
        save(&frame, folder + QStringLiteral("/main.png"));
        program.mainWindow().menuItem(QStringLiteral("会员卡管理"), QStringLiteral("会员卡类别设置"))->click();
        QTimer::singleShot(500, [&] {
            save(&frame, folder + QStringLiteral("/main-child.png"));
            frame.hide();   // ends without the exit question
            QApplication::quit();
        });
    });
    return QApplication::exec();
}
