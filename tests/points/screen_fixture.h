#pragma once
// A started program with categories and members, and the purchase and
// return screens opened as the main window opens them.

#include "points/ttuihuo.h"
#include "points/tzengjiajifen.h"
#include "db/numtext.h"
#include "program_env.h"

struct ScreenFixture : ::testing::Test, testing_support::ProgramEnv {
    void category(const QString& name, double ratio, double lower = 0, double upper = 0) {
        conn().exec("insert into 卡类别 (卡类别, 积分比例, 允许兑换礼品, 允许返现金, 自动变卡下限, 自动变卡上限) "
                    "values (?, ?, 1, 1, ?, ?)",
                    {name, ratio, lower, upper});
    }
    void member(const QString& card, const QString& category, double points) {
        conn().exec("insert into 会员卡信息 (会员卡号, 卡类别, 会员姓名, 积分, 口头挂失标志) values (?, ?, '张三', ?, 0)",
                    {card, category, points});
    }
    void rules(const QString& automatic, int mode) {
        conn().exec("update 自动变卡 set 自动变卡=?, 方式=?", {automatic, mode});
    }

    template <class Screen>
    Screen& open(const QString& caption) {
        return static_cast<Screen&>(shell.openChildWindow(
            caption, [this] { return std::make_unique<Screen>(shell, dm(), main()); }));
    }
    points::Tzengjiajifen& purchase() { return open<points::Tzengjiajifen>("购物或换货增加积分"); }
    points::Ttuihuo& giveBack() { return open<points::Ttuihuo>("退换货减积分"); }

    // The operator swipes the card.
    static void lookUp(points::GoodsScreen& s, const QString& card) {
        s.lookup.cardNumber.setFocus();
        s.typeText(card + "\r");
    }
    // The operator types goods lines into the grid and leaves it.
    static void goods(points::GoodsScreen& s, const std::vector<std::pair<QString, QString>>& lines) {
        s.AdvStringGrid1.setFocus();
        int row = 1;
        for (const auto& [name, amount] : lines) {
            if (!name.isEmpty()) s.AdvStringGrid1.editCell(1, row, name);
            if (!amount.isEmpty()) s.AdvStringGrid1.editCell(2, row, amount);
            ++row;
        }
        s.moveFocusTo(s.Edit15);
    }
    static void typeAmount(points::GoodsScreen& s, const QString& amount) {
        s.Edit15.setFocus();
        s.typeText(amount);
    }

    QString balanceOf(const QString& card) { return value("select 积分 from 会员卡信息 where 会员卡号=?", {card}); }
    QString categoryOf(const QString& card) { return value("select 卡类别 from 会员卡信息 where 会员卡号=?", {card}); }
    QStringList rows(const QString& sql) {
        db::Result r = conn().select(sql);
        QStringList out;
        for (qsizetype i = 0; i < r.rowCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < r.columnCount(); ++c) cells << r.text(i, c);
            out << cells.join('|');
        }
        return out;
    }
};
