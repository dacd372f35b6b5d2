#include "points/install.h"

#include "points/tdayinshezhi.h"

namespace points {

void install(app::Program& program) {
    app::TMAIN& main = program.mainWindow();
    main.menuItem(QStringLiteral("系统设置"), QStringLiteral("店铺名称及小票打印设置"))->onClick = [&program, &main] {
        Tdayinshezhi dialog(program.shell(), program.home(), main);
        program.shell().showModal(dialog);
    };
}

}  // namespace points
