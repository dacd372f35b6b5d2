// Saves pictures of the category screen, the modify dialog, the rules dialog,
// the cash ratio dialog, the member dialogs and the member lists as the Qt
// layer draws them, to look at by eye.
// Usage: members_shots [folder]   (default /tmp/shots); runs offscreen.

#include "members/tcanshu.h"
#include "members_env.h"
#include "shots_app.h"
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
    testing_support::ShotsApp app(argc, argv);
    const QString& folder = app.folder();
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

    // A few members, one with a picture.
    const QString photo = env.home.file(QStringLiteral("image/001.jpg"));
    env.addMember({.card = QStringLiteral("8800001"), .name = QStringLiteral("张伟"), .points = 1280.5,
                   .idNumber = QStringLiteral("110105198503151234"), .address = QStringLiteral("北京市朝阳区建国路88号"),
                   .birthdayType = QStringLiteral("公历"), .birthday = QStringLiteral("1985-03-15"), .photo = photo});
    env.addMember({.card = QStringLiteral("8800002"), .name = QStringLiteral("李娜"), .category = QStringLiteral("银卡"),
                   .points = 3560, .startDate = QStringLiteral("2026-02-14"), .address = QStringLiteral("上海市黄浦区南京东路1号")});
    env.addMember({.card = QStringLiteral("8800003"), .name = QStringLiteral("王芳"), .category = QStringLiteral("钻石卡"),
                   .points = 25000, .startDate = QStringLiteral("2025-11-30")});
    env.addMember({.card = QStringLiteral("8800004"), .name = QStringLiteral("O'Neil"), .category = QStringLiteral("普通卡"),
                   .points = 99.5});

    members::Txinhuiyuan& memberList = env.openMemberList();
    memberList.DBGridEh1.selectRow(1);
    ok &= shoot(memberList, folder + QStringLiteral("/member-list.png"));

    env.shell.fileChoices.push_back(kit::FileChoice{photo});
    env.inAddDialog(memberList, [&](members::Txinzenghuiyuan& d) {
        d.typeText(QStringLiteral("8800005\r"));
        d.ComboBox1.choose(2);
        d.typeText(QStringLiteral("赵敏\r"));
        d.ComboBox2.choose(1);
        d.typeText(QStringLiteral("110105199208203021\r"));
        d.Button1.click();
        d.Edit6.setText(QStringLiteral("100"));
        ok &= shoot(d, folder + QStringLiteral("/member-add.png"));
    });

    memberList.DBGridEh1.selectRow(0);
    env.inModifyDialog(memberList, [&](members::Txiugaihuiyuan& d) { ok &= shoot(d, folder + QStringLiteral("/member-modify.png")); });

    members::Tquanbuhuiyuan& overview = env.openOverview();
    ok &= shoot(overview, folder + QStringLiteral("/member-overview.png"));
    return ok ? 0 : 1;
}
