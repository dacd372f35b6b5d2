// Wires the real shell to the program and runs it.

#include "access/tloginform.h"
#include "app/home.h"
#include "app/startup.h"
#include "members/install.h"
#include "points/install.h"
#include "ui/fonts.h"
#include "ui/mainframe.h"
#include "ui/qtshell.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(kit::kProductTitle);
    ui::installFonts();

    const QString home = app::resolveHome(QApplication::arguments(), QApplication::applicationDirPath());
    ui::QtShell shell;
    app::Program program(shell, home);
    program.login = [](app::Program& p) { return auth::runLogin(p.shell(), p.DM1(), p.mainWindow()); };
    if (program.start() != app::Program::Outcome::Running) return 0;

    members::install(program);
    points::install(program);

    ui::MainFrame frame(program.mainWindow(), shell);
    shell.setFrameArea(frame.mdiArea());
    frame.showMaximized();
    return QApplication::exec();
}
