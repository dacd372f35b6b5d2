// Saves pictures of the category screen, the modify dialog, the rules dialog
// and the cash ratio dialog as the Qt layer draws them, to look at by eye.
// Usage: members_shots [folder]   (default /tmp/shots); runs offscreen.

#include "members/tcanshu.h"
#include "members_env.h"
#include "ui/fonts.h"
#include "ui/formwidget.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <cstdio>

namespace {

bool shoot(kit::Form& form, const QString& path) {
    ui::FormWidget view(form);
    view.setWindowTitle(form.caption());
    view.resize(view.sizeHint());   // as a child window of the frame gets it (no screen clamp)
    view.show();
    (void)QTest::qWaitForWindowExposed(&view);
    QApplication::processEvents();
    const bool ok = view.grab().save(path);
    std::printf("%s %s (%dx%d)\n", ok ? "saved" : "FAILED", qPrintable(path), view.width(), view.height());
    view.detach();
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::installFonts();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots");
    QDir().mkpath(folder);
    bool ok = true;

    MembersEnv env;
    env.setAutomatic(true);
    env.addCategory(QStringLiteral("普通卡"), 0, 999, 10, false, false);
    env.addCategory(QStringLiteral("银卡"), 1000, 4999, 8, true, false);
    env.addCategory(QStringLiteral("金卡"), 5000, 19999, 5);
    env.addCategory(QStringLiteral("钻石卡"), 20000, 999999, 2.5);

    members::Tleibie& list = env.openCategories();
    list.typeText(QStringLiteral("白金卡"));
    ok &= shoot(list, folder + QStringLiteral("/categories.png"));

    list.DBGridEh1.selectRow(2);
    env.shell.modalScripts.push_back(
        [&](kit::Form& d) { ok &= shoot(d, folder + QStringLiteral("/category-modify.png")); });
    list.BitBtn3.click();

    env.shell.modalScripts.push_back([&](kit::Form& d) { ok &= shoot(d, folder + QStringLiteral("/rules.png")); });
    env.main().menuItem(QStringLiteral("会员卡管理"), QStringLiteral("会员卡类别自动升级/积分规则设置"))->click();

    env.shell.modalScripts.push_back(
        [&](kit::Form& d) { ok &= shoot(d, folder + QStringLiteral("/cash-ratio.png")); });
    env.shell.showModal(*members::cashRatioDialog(env.program));
    return ok ? 0 : 1;
}
