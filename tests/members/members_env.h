#pragma once
// A started program with the card categories and rules installed, and small
// builders for the rows these screens read.

#include "members/install.h"
#include "members/tleibie.h"
#include "members/tquanbuhuiyuan.h"
#include "members/txinhuiyuan.h"
#include "members/txinzenghuiyuan.h"
#include "members/txiugaihuiyuan.h"
#include "program_env.h"

#include <QStringList>
#include <optional>

// A member row as the tests need it; points nullopt stores NULL.
struct MemberRow {
    QString card;
    QString name;
    QString category = "金卡";
    std::optional<double> points = 0;
    QString idNumber;
    QString startDate = "2026-01-01";
    QString address;
    QString birthdayType = "无";
    QString birthday = "2000-01-01";
    QString monthDay = "1-1";
    QString photo;
};

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

    void addMember(const MemberRow& m) {
        conn().exec("insert into 会员卡信息 (会员卡号, 卡类别, 会员姓名, 性别, 身份证号, 生日类型, 生日, 会员生日, 积分, "
                    "地址, 固定电话, 手机, 起用日期, 照片) values (?, ?, ?, '女', ?, ?, ?, ?, ?, ?, '010-1', '139', ?, ?)",
                    {m.card, m.category, m.name, m.idNumber, m.birthdayType, m.birthday, m.monthDay,
                     m.points ? db::Value(*m.points) : db::Value(), m.address, m.startDate, m.photo});
    }
    // A formal loss report that replaced the old card by the new one.
    void replaceCard(const QString& oldCard, const QString& newCard) {
        conn().exec("insert into 挂失记录 (旧卡号, 新卡号) values (?, ?)", {oldCard, newCard});
    }
    // The member columns of a card, joined by "|"; empty when there is none.
    QString memberRow(const QString& card, const QString& columns) {
        db::Result r = conn().select("select " + columns + " from 会员卡信息 where 会员卡号=?", {card});
        if (r.rowCount() == 0) return {};
        QStringList cells;
        for (int c = 0; c < r.columnCount(); ++c) cells << r.text(0, c);
        return cells.join('|');
    }

    // The member lists, opened from the menu as the operator does.
    members::Txinhuiyuan& openMemberList() {
        main().menuItem("会员卡管理", "新增修改会员信息")->click();
        return dynamic_cast<members::Txinhuiyuan&>(*shell.childWindow("新增/修改会员信息"));
    }
    members::Tquanbuhuiyuan& openOverview() {
        main().menuItem("会员卡管理", "全部会员信息")->click();
        return dynamic_cast<members::Tquanbuhuiyuan&>(*shell.childWindow("全部会员信息"));
    }
    // Shows a member dialog from the list and drives it with the script.
    void inAddDialog(members::Txinhuiyuan& list, std::function<void(members::Txinzenghuiyuan&)> script) {
        shell.modalScripts.push_back([script](kit::Form& f) { script(dynamic_cast<members::Txinzenghuiyuan&>(f)); });
        list.BitBtn1.click();
    }
    void inModifyDialog(members::Txinhuiyuan& list, std::function<void(members::Txiugaihuiyuan&)> script) {
        shell.modalScripts.push_back([script](kit::Form& f) { script(dynamic_cast<members::Txiugaihuiyuan&>(f)); });
        list.BitBtn2.click();
    }

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

// The card numbers of the rows a grid shows, in its order.
inline QStringList shownCards(const kit::DataGrid& grid) {
    QStringList cards;
    const db::Result& r = grid.query().result();
    const int col = r.columnIndex("会员卡号");
    for (qsizetype row = 0; row < grid.query().recordCount(); ++row) cards << r.text(row, col);
    return cards;
}
