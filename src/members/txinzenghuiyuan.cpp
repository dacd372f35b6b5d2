#include "members/txinzenghuiyuan.h"

#include "db/error.h"
#include "db/numtext.h"
#include "kit/shell.h"
#include "members/birthday.h"
#include "members/categoryform.h"

#include <memory>

namespace members {

namespace {

const QString kCardExists = QStringLiteral("此卡号已经存在！");
const QString kMemberByCard = QStringLiteral("select * from 会员卡信息 where 会员卡号 =?");

}  // namespace

Txinzenghuiyuan::Txinzenghuiyuan(kit::Shell& shell, db::TDM1& dm)
    : MemberDialog(shell, dm, QStringLiteral("Txinzenghuiyuan"), QStringLiteral("新增会员")),
      ComboBox3(*this, QStringLiteral("ComboBox3")),
      Edit6(*this, QStringLiteral("Edit6")) {
    layOut(ComboBox3, &Edit6);
    Edit6.setKeyFilter(kit::KeyFilter::Numeric);
    setAfterNoBirthday(Edit6);

    setEnterOrder({&Edit1, &ComboBox1, &Edit2, &ComboBox2, &Edit3, &ComboBox3, &Edit4, &Edit5, &DateTimePicker1,
                   &RadioGroup1});
    DateTimePicker2.onEnter = [this] { Edit6.setFocus(); };
    Edit6.onEnter = [this] { BitBtn1.setFocus(); };
    // Choosing from a list moves on; typing into the box does not.
    ComboBox1.onSelect = [this] { Edit2.setFocus(); };
    ComboBox2.onSelect = [this] { Edit3.setFocus(); };
    ComboBox3.onSelect = [this] { Edit4.setFocus(); };

    onShow = [this] { reset(); };
    Edit1.onExit = [this] { cardNumberExit(); };
    Edit3.onExit = [this] { idNumberExit(); };
    ComboBox3.onDropDown = [this] { fillAddresses(); };
    BitBtn1.onClick = [this] { save(); };
}

void Txinzenghuiyuan::reset() {
    fillCategories();
    if (ComboBox1.items().isEmpty()) ComboBox1.setText(QString());
    else ComboBox1.setItemIndex(0);
    fillSexes();
    ComboBox2.setItemIndex(0);

    for (kit::Edit* e : {&Edit1, &Edit2, &Edit3, &Edit6, &Edit4, &Edit5, &Edit7}) e->clear();
    ComboBox3.clearItems();
    ComboBox3.setText(QString());
    Image1.clear();
    Image1.setVisible(false);

    DateTimePicker1.setDate(QDate::currentDate());
    DateTimePicker2.setDate(QDate::currentDate());
    RadioGroup1.setItemIndex(NoBirthday);
    DateTimePicker2.setEnabled(false);
    Edit1.setFocus();
}

void Txinzenghuiyuan::cardNumberExit() {
    const QString card = Edit1.text();
    if (isReplacedCard(card)) {
        refuse(kReplacedCard, kSystemCaption, kit::Icon::Error, Edit1, true);
        return;
    }
    db::Query& q = dm_.ADOall;
    q.openWith(kMemberByCard, {card});
    const bool taken = !q.fieldByName(QStringLiteral("会员卡号")).asString().isEmpty();
    q.close();
    if (taken) refuse(kCardExists, kNoticeCaption, kit::Icon::Error, Edit1, true);
}

void Txinzenghuiyuan::idNumberExit() {
    if (const std::optional<QString> text = birthDateText(Edit3.text(), QDate::currentDate().year())) {
        // A day that does not exist stops here with the conversion's message.
        DateTimePicker2.setDate(readDate(*text));
        RadioGroup1.setItemIndex(SolarBirthday);
        DateTimePicker2.setEnabled(true);
    }
    ComboBox3.setFocus();
}

void Txinzenghuiyuan::fillAddresses() {
    QStringList addresses;
    db::Query& q = dm_.ADOall;
    q.openWith(QStringLiteral("select distinct 地址 from 会员卡信息"));
    for (q.first(); !q.eof(); q.next()) {
        const QString address = q.fieldByName(QStringLiteral("地址")).asString();
        if (!address.isEmpty()) addresses << address;
    }
    q.close();
    ComboBox3.setItems(addresses);
}

void Txinzenghuiyuan::save() {
    Edit1.setText(Edit1.text().trimmed());
    Edit3.setText(Edit3.text().trimmed());
    const QString card = Edit1.text();
    const QString idNumber = Edit3.text();
    if (card.isEmpty()) {
        refuse(QStringLiteral("卡号不能为空!"), kSystemCaption, kit::Icon::Error, Edit1);
        return;
    }
    // The opening points are a number, or nothing for 0.
    const std::optional<double> points =
        Edit6.text().isEmpty() ? std::optional<double>(0) : db::parseNumber(Edit6.text());
    if (!points) {
        refuse(notANumberMessage(QStringLiteral("现有积分"), Edit6.text()), kNoticeCaption, kit::Icon::Error, Edit6);
        Edit6.selectAll();
        return;
    }
    const QString category = ComboBox1.text();
    if (category.isEmpty() || !categoryExists(category)) {
        refuse(QStringLiteral("必须为会员选择一个正确的卡类别！否则无法进行积分！如果你还没有设置卡类别，请到“卡类别设置”中进行设置！!"),
               kSystemCaption, kit::Icon::Error, ComboBox1);
        return;
    }
    if (isReplacedCard(card)) {
        refuse(kReplacedCard, kSystemCaption, kit::Icon::Error, Edit1, true);
        return;
    }
    if (found(kMemberByCard, {card})) {
        refuse(kCardExists, kNoticeCaption, kit::Icon::Error, Edit1, true);
        return;
    }
    if (!idNumber.isEmpty() && found(QStringLiteral("select * from 会员卡信息 where 身份证号 =?"), {idNumber}) &&
        shell().message(kSharedIdNumber, kNoticeCaption, kit::Icon::Question, kit::Buttons::OkCancel) !=
            kit::Answer::Ok) {
        Edit3.setFocus();
        return;
    }
    if (Edit6.text().isEmpty()) Edit6.setText(QStringLiteral("0"));

    const QDate birthday = DateTimePicker2.date();
    try {
        db::Transaction tx(dm_.ADOConnection1);
        dm_.ADOall.execWith(
            QStringLiteral("insert into 会员卡信息([照片],[积分],[生日类型],[会员生日],[会员卡号],[卡类别],[会员姓名],"
                           "[性别],[身份证号],[生日],[地址],[固定电话],[手机],[起用日期]) "
                           "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {Edit7.text(), *points, birthdayType(), monthDayKey(birthday), card, category, Edit2.text(),
             ComboBox2.text(), idNumber, birthday, ComboBox3.text(), Edit4.text(), Edit5.text(),
             DateTimePicker1.date()});
        tx.commit();
    } catch (const db::Error& e) {
        showSaveError(e.message());
        return;
    }
    shell().message(QStringLiteral("新增会员成功！"), kNoticeCaption, kit::Icon::Information);
    clearForNextMember();
    refreshMemberList();
}

void Txinzenghuiyuan::clearForNextMember() {
    for (kit::Edit* e : {&Edit1, &Edit2, &Edit3, &Edit6, &Edit4, &Edit5, &Edit7}) e->clear();
    Image1.clear();
    Image1.setVisible(false);
    Edit1.setFocus();
}

}  // namespace members
