#include "points/install.h"

#include "points/tdayinshezhi.h"
#include "points/ttuihuo.h"
#include "points/tzengjiajifen.h"

namespace points {

void install(app::Program& program) {
    app::TMAIN& main = program.mainWindow();
    main.menuItem(QStringLiteral("系统设置"), QStringLiteral("店铺名称及小票打印设置"))->onClick = [&program, &main] {
        Tdayinshezhi dialog(program.shell(), program.home(), main);
        program.shell().showModal(dialog);
    };
    main.registerWindow(QStringLiteral("Tzengjiajifen"), [&program](const QString&) {
        return std::make_unique<Tzengjiajifen>(program.shell(), program.DM1(), program.mainWindow());
    });
    main.registerWindow(QStringLiteral("Ttuihuo"), [&program](const QString&) {
        return std::make_unique<Ttuihuo>(program.shell(), program.DM1(), program.mainWindow());
    });
}

}  // namespace points
