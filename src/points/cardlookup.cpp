#include "points/cardlookup.h"

#include "db/numtext.h"
#include "kit/shell.h"

namespace points {

namespace {
const QString kSystemCaption = QStringLiteral("系统提示");
const QString kReplacedUse = QStringLiteral("此卡已经挂失，不能使用,需要打开挂失记录吗？");
const QString kReplacedQuery = QStringLiteral("此卡已经挂失，不能查询,需要打开挂失记录吗？");
const QString kNotFound = QStringLiteral("此卡号不存在！");
const QString kVerballyLost = QStringLiteral("此卡已经口头挂失，不能使用,需要打开口头挂失记录吗？");
const QString kSelectMember = QStringLiteral("select * from 会员卡信息 where 会员卡号 =?");
const QString kHistoryFilter =
    QStringLiteral("from 流水记录 where (会员卡号 =?)and ((增减原因='购物消费') or (增减原因='退货减积分'))");
}  // namespace

LookupDifferences LookupDifferences::of(LookupScreen screen) {
    switch (screen) {
    case LookupScreen::Purchase:
        return {true, false, false, QStringLiteral("提示"), kReplacedUse};
    case LookupScreen::Return:
        return {false, false, false, QStringLiteral("提示！"), kReplacedUse};
    case LookupScreen::Redemption:
        return {false, true, true, QStringLiteral("提示！"), kReplacedQuery};
    }
    return {};
}

CardLookup::CardLookup(kit::Form& form, db::TDM1& dm, app::TMAIN& main, LookupScreen screen)
    : cardNumber(form, QStringLiteral("Edit1")),
      category(form, QStringLiteral("Edit2")),
      memberName(form, QStringLiteral("Edit3")),
      sex(form, QStringLiteral("Edit4")),
      idNumber(form, QStringLiteral("Edit5")),
      birthday(form, QStringLiteral("Edit6")),
      address(form, QStringLiteral("Edit7")),
      phone(form, QStringLiteral("Edit8")),
      mobile(form, QStringLiteral("Edit9")),
      balance(form, QStringLiteral("Edit10")),
      issueDate(form, QStringLiteral("Edit11")),
      pictureGroup(form, QStringLiteral("GroupBoxPhoto"), QStringLiteral("照片")),
      picture(form, QStringLiteral("Image1")),
      purchaseCount(form, QStringLiteral("Edit12")),
      totalPoints(form, QStringLiteral("Edit13")),
      lastGoods(form, QStringLiteral("Edit14")),
      searchNameButton(form, QStringLiteral("SpeedButton1"), QStringLiteral("…")),
      searchIdButton(form, QStringLiteral("SpeedButton2"), QStringLiteral("…")),
      searchPhoneButton(form, QStringLiteral("SpeedButton3"), QStringLiteral("…")),
      searchMobileButton(form, QStringLiteral("SpeedButton4"), QStringLiteral("…")),
      detailsButton(form, QStringLiteral("BitBtnDetails"), QStringLiteral("详细记录")),
      searchBox(form, QStringLiteral("GroupBoxSearch"), QString()),
      searchGrid(form, QStringLiteral("DBGridEhSearch"), dm.ADOQuery7),
      hideButton(form, QStringLiteral("BitBtnHide"), QStringLiteral("隐藏")),
      form_(form),
      dm_(dm),
      main_(main),
      diff_(LookupDifferences::of(screen)) {
    for (kit::Edit* e : {&category, &sex, &birthday, &address, &balance, &issueDate, &purchaseCount, &totalPoints,
                         &lastGoods})
        e->setReadOnly(true);
    pictureGroup.content().add(picture);
    picture.setVisible(false);
    searchBox.content().add(searchGrid);
    searchBox.content().box(kit::Box::Kind::Row).stretch().add(hideButton);
    searchBox.setVisible(false);
    searchGrid.rowSelect = true;
    searchGrid.setColumns({{QStringLiteral("会员卡号")}, {QStringLiteral("会员姓名")}, {QStringLiteral("身份证号")}});
    for (kit::Button* b : {&searchNameButton, &searchIdButton, &searchPhoneButton, &searchMobileButton}) {
        b->setHint(QStringLiteral("模糊查找"));
        b->takesFocus = false;
    }

    cardNumber.onEnter = [this] { lookup(); };
    const std::pair<kit::Edit*, QString> searchFields[] = {{&memberName, QStringLiteral("会员姓名")},
                                                           {&idNumber, QStringLiteral("身份证号")},
                                                           {&phone, QStringLiteral("固定电话")},
                                                           {&mobile, QStringLiteral("手机")}};
    kit::Button* buttons[] = {&searchNameButton, &searchIdButton, &searchPhoneButton, &searchMobileButton};
    for (int i = 0; i < 4; ++i) {
        kit::Edit* field = searchFields[i].first;
        const QString column = searchFields[i].second;
        field->onEnter = [this, field, column] { search(column, *field); };
        buttons[i]->onClick = [this, field, column] { search(column, *field); };
    }
    searchGrid.onDoubleClick = [this] { pick(); };
    searchGrid.onEnter = [this] { pick(); };
    hideButton.onClick = [this] { searchBox.setVisible(false); };
    detailsButton.onClick = [this] { openDetails(); };
}

void CardLookup::placeCardNumber(kit::Box& box) {
    box.add(cardNumber, QStringLiteral("刷卡或输入卡号后回车"), {.color = QStringLiteral("red"), .bold = true});
}

void CardLookup::placeMemberPanel(kit::Box& fields) {
    auto searchable = [&](kit::Edit& edit, kit::Button& button, const QString& caption) {
        kit::Box& row = fields.box(kit::Box::Kind::Row);
        row.add(edit, caption).add(button);
    };
    fields.add(category, QStringLiteral("卡类别"));
    searchable(memberName, searchNameButton, QStringLiteral("会员姓名"));
    fields.add(sex, QStringLiteral("会员性别"));
    searchable(idNumber, searchIdButton, QStringLiteral("身份证号"));
    fields.add(birthday, QStringLiteral("会员生日"));
    fields.add(address, QStringLiteral("地址"));
    searchable(phone, searchPhoneButton, QStringLiteral("固定电话"));
    searchable(mobile, searchMobileButton, QStringLiteral("手机号码"));
    fields.add(balance, QStringLiteral("现有积分"));
    fields.add(issueDate, QStringLiteral("起用日期"));
}

void CardLookup::placeSearchBox(kit::Box& box) { box.add(searchBox); }

bool CardLookup::refuseReplacedCard(const QString& card, const QString& question) {
    db::Query& q = dm_.ADOall;
    q.openWith(QStringLiteral("select 旧卡号 from 挂失记录 where 旧卡号 =?"), {card});
    const bool replaced = !q.fieldByName(QStringLiteral("旧卡号")).asString().isEmpty();
    q.close();
    if (!replaced) return false;
    if (form_.shell().message(question, kSystemCaption, kit::Icon::Question, kit::Buttons::OkCancel) ==
        kit::Answer::Ok) {
        dm_.ADOQuery9.openWith(QStringLiteral("select * from 挂失记录 where 旧卡号=?"), {card});
        main_.openWindow(QStringLiteral("Tguashilishi"), QStringLiteral("全部挂失历史记录"));
    }
    return true;
}

void CardLookup::openVerbalLossHistory(const QString& card) {
    if (form_.shell().message(kVerballyLost, kSystemCaption, kit::Icon::Question, kit::Buttons::OkCancel) ==
        kit::Answer::Ok) {
        dm_.ADOQuery10.openWith(QStringLiteral("select * from 口头挂失记录 where 会员卡号=?"), {card});
        main_.openWindow(QStringLiteral("Tkoutoujilu"), QStringLiteral("口头挂失记录"));
    }
}

void CardLookup::lookup() {
    const QString card = cardNumber.text();
    if (refuseReplacedCard(card, diff_.formalLossQuestion)) return;
    db::Query& q = dm_.ADOall;
    q.openWith(kSelectMember, {card});
    if (q.fieldByName(QStringLiteral("会员卡号")).asString().isEmpty()) {
        form_.shell().message(kNotFound, diff_.notFoundCaption, kit::Icon::Error);
        return;
    }
    if (q.fieldByName(QStringLiteral("口头挂失标志")).asBoolean()) {
        openVerbalLossHistory(card);
        return;
    }
    fillFromCurrentRow(card);
}

void CardLookup::fillFromCurrentRow(const QString& card) {
    db::Query& q = dm_.ADOall;
    auto text = [&](const char* column) { return q.fieldByName(QString::fromUtf8(column)).asString(); };
    category.setText(text("卡类别"));
    memberName.setText(text("会员姓名"));
    sex.setText(text("性别"));
    idNumber.setText(text("身份证号"));
    birthday.setText(text("会员生日"));
    address.setText(text("地址"));
    phone.setText(text("固定电话"));
    mobile.setText(text("手机"));
    balance.setText(text("积分"));
    issueDate.setText(text("起用日期"));
    const QString photo = text("照片");
    const QString points = text("积分");
    q.close();
    picture.setVisible(false);
    picture.load(photo);   // stays hidden when the file does not load
    if (diff_.copyPointsToEntry && copyPoints) copyPoints(points);
    remembered_ = card;

    q.openWith(QStringLiteral("select count(*) as cishu, sum(增减积分) as zongjifen ") + kHistoryFilter, {card});
    purchaseCount.setText(q.fieldByName(QStringLiteral("cishu")).asString());
    const QString total = q.fieldByName(QStringLiteral("zongjifen")).asString();
    totalPoints.setText(total.isEmpty() ? QStringLiteral("0") : total);
    q.close();

    if (diff_.lastGoods) {
        q.openWith(QStringLiteral("select 商品 from 消费记录 where (会员卡号 =?)and (增减原因='购物消费') "
                                  "order by 日期 desc limit 1"),
                   {card});
        lastGoods.setText(q.fieldByName(QStringLiteral("商品")).asString());
        q.close();
    }
    if (unlockEntry) unlockEntry();
}

void CardLookup::clearPanel(const kit::Edit* keep) {
    picture.setVisible(false);
    for (kit::Edit* e : {&cardNumber, &category, &memberName, &sex, &idNumber, &birthday, &address, &phone, &mobile,
                         &balance, &issueDate, &purchaseCount, &totalPoints, &lastGoods})
        if (e != keep) e->clear();
}

void CardLookup::search(const QString& column, const kit::Edit& field) {
    const QString text = field.text();
    clearPanel(&field);
    if (clearEntry) clearEntry();
    // The column comes from the program, never from typed text.
    dm_.ADOQuery7.openWith(QStringLiteral("select 会员卡号,会员姓名,身份证号 from 会员卡信息 where %1 like ?").arg(column),
                           {QStringLiteral("%") + text + QStringLiteral("%")});
    searchBox.setVisible(true);
    searchGrid.setFocus();
}

void CardLookup::pick() {
    const QString card = dm_.ADOQuery7.active() && dm_.ADOQuery7.recordCount() > 0
                             ? dm_.ADOQuery7.fieldByName(QStringLiteral("会员卡号")).asString()
                             : QString();
    searchBox.setVisible(false);
    if (diff_.formalCheckOnPick && refuseReplacedCard(card, kReplacedUse)) return;
    db::Query& q = dm_.ADOall;
    q.openWith(kSelectMember, {card});
    if (q.recordCount() == 0) {
        form_.shell().message(kNotFound, diff_.notFoundCaption, kit::Icon::Error);
        return;
    }
    if (q.fieldByName(QStringLiteral("口头挂失标志")).asBoolean()) {
        openVerbalLossHistory(card);
        return;
    }
    cardNumber.setText(card);
    fillFromCurrentRow(card);
}

bool CardLookup::checkAtSave() {
    db::Query& q = dm_.ADOall;
    q.openWith(kSelectMember, {cardNumber.text()});
    const bool found = q.recordCount() > 0;
    const bool lost = found && q.fieldByName(QStringLiteral("口头挂失标志")).asBoolean();
    q.close();
    if (!found) {
        form_.shell().message(kNotFound, QStringLiteral("提示"), kit::Icon::Error);
        cardNumber.setFocus();
        return false;
    }
    if (lost) {
        form_.shell().message(QStringLiteral("此卡已经口头挂失，不能使用!"), kSystemCaption, kit::Icon::Error);
        cardNumber.setFocus();
        return false;
    }
    return true;
}

void CardLookup::enableDetailsByFlag() {
    detailsButton.setEnabled(false);
    db::Query& q = dm_.ADOall;
    q.openWith(QStringLiteral("select * from 操作员 where 操作员=?"), {main_.currentLogin.operatorNumber});
    detailsButton.setEnabled(q.fieldByName(QStringLiteral("16")).asBoolean());
    q.close();
}

void CardLookup::openDetails() {
    dm_.ADOQuery8.openWith(QStringLiteral("select * from 流水记录 where 会员卡号=?"), {remembered_});
    main_.openWindow(QStringLiteral("Txiangxijilu"), QStringLiteral("会员积分增减详细记录"));
}

}  // namespace points
