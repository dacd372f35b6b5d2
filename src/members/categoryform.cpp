#include "members/categoryform.h"

#include "db/numtext.h"
#include "kit/shell.h"

namespace members {

QString notANumberMessage(const QString& what, const QString& text) {
    return QStringLiteral("%1“%2”不是有效的数字，请重新输入！").arg(what, text);
}

CategoryForm::CategoryForm(kit::Shell& shell, db::TDM1& dm, const QString& className, const QString& caption,
                           Kind kind)
    : kit::Form(shell, className, caption, kind),
      GroupBox1(*this, QStringLiteral("GroupBox1"), QStringLiteral("卡类别详细信息")),
      Edit1(*this, QStringLiteral("Edit1")),
      Edit2(*this, QStringLiteral("Edit2")),
      CheckBox1(*this, QStringLiteral("CheckBox1"), QStringLiteral("本类别的卡允许兑换礼品")),
      CheckBox2(*this, QStringLiteral("CheckBox2"), QStringLiteral("本类别的卡允许返还现金")),
      GroupBox2(*this, QStringLiteral("GroupBox2"), QStringLiteral("积分上下限设置"), kit::Box::Kind::Fields),
      Edit3(*this, QStringLiteral("Edit3")),
      Edit4(*this, QStringLiteral("Edit4")),
      BitBtn1(*this, QStringLiteral("BitBtn1"), QStringLiteral("保存")),
      BitBtn2(*this, QStringLiteral("BitBtn2"), QStringLiteral("退出")),
      dm_(dm) {
    const kit::Style red{.color = QStringLiteral("red")};
    const kit::Style blue{.color = QStringLiteral("blue")};
    kit::Box& details = GroupBox1.content();
    details.box(kit::Box::Kind::Row).text(QStringLiteral("卡类别名称")).add(Edit1);
    details.box(kit::Box::Kind::Row)
        .text(QStringLiteral("本类别的会员消费"))
        .add(Edit2)
        .text(QStringLiteral("元积"))
        .text(QStringLiteral("1"), {.color = QStringLiteral("red"), .bold = true, .pointSize = 20})
        .text(QStringLiteral("分"));
    details.add(CheckBox1).add(CheckBox2).add(GroupBox2);
    GroupBox2.content()
        .add(Edit3, QStringLiteral("本卡类别的积分下限"))
        .add(Edit4, QStringLiteral("本卡类别的积分上限"), red);
    details.text(QStringLiteral("   “积分下限”和“积分上限”的设置是指会员卡类别自动"), blue)
        .text(QStringLiteral("根据积分升级的情况下根据下限和上限自动判断本会员属于哪"), blue)
        .text(QStringLiteral("种卡类别，如果卡类别不自动升级就不必设置积分上限和下限！"), blue);

    Edit4.setStyle(red);
    for (kit::Edit* e : {&Edit2, &Edit3, &Edit4}) e->setKeyFilter(kit::KeyFilter::Numeric);
    setEnterOrder({&Edit1, &Edit2, &CheckBox1, &CheckBox2, &Edit3, &Edit4, &BitBtn1});
}

void CategoryForm::readBoundsSwitch() {
    db::Query& q = dm_.ADOall;
    q.openWith(QStringLiteral("select * from 自动变卡 "));
    const bool on = q.fieldByName(QStringLiteral("自动变卡")).asString() == QStringLiteral("是");
    q.close();
    for (kit::Control* c : std::initializer_list<kit::Control*>{&GroupBox2, &Edit3, &Edit4}) c->setEnabled(on);
}

void CategoryForm::refuse(const QString& text, kit::Control& focus) {
    shell().message(text, kNoticeCaption, kit::Icon::Error);
    focus.setFocus();
}

std::optional<double> CategoryForm::readNumber(kit::Edit& field, const QString& what) {
    const std::optional<double> value = db::parseNumber(field.text());
    if (!value) {
        refuse(notANumberMessage(what, field.text()), field);
        field.selectAll();
    }
    return value;
}

bool CategoryForm::rangeMeetsAnother(double lower, double upper, const std::optional<OldBounds>& exclude) {
    // Another category meets the range when one of its ends lies in the
    // range, or when the whole range lies inside its own.
    QString sql = QStringLiteral(
        "select * from 卡类别 where ((自动变卡下限>=? and 自动变卡下限<=?)"
        " or (自动变卡上限>=? and 自动变卡上限<=?)"
        " or (自动变卡下限<=? and 自动变卡上限>=?))");
    db::Params params{lower, upper, lower, upper, lower, lower};
    if (exclude) {
        sql += QStringLiteral(" and 自动变卡下限<>? and 自动变卡上限<>?");
        params.push_back(exclude->lower);
        params.push_back(exclude->upper);
    }
    db::Query& q = dm_.ADOall;
    q.openWith(sql, params);
    const bool found = q.recordCount() > 0;
    q.close();
    return found;
}

std::optional<CategoryValues> CategoryForm::checkNumbers(const std::optional<OldBounds>& exclude) {
    CategoryValues v;
    v.name = Edit1.text();
    v.gifts = CheckBox1.checked();
    v.cash = CheckBox2.checked();

    if (Edit2.text().isEmpty()) Edit2.setText(QStringLiteral("1"));
    const std::optional<double> ratio = readNumber(Edit2, QStringLiteral("积分比例"));
    if (!ratio) return std::nullopt;
    if (!(*ratio > 0)) {
        refuse(QStringLiteral("积分比例必须大于零！"), Edit2);
        return std::nullopt;
    }
    v.ratio = *ratio;

    if (Edit3.text().isEmpty()) Edit3.setText(QStringLiteral("0"));
    if (Edit4.text().isEmpty()) Edit4.setText(QStringLiteral("0"));
    const std::optional<double> lower = readNumber(Edit3, QStringLiteral("积分下限"));
    if (!lower) return std::nullopt;
    const std::optional<double> upper = readNumber(Edit4, QStringLiteral("积分上限"));
    if (!upper) return std::nullopt;
    v.lower = *lower;
    v.upper = *upper;

    if (boundsEnabled()) {
        if (!(v.lower < v.upper)) {
            refuse(QStringLiteral("积分上限必须大于下限！"), Edit4);
            return std::nullopt;
        }
        if (rangeMeetsAnother(v.lower, v.upper, exclude)) {
            refuse(QStringLiteral("请正确分配积分下限和上限，确定全部卡类别的积分下限和上限不重叠！"), Edit4);
            return std::nullopt;
        }
    }
    return v;
}

}  // namespace members
