#pragma once
// A started program with the card categories and rules installed, and small
// builders for the rows these screens read.

#include "members/install.h"
#include "members/tleibie.h"
#include "program_env.h"

#include <QStringList>

struct MembersEnv : testing_support::ProgramEnv {
    MembersEnv() { members::install(program); }

    void setAutomatic(bool on) {
        conn().exec("update 自动变卡 set 自动变卡=?", {on ? QStringLiteral("是") : QStringLiteral("否")});
    }
    void addCategory(const QString& name, double lower = 0, double upper = 0, double ratio = 1, bool gifts = true,
                     bool cash = true) {
        conn().exec("insert into 卡类别 (卡类别, 积分比例, 允许兑换礼品, 允许返现金, 自动变卡下限, 自动变卡上限) "
                    "values (?, ?, ?, ?, ?, ?)",
                    {name, ratio, gifts, cash, lower, upper});
    }
    // "ratio|gifts|cash|lower|upper" of the category, empty when there is none.
    QString categoryRow(const QString& name) {
        db::Result r = conn().select("select 积分比例, 允许兑换礼品, 允许返现金, 自动变卡下限, 自动变卡上限 "
                                     "from 卡类别 where 卡类别=?",
                                     {name});
        if (r.rowCount() == 0) return {};
        QStringList cells;
        for (int c = 0; c < r.columnCount(); ++c) cells << r.text(0, c);
        return cells.join('|');
    }
    qsizetype categoryCount() { return count("select * from 卡类别"); }

    // Opens the category screen from the menu, as the operator does.
    members::Tleibie& openCategories() {
        main().menuItem("会员卡管理", "会员卡类别设置")->click();
        return dynamic_cast<members::Tleibie&>(*shell.childWindow("会员卡类别设置"));
    }
};

// Replaces a field's whole text as the operator does: focus, select, type.
inline void retype(kit::Form& form, kit::Edit& field, const QString& text) {
    form.moveFocusTo(field);
    field.selectAll();
    form.typeText(text.isEmpty() ? QStringLiteral("\b") : text);
}

// The names of the controls that the focus visits on each Enter.
inline QStringList enterWalk(kit::Form& form, int presses) {
    QStringList visited;
    for (int i = 0; i < presses; ++i) {
        form.pressEnter();
        visited << (form.focused() ? form.focused()->name() : QString());
    }
    return visited;
}
