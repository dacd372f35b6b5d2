#include "members/memberdialog.h"

#include "kit/shell.h"

namespace members {

MemberDialog::MemberDialog(kit::Shell& shell, db::TDM1& dm, const QString& className, const QString& caption)
    : kit::Form(shell, className, caption, Kind::Dialog),
      GroupBox1(*this, QStringLiteral("GroupBox1"), QString(), kit::Box::Kind::Fields),
      Edit1(*this, QStringLiteral("Edit1")),
      ComboBox1(*this, QStringLiteral("ComboBox1")),
      Edit2(*this, QStringLiteral("Edit2")),
      ComboBox2(*this, QStringLiteral("ComboBox2")),
      Edit3(*this, QStringLiteral("Edit3")),
      Edit4(*this, QStringLiteral("Edit4")),
      Edit5(*this, QStringLiteral("Edit5")),
      DateTimePicker1(*this, QStringLiteral("DateTimePicker1")),
      GroupBox2(*this, QStringLiteral("GroupBox2"), QStringLiteral("会员生日管理")),
      RadioGroup1(*this, QStringLiteral("RadioGroup1"), QString(),
                  {QStringLiteral("不管理生日"), QStringLiteral("公历生日"), QStringLiteral("农历生日")}, 3),
      DateTimePicker2(*this, QStringLiteral("DateTimePicker2")),
      GroupBox3(*this, QStringLiteral("GroupBox3"), QStringLiteral("照片")),
      Edit7(*this, QStringLiteral("Edit7")),
      Button1(*this, QStringLiteral("Button1"), QStringLiteral("...")),
      Image1(*this, QStringLiteral("Image1")),
      BitBtn1(*this, QStringLiteral("BitBtn1"), QStringLiteral("保存")),
      BitBtn2(*this, QStringLiteral("BitBtn2"), QStringLiteral("退出")),
      dm_(dm) {
    minimizeButton = false;
    GroupBox2.setStyle({.color = QStringLiteral("blue")});
    Image1.setVisible(false);

    RadioGroup1.onClick = [this] { birthdayChosen(); };
    Button1.onClick = [this] { choosePicture(); };
    BitBtn2.onClick = [this] { close(); };
}

void MemberDialog::layOut(kit::Control& address, kit::Edit* points) {
    // The photo group under the details makes their column as wide as its
    // path row, so that an 18-digit identity number and an address fit.
    kit::Box& top = layout().box(kit::Box::Kind::Row);
    kit::Box& left = top.box(kit::Box::Kind::Column);
    left.add(GroupBox1);
    GroupBox1.content()
        .add(Edit1, QStringLiteral("会员卡号"))
        .add(ComboBox1, QStringLiteral("卡类别"))
        .add(Edit2, QStringLiteral("会员姓名"))
        .add(ComboBox2, QStringLiteral("会员性别"))
        .add(Edit3, QStringLiteral("身份证号"))
        .add(address, QStringLiteral("地址"))
        .add(Edit4, QStringLiteral("固定电话"));
    left.add(GroupBox3);
    GroupBox3.content()
        .box(kit::Box::Kind::Row)
        .text(QStringLiteral("照片存放位置"))
        .add(Edit7)
        .add(Button1);
    GroupBox3.content().add(Image1);

    kit::Box& right = top.box(kit::Box::Kind::Column);
    right.box(kit::Box::Kind::Fields)
        .add(Edit5, QStringLiteral("手机号码"))
        .add(DateTimePicker1, QStringLiteral("起用日期"));
    right.add(GroupBox2);
    GroupBox2.content().add(RadioGroup1);
    GroupBox2.content().box(kit::Box::Kind::Fields).add(DateTimePicker2, QStringLiteral("会员生日"));
    if (points) {
        right.box(kit::Box::Kind::Row)
            .text(QStringLiteral("现有积分"))
            .add(*points)
            .text(QStringLiteral("分"));
    }
    right.stretch();

    layout().box(kit::Box::Kind::Row).stretch().add(BitBtn1).add(BitBtn2).stretch();
}

QString MemberDialog::birthdayType() const {
    switch (RadioGroup1.itemIndex()) {
    case NoBirthday: return QStringLiteral("无");
    case SolarBirthday: return QStringLiteral("公历");
    case LunarBirthday: return QStringLiteral("农历");
    default: return QString();
    }
}

void MemberDialog::birthdayChosen() {
    const int choice = RadioGroup1.itemIndex();
    if (choice < 0) return;
    const bool keep = choice != NoBirthday;
    DateTimePicker2.setEnabled(keep);
    if (keep) DateTimePicker2.setFocus();
    else if (afterNoBirthday_) afterNoBirthday_->setFocus();
}

void MemberDialog::fillCategories() {
    ComboBox1.setItems(db::readColumn(dm_.ADOall, QStringLiteral("select * from 卡类别"), QStringLiteral("卡类别")));
}

void MemberDialog::fillSexes() { ComboBox2.setItems({QStringLiteral("男"), QStringLiteral("女")}); }

void MemberDialog::showPicture(const QString& path) {
    Image1.setVisible(false);
    Image1.load(path);   // shown only when the picture loads, without a message otherwise
}

void MemberDialog::choosePicture() {
    kit::FileDialog dialog;
    dialog.confirmOverwrite = false;
    const std::optional<kit::FileChoice> choice = shell().openFile(dialog);
    if (!choice) return;
    Edit7.setText(choice->path);
    showPicture(choice->path);
}

bool MemberDialog::found(const QString& sql, const db::Params& params) {
    db::Query& q = dm_.ADOall;
    q.openWith(sql, params);
    const bool any = q.recordCount() > 0;
    q.close();
    return any;
}

bool MemberDialog::isReplacedCard(const QString& card) {
    db::Query& q = dm_.ADOall;
    q.openWith(QStringLiteral("select 旧卡号 from 挂失记录 where 旧卡号 =?"), {card});
    const bool replaced = !q.fieldByName(QStringLiteral("旧卡号")).asString().isEmpty();
    q.close();
    return replaced;
}

bool MemberDialog::categoryExists(const QString& name) {
    return found(QStringLiteral("select 卡类别 from 卡类别 where 卡类别 =?"), {name});
}

void MemberDialog::refuse(const QString& text, const QString& caption, kit::Icon icon, kit::Control& focus,
                          bool clear) {
    shell().message(text, caption, icon);
    if (clear) {
        if (auto* edit = dynamic_cast<kit::Edit*>(&focus)) edit->clear();
    }
    focus.setFocus();
}

void MemberDialog::showSaveError(const QString& text) { shell().message(text, kit::kProductTitle, kit::Icon::None); }

void MemberDialog::refreshMemberList() { dm_.ADOQuery5.open(); }

}  // namespace members
