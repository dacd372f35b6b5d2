#include "points/goodsscreen.h"

#include "db/error.h"
#include "db/numtext.h"
#include "kit/shell.h"
#include "points/journalsave.h"
#include "points/pointsrules.h"

#include <QTime>

namespace points {

namespace {
const QString kNote = QStringLiteral("提示");

kit::Style red() { return {.color = QStringLiteral("red")}; }
}  // namespace

GoodsScreen::GoodsScreen(kit::Shell& shell, db::TDM1& dm, app::TMAIN& main, LookupScreen screen, Texts texts)
    : kit::Form(shell, texts.className, texts.banner, Kind::Child),
      Label1(*this, QStringLiteral("Label1"), texts.banner),
      lookup(*this, dm, main, screen),
      GroupBoxGoods(*this, QStringLiteral("GroupBoxGoods"), texts.goodsGroup),
      AdvStringGrid1(*this, QStringLiteral("AdvStringGrid1"), 3, kGoodsRows + 1),
      Edit15(*this, QStringLiteral("Edit15")),
      Edit16(*this, QStringLiteral("Edit16")),
      Label20(*this, QStringLiteral("Label20")),
      Edit17(*this, QStringLiteral("Edit17")),
      Edit18(*this, QStringLiteral("Edit18")),
      DateTimePicker1(*this, QStringLiteral("DateTimePicker1")),
      BitBtn1(*this, QStringLiteral("BitBtn1"), QStringLiteral("保存")),
      BitBtn2(*this, QStringLiteral("BitBtn2"), QStringLiteral("退出")),
      GroupBoxHelp(*this, QStringLiteral("GroupBoxHelp"), QStringLiteral("说明")),
      Label30(*this, QStringLiteral("Label30")),
      dm_(dm),
      main_(main),
      texts_(std::move(texts)) {
    minimizeButton = true;
    Label1.setStyle({.color = QStringLiteral("blue"), .bold = true, .pointSize = 16, .align = kit::Align::Center});
    Label30.setVisible(false);
    Edit15.setKeyFilter(kit::KeyFilter::Numeric);
    Edit16.setKeyFilter(kit::KeyFilter::Numeric);
    Edit17.setKeyFilter(kit::KeyFilter::Numeric);
    Edit16.setStyle({.color = QStringLiteral("blue"), .pointSize = 14});
    Edit18.setReadOnly(true);
    Label20.setStyle({.color = QStringLiteral("red"), .bold = true});

    // Layout: the card and member on the left, the goods and the figures on
    // the right, the picture and the notes below.
    layout().add(Label1);
    kit::Box& columns = layout().box(kit::Box::Kind::Row);
    kit::Box& left = columns.box(kit::Box::Kind::Column);
    kit::Box& cardFields = left.box(kit::Box::Kind::Fields);
    lookup.placeCardNumber(cardFields);
    lookup.placeMemberPanel(cardFields);
    cardFields.add(lookup.purchaseCount, QStringLiteral("历史消费次数"));
    cardFields.add(lookup.totalPoints, QStringLiteral("历史总积分"));
    if (lookup.differences().lastGoods) cardFields.add(lookup.lastGoods, QStringLiteral("上次消费商品"));
    lookup.placeSearchBox(left);
    kit::Box& right = columns.box(kit::Box::Kind::Column);
    GroupBoxGoods.content().add(AdvStringGrid1);
    right.add(GroupBoxGoods);
    kit::Box& figures = right.box(kit::Box::Kind::Fields);
    figures.add(Edit15, texts_.amountCaption);
    figures.add(Edit16, QStringLiteral("现金收款"), {.color = QStringLiteral("navy"), .bold = true});
    figures.add(Label20, QStringLiteral("找零："), {.color = QStringLiteral("red"), .bold = true});
    figures.add(Edit17, texts_.pointsCaption);
    figures.add(Edit18, QStringLiteral("保存后的总积分"));
    figures.add(DateTimePicker1, QStringLiteral("消费日期"));
    right.box(kit::Box::Kind::Row).add(BitBtn1).add(BitBtn2).add(lookup.detailsButton).stretch();
    kit::Box& bottom = layout().box(kit::Box::Kind::Row);
    bottom.add(lookup.pictureGroup);
    GroupBoxHelp.setStyle(red());
    GroupBoxHelp.content()
        .text(QStringLiteral("1、保存错误的记录，请在“会员积分增减历史记录”中删除后重新录入。"), red())
        .text(QStringLiteral("2、不需要记录商品时，只输入消费金额后保存即可。"), red())
        .text(QStringLiteral("3、商品名称输入一次后，以后可从表格的下拉列表中选择，"), red())
        .text(QStringLiteral("   列表显示包含已输入文字的商品（未输入时显示全部商品）。"), red());
    bottom.add(GroupBoxHelp);
    layout().add(Label30);

    // The goods grid: numbered lines, a goods name chosen from earlier goods, an amount.
    AdvStringGrid1.setColWidth(0, 35);
    AdvStringGrid1.setColWidth(1, texts_.goodsColumnWidth);
    AdvStringGrid1.setColWidth(2, 80);
    AdvStringGrid1.setEditor(0, kit::StringGrid::Editor::None);
    AdvStringGrid1.setEditor(1, kit::StringGrid::Editor::Combo);
    AdvStringGrid1.setEditor(2, kit::StringGrid::Editor::Text);
    AdvStringGrid1.onComboList = [this](int col, int row, QStringList& items) {
        items = db::readColumn(dm_.ADOall, QStringLiteral("select distinct 商品 from 消费记录 where 商品 like ? order by 商品 "),
                               QStringLiteral("商品"), {QStringLiteral("%") + AdvStringGrid1.cell(col, row) + QStringLiteral("%")});
    };

    lookup.unlockEntry = [this] { unlockEntry(); };
    lookup.clearEntry = [this] { clearEntry(); };

    onShow = [this] { show(); };
    onRedraw = [this] { computeJournalNumber(); };
    Edit15.onFocus = [this] {
        if (Edit15.text() == QStringLiteral("0")) Edit15.clear();
    };
    Edit15.onChange = [this] { PointsForAmount(); };
    Edit15.onEnter = [this] { Edit16.setFocus(); };
    Edit16.onChange = [this] { updateChange(); };
    AdvStringGrid1.onEnter = [this] { Edit15.setFocus(); };
    AdvStringGrid1.onExit = [this] { GoodsGridCheck(true); };
    BitBtn1.onClick = [this] { save(); };
    BitBtn2.onClick = [this] { close(); };
}

void GoodsScreen::show() {
    AdvStringGrid1.setCell(0, 0, QStringLiteral("序号"));
    AdvStringGrid1.setCell(1, 0, QStringLiteral("商品名"));
    AdvStringGrid1.setCell(2, 0, QStringLiteral("金额"));
    for (int row = 1; row <= kGoodsRows; ++row) AdvStringGrid1.setCell(0, row, QString::number(row));
    lookup.clearPanel();
    clearEntry();
    Edit16.clear();
    Label20.setText(QString());
    goodsSummary_.clear();
    AdvStringGrid1.clearColumn(1);
    AdvStringGrid1.clearColumn(2);
    DateTimePicker1.setDate(QDate::currentDate());
    lookup.cardNumber.setFocus();
    Edit15.setEnabled(false);
    Edit17.setEnabled(false);
    BitBtn1.setEnabled(false);
    lookup.searchBox.setVisible(false);
    computeJournalNumber();
    lookup.enableDetailsByFlag();
}

void GoodsScreen::computeJournalNumber() {
    // Shown for the operator's information; every save takes its own number.
    Label30.setText(NextJournalNumber(dm_));
}

void GoodsScreen::unlockEntry() {
    Edit15.setEnabled(true);
    Edit17.setEnabled(true);
    Edit15.setFocus();
    BitBtn1.setEnabled(true);
}

void GoodsScreen::clearEntry() {
    Edit15.clear();
    Edit17.clear();
    Edit18.clear();
}

void GoodsScreen::PointsForAmount() {
    if (Edit15.text().isEmpty()) return;
    // A text that is no number yet leaves the figures as they are; the save
    // refuses it with a message.
    const auto amount = db::parseNumber(Edit15.text());
    if (!amount) return;
    const auto points = pointsForAmount(dm_, lookup.category.text(), *amount);
    if (!points) return;
    Edit17.setText(*points);
    const auto balance = db::parseNumber(lookup.balance.text());
    if (balance) Edit18.setText(db::numberText(balanceAfter(*balance, *db::parseNumber(*points))));
}

void GoodsScreen::updateChange() {
    const auto cash = db::parseNumber(Edit16.text());
    const auto amount = db::parseNumber(Edit15.text());
    if (cash && amount) Label20.setText(db::numberText(*cash - *amount));
}

bool GoodsScreen::GoodsGridCheck(bool total) {
    for (int row = 1; row <= kGoodsRows; ++row) {
        const bool goods = !AdvStringGrid1.cell(1, row).isEmpty();
        const bool amount = !AdvStringGrid1.cell(2, row).isEmpty();
        if (goods != amount) {
            shell().message(texts_.incompleteGoods, kNote, kit::Icon::Error);
            AdvStringGrid1.selectCell(goods ? 2 : 1, row);
            AdvStringGrid1.setFocus();
            return false;
        }
    }
    if (!total) return true;
    if (!goodsAmountsAreNumbers()) return false;
    double sum = 0;
    QStringList names;
    for (const GoodsLine& line : goodsLines()) {
        sum += *db::parseNumber(line.amount);
        names << line.goods;
    }
    Edit15.setText(db::numberText(sum));
    goodsSummary_ = names.join(QLatin1Char(' ')).trimmed();
    return true;
}

std::vector<GoodsScreen::GoodsLine> GoodsScreen::goodsLines() const {
    std::vector<GoodsLine> lines;
    for (int row = 1; row <= kGoodsRows; ++row)
        if (!AdvStringGrid1.cell(1, row).isEmpty())
            lines.push_back({AdvStringGrid1.cell(1, row), AdvStringGrid1.cell(2, row)});
    return lines;
}

bool GoodsScreen::checkBeforeSave(bool amountFirst) {
    auto refuse = [this](kit::Edit& field, const QString& what) {
        shell().message(QStringLiteral("%1“%2”不是有效的数字，请重新输入！").arg(what, field.text()), kNote,
                        kit::Icon::Error);
        field.setFocus();
        return false;
    };
    receiptSettings_ = ReceiptSettings::read(main_.home());
    if (amountFirst && Edit15.text().isEmpty()) Edit15.setText(QStringLiteral("0"));
    if (!lookup.checkAtSave()) return false;
    if (!GoodsGridCheck(false)) return false;
    if (Edit15.text().isEmpty()) Edit15.setText(QStringLiteral("0"));
    if (Edit17.text().isEmpty()) Edit17.setText(QStringLiteral("0"));
    // Nothing that is not a number reaches a statement.
    if (!db::parseNumber(Edit15.text())) return refuse(Edit15, QStringLiteral("金额"));
    if (!db::parseNumber(Edit17.text())) return refuse(Edit17, QStringLiteral("积分"));
    if (!Edit16.text().isEmpty() && !db::parseNumber(Edit16.text())) return refuse(Edit16, QStringLiteral("现金收款"));
    return goodsAmountsAreNumbers();
}

bool GoodsScreen::goodsAmountsAreNumbers() {
    for (const GoodsLine& line : goodsLines()) {
        if (!db::parseNumber(line.amount)) {
            shell().message(QStringLiteral("商品“%1”的金额“%2”不是有效的数字，请重新输入！").arg(line.goods, line.amount),
                            kNote, kit::Icon::Error);
            return false;
        }
    }
    return true;
}

TransactionRow GoodsScreen::rowFor(const QString& number) const {
    return {number, lookup.cardNumber.text(), lookup.memberName.text(), DateTimePicker1.date(), QTime::currentTime(),
            main_.currentLogin.operatorNumber};
}

bool GoodsScreen::saveGoodsTransaction(const SaveKind& kind) {
    const double points = *db::parseNumber(Edit17.text());
    const QString card = lookup.cardNumber.text();
    lookup.rememberCard(card);
    const double newBalance = balanceAfter(db::parseNumber(lookup.balance.text()).value_or(0), points);
    auto signedValue = [&](double v) { return kind.takesPoints ? negated(v) : v; };
    auto moveCategory = [&] {
        if (kind.takesPoints) CategoryByUpperBound(dm_, card, newBalance);
        else CategoryByLowerBound(dm_, card, newBalance);
    };
    QString number;
    try {
        JournalSave saving(dm_);
        number = saving.number();
        Label30.setText(number);
        const TransactionRow row = rowFor(number);
        if (kind.takesPoints) subtractFromBalance(dm_, card, points);
        else addToBalance(dm_, card, points);
        writeJournalRow(dm_, row, signedValue(points), kind.reason);
        const auto lines = goodsLines();
        if (!goodsSummary_.isEmpty() && !lines.empty()) {
            for (const GoodsLine& line : lines)
                writeConsumptionRow(dm_, row, line.goods, signedValue(*db::parseNumber(line.amount)), kind.reason);
        } else {
            writeConsumptionRow(dm_, row, QStringLiteral("无商品"), signedValue(*db::parseNumber(Edit15.text())),
                                kind.reason);
        }
        if (!kind.messageBeforeCategory) moveCategory();
        shell().message(kind.doneMessage, kNote, kit::Icon::Information);
        if (kind.messageBeforeCategory) moveCategory();
        saving.commit();
    } catch (const std::exception& e) {
        // Rolled back: nothing of this save remains. The error's own text.
        const auto* dbError = dynamic_cast<const db::Error*>(&e);
        shell().message(dbError ? dbError->message() : QString::fromUtf8(e.what()), kit::kProductTitle, kit::Icon::None);
        return false;
    }
    if (receiptSettings_.print) PrintReceipt(shell(), dm_, kind.receipt, number, card, receiptSettings_);
    reset();
    return true;
}

void GoodsScreen::reset() {
    lookup.clearPanel();
    clearEntry();
    Edit16.clear();
    goodsSummary_.clear();
    Label20.setText(QString());
    lookup.cardNumber.setFocus();
    Edit15.setEnabled(false);
    Edit17.setEnabled(false);
    BitBtn1.setEnabled(false);
    AdvStringGrid1.clearColumn(1);
    AdvStringGrid1.clearColumn(2);
}

}  // namespace points
