#include "members/txiugaihuiyuan.h"

#include "db/error.h"
#include "kit/shell.h"
#include "members/birthday.h"
#include "members/categoryform.h"

namespace members {

namespace {
const QString kCardTaken = QStringLiteral("该会员卡号已经存在！");

QDate dateOrToday(const QDate& d) { return d.isValid() ? d : QDate::currentDate(); }
}  // namespace

Txiugaihuiyuan::Txiugaihuiyuan(kit::Shell& shell, db::TDM1& dm)
    : MemberDialog(shell, dm, QStringLiteral("Txiugaihuiyuan"), QStringLiteral("修改会员信息")),
      Edit6(*this, QStringLiteral("Edit6")) {
    layOut(Edit6, nullptr);
    setAfterNoBirthday(BitBtn1);

    setEnterOrder({&Edit1, &ComboBox1, &Edit2, &ComboBox2, &Edit3, &Edit6, &Edit4, &Edit5, &DateTimePicker1,
                   &RadioGroup1});
    DateTimePicker2.onEnter = [this] { BitBtn1.setFocus(); };

    onShow = [this] { fillFromCurrentMember(); };
    Edit1.onExit = [this] { cardNumberExit(); };
    BitBtn1.onClick = [this] { save(); };
}

void Txiugaihuiyuan::fillFromCurrentMember() {
    fillCategories();
    fillSexes();

    const db::Query& q = dm_.ADOQuery5;
    auto text = [&q](const char* column) { return q.fieldByName(QString::fromUtf8(column)).asString(); };
    Edit1.setText(text("会员卡号"));
    ComboBox1.setText(text("卡类别"));
    Edit2.setText(text("会员姓名"));
    ComboBox2.setText(text("性别"));
    Edit3.setText(text("身份证号"));
    Edit4.setText(text("固定电话"));
    Edit6.setText(text("地址"));
    Edit5.setText(text("手机"));
    Edit7.setText(text("照片"));
    oldCard_ = Edit1.text();
    oldIdNumber_ = Edit3.text();

    showPicture(Edit7.text());

    DateTimePicker1.setDate(dateOrToday(q.fieldByName(QStringLiteral("起用日期")).asDate()));
    DateTimePicker2.setDate(dateOrToday(q.fieldByName(QStringLiteral("生日")).asDate()));

    // Any other birthday type leaves the choice as the dialog last had it.
    const QString type = text("生日类型");
    if (type == QStringLiteral("无")) {
        RadioGroup1.setItemIndex(NoBirthday);
        DateTimePicker2.setEnabled(false);
    } else if (type == QStringLiteral("公历")) {
        RadioGroup1.setItemIndex(SolarBirthday);
        DateTimePicker2.setEnabled(true);
    } else if (type == QStringLiteral("农历")) {
        RadioGroup1.setItemIndex(LunarBirthday);
        DateTimePicker2.setEnabled(true);
    }
    Edit1.setFocus();
}

bool Txiugaihuiyuan::cardNumberTaken(const QString& card) {
    return found(QStringLiteral("select 会员卡号 from 会员卡信息 where (会员卡号=?)and(会员卡号<>?)"), {card, oldCard_});
}

void Txiugaihuiyuan::cardNumberExit() {
    if (cardNumberTaken(Edit1.text())) refuse(kCardTaken, kNoticeCaption, kit::Icon::Error, Edit1, true);
}

void Txiugaihuiyuan::save() {
    Edit1.setText(Edit1.text().trimmed());
    Edit3.setText(Edit3.text().trimmed());
    const QString card = Edit1.text();
    const QString idNumber = Edit3.text();
    const QString category = ComboBox1.text();
    if (card.isEmpty()) {
        refuse(QStringLiteral("会员卡号不能为空！"), kNoticeCaption, kit::Icon::Error, Edit1);
        return;
    }
    if (isReplacedCard(card)) {
        refuse(kReplacedCard, kSystemCaption, kit::Icon::Question, Edit1, true);
        return;
    }
    if (category.isEmpty()) {
        refuse(QStringLiteral("必须选择一种会员卡类别！"), kNoticeCaption, kit::Icon::Error, ComboBox1);
        return;
    }
    if (!found(QStringLiteral("select * from 卡类别 where 卡类别=?"), {category})) {
        refuse(QStringLiteral("请选择正确的会员卡类型！如果会员卡类别还没有设置，请您设置“卡类别”！"), kNoticeCaption,
               kit::Icon::Error, ComboBox1);
        return;
    }
    if (cardNumberTaken(card)) {
        refuse(kCardTaken, kNoticeCaption, kit::Icon::Error, Edit1, true);
        return;
    }
    if (!idNumber.isEmpty() &&
        found(QStringLiteral("select * from 会员卡信息 where (身份证号 =?) and (身份证号<>?)"), {idNumber, oldIdNumber_}) &&
        shell().message(kSharedIdNumber, kNoticeCaption, kit::Icon::Question, kit::Buttons::OkCancel) !=
            kit::Answer::Ok) {
        Edit3.setFocus();
        return;
    }

    // Only the member's row changes: earlier journal, consumption, gift and
    // loss rows keep the card number they were written with.
    const QDate birthday = DateTimePicker2.date();
    try {
        db::Transaction tx(dm_.ADOConnection1);
        dm_.ADOall.execWith(QStringLiteral("update 会员卡信息 set 生日类型=?,会员卡号=?,卡类别=?,会员姓名=?,性别=?,"
                                           "身份证号=?,生日=?,会员生日=?,地址=?,固定电话=?,手机=?,起用日期=?,照片=? "
                                           "where 会员卡号=?"),
                            {birthdayType(), card, category, Edit2.text(), ComboBox2.text(), idNumber, birthday,
                             monthDayKey(birthday), Edit6.text(), Edit4.text(), Edit5.text(), DateTimePicker1.date(),
                             Edit7.text(), oldCard_});
        tx.commit();
    } catch (const db::Error& e) {
        showSaveError(e.message());
        return;
    }
    shell().message(QStringLiteral("修改会员信息成功！"), kNoticeCaption, kit::Icon::Information);
    refreshMemberList();
    modalResult = kit::ModalResult::Ok;
    close();
}

}  // namespace members
