#include "members/tquanbuhuiyuan.h"

#include "db/numtext.h"
#include "kit/gridexport.h"
#include "kit/shell.h"
#include "members/categoryform.h"

#include <optional>

namespace members {

Tquanbuhuiyuan::Tquanbuhuiyuan(kit::Shell& shell, db::TDM1& dm)
    : kit::Form(shell, QStringLiteral("Tquanbuhuiyuan"), QStringLiteral("全部会员信息"), Kind::Child),
      GroupBox1(*this, QStringLiteral("GroupBox1"), QStringLiteral("起用日期"), kit::Box::Kind::Column),
      DateTimePicker1(*this, QStringLiteral("DateTimePicker1")),
      DateTimePicker2(*this, QStringLiteral("DateTimePicker2")),
      CheckBox1(*this, QStringLiteral("CheckBox1"), QStringLiteral("显示全部起用日期")),
      GroupBox2(*this, QStringLiteral("GroupBox2"), QStringLiteral("其他条件"), kit::Box::Kind::Column),
      Edit1(*this, QStringLiteral("Edit1")),
      Edit2(*this, QStringLiteral("Edit2")),
      CheckBox2(*this, QStringLiteral("CheckBox2"), QStringLiteral("显示全部积分")),
      ComboBox1(*this, QStringLiteral("ComboBox1")),
      CheckBox3(*this, QStringLiteral("CheckBox3"), QStringLiteral("显示全部卡类别")),
      BitBtn1(*this, QStringLiteral("BitBtn1"), QStringLiteral("开始查询")),
      BitBtn2(*this, QStringLiteral("BitBtn2"), QStringLiteral("EXCEL")),
      BitBtn3(*this, QStringLiteral("BitBtn3"), QStringLiteral("退出")),
      GroupBox3(*this, QStringLiteral("GroupBox3"), QStringLiteral("会员列表")),
      DBGridEh1(*this, QStringLiteral("DBGridEh1"), dm.ADOQuery5),
      dm_(dm),
      memberGrid_(DBGridEh1, QStringLiteral("口头挂失")) {
    position = std::make_pair(0, 0);
    minimizeButton = true;

    kit::Box& top = layout().box(kit::Box::Kind::Row);
    top.add(GroupBox1);
    GroupBox1.content()
        .box(kit::Box::Kind::Row)
        .text(QStringLiteral("日期从"))
        .add(DateTimePicker1)
        .text(QStringLiteral("到"))
        .add(DateTimePicker2);
    GroupBox1.content().add(CheckBox1);
    top.add(GroupBox2);
    // The two conditions on the left, their "all" boxes lined up on the right.
    kit::Box& conditions = GroupBox2.content().box(kit::Box::Kind::Row);
    kit::Box& fields = conditions.box(kit::Box::Kind::Column);
    fields.box(kit::Box::Kind::Row)
        .add(Edit1)
        .text(QStringLiteral("≤"))
        .text(QStringLiteral("积分"))
        .text(QStringLiteral("≤"))
        .add(Edit2);
    fields.box(kit::Box::Kind::Row).text(QStringLiteral("卡类别")).text(QStringLiteral("=")).add(ComboBox1).stretch();
    conditions.box(kit::Box::Kind::Column).add(CheckBox2).add(CheckBox3);
    top.box(kit::Box::Kind::Column).add(BitBtn1).add(BitBtn2).add(BitBtn3);
    top.stretch();
    layout().add(GroupBox3);
    GroupBox3.content().add(DBGridEh1);

    Edit1.setKeyFilter(kit::KeyFilter::Numeric);
    Edit2.setKeyFilter(kit::KeyFilter::Numeric);

    onShow = [this] {
        reset();
        runQuery();
    };
    BitBtn1.onClick = [this] { runQuery(); };
    BitBtn2.onClick = [this] { kit::exportGrid(this->shell(), DBGridEh1, QStringLiteral("会员信息")); };
    BitBtn3.onClick = [this] { close(); };
}

void Tquanbuhuiyuan::reset() {
    const QStringList names =
        db::readColumn(dm_.ADOall, QStringLiteral("select * from 卡类别"), QStringLiteral("卡类别"));
    ComboBox1.setItems(names);
    if (names.isEmpty()) ComboBox1.setText(QString());
    else ComboBox1.setItemIndex(0);

    Edit1.clear();
    Edit2.clear();
    DateTimePicker1.setDate(QDate::currentDate());
    DateTimePicker2.setDate(QDate::currentDate());
    for (kit::CheckBox* c : {&CheckBox1, &CheckBox2, &CheckBox3}) c->setChecked(true);
}

void Tquanbuhuiyuan::runQuery() {
    const bool allDates = CheckBox1.checked();
    const bool allPoints = CheckBox2.checked();
    const bool allCategories = CheckBox3.checked();

    std::optional<double> from, to;
    if (!allPoints) {
        if (Edit1.text().isEmpty() || Edit2.text().isEmpty()) {
            Edit1.setFocus();
            shell().message(QStringLiteral("请填写积分条件！"), kNoticeCaption, kit::Icon::Error);
            return;
        }
        // The key filter lets several decimal points through.
        for (kit::Edit* field : {&Edit1, &Edit2}) {
            if (!db::parseNumber(field->text())) {
                field->setFocus();
                shell().message(notANumberMessage(QStringLiteral("积分条件"), field->text()), kNoticeCaption,
                                kit::Icon::Error);
                field->selectAll();
                return;
            }
        }
        from = db::parseNumber(Edit1.text());
        to = db::parseNumber(Edit2.text());
    }
    if (!allCategories && ComboBox1.text().isEmpty()) {
        ComboBox1.setFocus();
        shell().message(QStringLiteral("请填写卡类别条件！"), kNoticeCaption, kit::Icon::Error);
        return;
    }

    // Both ends of each range are included; a member without points never
    // meets a points condition.
    QStringList conditions;
    db::Params params;
    if (!allCategories) {
        conditions << QStringLiteral("(卡类别 =?)");
        params.push_back(ComboBox1.text());
    }
    if (!allPoints) {
        conditions << QStringLiteral("(积分>=?) and (积分<=?)");
        params.push_back(*from);
        params.push_back(*to);
    }
    if (!allDates) {
        conditions << QStringLiteral("(起用日期 between ? and ?)");
        params.push_back(DateTimePicker1.date());
        params.push_back(DateTimePicker2.date());
    }
    QString sql = QStringLiteral("select * from 会员卡信息");
    if (!conditions.isEmpty()) sql += QStringLiteral(" where ") + conditions.join(QStringLiteral(" and "));
    dm_.ADOQuery5.openWith(sql, params);
}

}  // namespace members
