#include "members/install.h"

#include "app/placeholder.h"
#include "members/tcanshu.h"
#include "members/tkaleibiexiugai.h"
#include "members/tleibie.h"
#include "members/tquanbuhuiyuan.h"
#include "members/txinhuiyuan.h"
#include "members/txinzenghuiyuan.h"
#include "members/txiugaihuiyuan.h"

#include <map>

namespace members {

namespace {

std::map<const app::Program*, Txianjinbili*>& cashRatioDialogs() {
    static std::map<const app::Program*, Txianjinbili*> dialogs;
    return dialogs;
}

// The kept cash ratio dialog leaves the lookup when the program destroys it.
class KeptCashRatio : public Txianjinbili {
public:
    KeptCashRatio(const app::Program& program)
        : Txianjinbili(program.shell(), program.home()), program_(&program) {
        cashRatioDialogs()[program_] = this;
    }
    ~KeptCashRatio() override {
        auto it = cashRatioDialogs().find(program_);
        if (it != cashRatioDialogs().end() && it->second == this) cashRatioDialogs().erase(it);
    }

private:
    const app::Program* program_;
};

}  // namespace

void install(app::Program& program) {
    kit::Shell& shell = program.shell();
    db::TDM1& dm = program.DM1();
    Tkaleibiexiugai& modifyDialog = program.keep(std::make_unique<Tkaleibiexiugai>(shell, dm));
    Tcanshu& rules = program.keep(std::make_unique<Tcanshu>(shell, dm));
    program.keep(std::make_unique<KeptCashRatio>(program));
    const MemberDialogs memberDialogs{
        program.keep(std::make_unique<Txinzenghuiyuan>(shell, dm)),
        program.keep(std::make_unique<Txiugaihuiyuan>(shell, dm)),
        // The member import is not there yet: its button says so.
        program.keep(std::make_unique<app::Placeholder>(shell, QStringLiteral("导入会员档案"), kit::Form::Kind::Dialog)),
    };

    app::TMAIN& main = program.mainWindow();
    // The menu item 会员卡类别设置 opens the window of this kind.
    main.registerWindow(QStringLiteral("Tleibie"), [&shell, &dm, &modifyDialog](const QString&) {
        return std::make_unique<Tleibie>(shell, dm, modifyDialog);
    });
    main.registerWindow(QStringLiteral("Txinhuiyuan"), [&shell, &dm, memberDialogs](const QString&) {
        return std::make_unique<Txinhuiyuan>(shell, dm, memberDialogs);
    });
    main.registerWindow(QStringLiteral("Tquanbuhuiyuan"), [&shell, &dm](const QString&) {
        return std::make_unique<Tquanbuhuiyuan>(shell, dm);
    });
    main.menuItem(QStringLiteral("会员卡管理"), QStringLiteral("会员卡类别自动升级/积分规则设置"))->onClick = [&shell, &rules] {
        shell.showModal(rules);
    };
}

Txianjinbili* cashRatioDialog(const app::Program& program) {
    auto it = cashRatioDialogs().find(&program);
    return it == cashRatioDialogs().end() ? nullptr : it->second;
}

}  // namespace members
