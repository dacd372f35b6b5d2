#include "points/receipt.h"

#include "app/settings.h"
#include "db/error.h"
#include "db/numtext.h"
#include "points/journal.h"

#include <QRegularExpression>

namespace points {

namespace {

using kit::Align;
using kit::ReportCell;
using kit::ReportLine;

// Page set-up and type sizes of one paper width.
struct Page {
    double paperMm;
    double sideMarginMm;
    int bodySize;
    int titleSize;
};

std::optional<Page> pageOf(const QString& width) {
    if (width == QStringLiteral("58")) return Page{58, 5.5, 8, 12};
    if (width == QStringLiteral("76")) return Page{76, 5.5, 10, 14};
    if (width == QStringLiteral("120")) return Page{115, 10, 10, 14};
    if (width == QStringLiteral("241")) return Page{240, 10, 10, 14};
    return std::nullopt;
}

constexpr double kTopMarginMm = 5;
constexpr double kBottomMarginMm = 15;
// The empty band that ends every receipt, so that the last text clears the
// printer's tear bar.
constexpr double kEmptyBoxMm = 8;

// What a receipt shows, read from the committed rows of one save.
struct ReceiptData {
    QString card;
    QString name;
    QString points;      // 增减积分, as stored (negative for a return or a redemption)
    QString operatorNumber;
    QString cash;        // 返现金 (redemption)
    QString balance;     // 积分 after the save
    QString purchaseCount = QStringLiteral("0");
    QString totalSpent = QStringLiteral("0");
    struct Detail {
        QString what;    // goods or gift name
        QString amount;  // amount or quantity
    };
    std::vector<Detail> details;
};

ReceiptData readData(db::TDM1& dm, ReceiptKind kind, const QString& number, const QString& card) {
    ReceiptData d;
    db::Query& q = dm.ADOall;
    q.openWith(QStringLiteral("select * from 流水记录 where 编号=?"), {number});
    d.card = q.fieldByName(QStringLiteral("会员卡号")).asString();
    d.name = q.fieldByName(QStringLiteral("会员姓名")).asString();
    d.points = q.fieldByName(QStringLiteral("增减积分")).asString();
    d.operatorNumber = q.fieldByName(QStringLiteral("经手人")).asString();
    d.cash = q.fieldByName(QStringLiteral("返现金")).asString();

    // The detail rows in the order they were written.
    if (kind == ReceiptKind::Redemption) {
        q.openWith(QStringLiteral("select * from 礼品使用记录 where 单据号=? order by rowid"), {number});
        for (q.first(); !q.eof(); q.next())
            d.details.push_back({q.fieldByName(QStringLiteral("礼品名称")).asString(),
                                 q.fieldByName(QStringLiteral("数量")).asString()});
    } else {
        q.openWith(QStringLiteral("select * from 消费记录 where 编号=? order by rowid"), {number});
        for (q.first(); !q.eof(); q.next())
            d.details.push_back({q.fieldByName(QStringLiteral("商品")).asString(),
                                 q.fieldByName(QStringLiteral("消费金额")).asString()});
    }

    q.openWith(QStringLiteral("select * from 会员卡信息 where 会员卡号=?"), {card});
    d.balance = q.fieldByName(QStringLiteral("积分")).asString();

    if (kind == ReceiptKind::Purchase) {
        // Either figure prints as "0" when it cannot be read.
        try {
            q.openWith(QStringLiteral("select count(*) as 次数 from 流水记录 where 会员卡号=? and 增减原因=?"),
                       {card, kPurchase});
            d.purchaseCount = q.fieldByName(QStringLiteral("次数")).asString();
        } catch (const db::Error&) {
            d.purchaseCount = QStringLiteral("0");
        }
        try {
            q.openWith(QStringLiteral("select sum(消费金额) as 总消费 from 消费记录 where 会员卡号=?"), {card});
            const db::Field total = q.fieldByName(QStringLiteral("总消费"));
            d.totalSpent = total.isNull() ? QStringLiteral("0") : total.asString();
        } catch (const db::Error&) {
            d.totalSpent = QStringLiteral("0");
        }
    }
    q.close();
    return d;
}

// Builds the lines of one receipt in the body face of its width.
class Lines {
public:
    explicit Lines(const Page& page) : page_(page) {}

    Lines& text(const QString& text, bool bold = false, Align align = Align::Left) {
        ReportLine line{text, ReportLine::Face::Song, page_.bodySize, bold, align};
        lines_.push_back(std::move(line));
        return *this;
    }
    // Two or three captions with their values side by side, equally wide.
    Lines& together(std::initializer_list<QString> texts) {
        ReportLine line{QString(), ReportLine::Face::Song, page_.bodySize};
        for (const QString& t : texts) line.cells.push_back({t});
        lines_.push_back(std::move(line));
        return *this;
    }
    // A line of the detail columns: number, name, amount. On the widest
    // paper the columns take the first two thirds, where the amounts stay
    // within reach of their names, and a blank cell takes the rest.
    Lines& columns(const QString& number, const QString& name, const QString& amount) {
        ReportLine line{QString(), ReportLine::Face::Song, page_.bodySize};
        if (page_.paperMm < 100)
            line.cells = {{number, 1}, {name, 4}, {amount, 2, Align::Right}};
        else if (page_.paperMm < 200)
            line.cells = {{number, 1}, {name, 6}, {amount, 2, Align::Right}};
        else
            line.cells = {{number, 1}, {name, 6}, {amount, 3, Align::Right}, {QString(), 5}};
        lines_.push_back(std::move(line));
        return *this;
    }
    Lines& title(const QString& text) {
        lines_.push_back({text, ReportLine::Face::Hei, page_.titleSize, true, Align::Center});
        return *this;
    }
    Lines& emptyBox() {
        ReportLine line{QString(), ReportLine::Face::Song, page_.bodySize};
        line.minHeightMm = kEmptyBoxMm;
        lines_.push_back(std::move(line));
        return *this;
    }

    std::vector<ReportLine> take() { return std::move(lines_); }

private:
    Page page_;
    std::vector<ReportLine> lines_;
};

kit::ReportDocument pageDocument(const Page& page, const QString& title, double topMm) {
    kit::ReportDocument doc;
    doc.title = title;
    doc.paperWidthMm = page.paperMm;
    doc.paperHeightMm = 0;   // continuous paper: as long as the receipt
    doc.marginLeftMm = doc.marginRightMm = page.sideMarginMm;
    doc.marginTopMm = topMm;
    doc.marginBottomMm = kBottomMarginMm;
    return doc;
}

QString titleOf(ReceiptKind kind) {
    switch (kind) {
    case ReceiptKind::Purchase: return QStringLiteral("增加积分");
    case ReceiptKind::Return: return QStringLiteral("退货减积分");
    case ReceiptKind::Redemption: return QStringLiteral("积分兑换");
    }
    return {};
}

void addLines(Lines& l, ReceiptKind kind, const QString& width, const ReceiptData& d, const QString& date,
              const QString& tail) {
    const bool narrow = width == QStringLiteral("58") || width == QStringLiteral("76");
    const bool widest = width == QStringLiteral("241");
    const QString dateText = QStringLiteral("日期：") + date;
    const QString shortCard = QStringLiteral("卡号：") + d.card;
    const QString card = QStringLiteral("会员卡号：") + d.card;
    const QString name = QStringLiteral("姓名：") + d.name;
    const QString numberHead = width == QStringLiteral("58") ? QStringLiteral("序") : QStringLiteral("序号");
    const QString points = (kind == ReceiptKind::Purchase ? QStringLiteral("增加积分：") : QStringLiteral("减少积分：")) + d.points;
    const QString balance = QStringLiteral("现有积分：") + d.balance;
    const QString operatorText = QStringLiteral("经手人：") + d.operatorNumber;

    // Header lines.
    if (widest) {
        if (kind == ReceiptKind::Purchase)
            l.together({dateText, card});
        else
            l.together({dateText, card, name});
    } else {
        l.text(dateText);
        if (narrow) {
            // The 76 mm return receipt names the card in full.
            const bool fullCard = kind == ReceiptKind::Return && width == QStringLiteral("76");
            l.text(fullCard ? card : shortCard).text(name);
        } else {
            l.together({card, name});
        }
    }
    switch (kind) {
    case ReceiptKind::Purchase: {
        const QString count = QStringLiteral("消费次数：") + d.purchaseCount;
        const QString total = QStringLiteral("历史总金额：") + d.totalSpent;
        if (narrow)
            l.text(count).text(total);
        else if (widest)
            l.together({name, count, total});
        else
            l.together({count, total});
        l.columns(numberHead, QStringLiteral("商品名"), QStringLiteral("金额"));
        break;
    }
    case ReceiptKind::Return:
        l.columns(numberHead, QStringLiteral("商品名"), QStringLiteral("金额"));
        break;
    case ReceiptKind::Redemption:
        l.text((narrow ? QStringLiteral("兑换现金：") : QStringLiteral("兑换现金数量：")) + d.cash, true);
        l.text(QStringLiteral("兑换礼品详细情况："), true);
        l.columns(numberHead, QStringLiteral("兑换礼品"), QStringLiteral("数量"));
        break;
    }

    // One detail line per row.
    int n = 0;
    for (const auto& detail : d.details) l.columns(QString::number(++n), detail.what, detail.amount);

    // Closing lines.
    if (narrow)
        l.text(points).text(balance).text(operatorText);
    else if (widest && kind != ReceiptKind::Purchase)
        l.together({points, balance, operatorText});
    else
        l.together({points, balance}).text(operatorText);
    l.text(tail, false, Align::Center);
    l.emptyBox();
}

const QString kNoticeCaption = QStringLiteral("提示");

}  // namespace

ReceiptSettings ReceiptSettings::read(const QString& home) {
    const app::Settings file(home);
    ReceiptSettings s;
    s.width = file.readText(kWidthKey, QStringLiteral("58"));
    s.shopName = file.readText(kShopNameKey);
    s.copies = file.readText(kCopiesKey, QStringLiteral("1"));
    s.tail = file.readText(kTailKey);
    s.print = file.readFlag(kPrintKey, false);
    s.preview = file.readText(kPreviewKey, QStringLiteral("是"));
    return s;
}

std::optional<kit::ReportDocument> buildReceipt(db::TDM1& dm, ReceiptKind kind, const QString& number,
                                                const QString& card, const ReceiptSettings& settings,
                                                const QDateTime& now) {
    const std::optional<Page> page = pageOf(settings.width);
    if (!page) return std::nullopt;
    const ReceiptData data = readData(dm, kind, number, card);

    kit::ReportDocument doc = pageDocument(*page, titleOf(kind) + QLatin1Char(' ') + number, kTopMarginMm);
    Lines lines(*page);
    lines.text(settings.shopName, false, Align::Center).title(titleOf(kind));
    addLines(lines, kind, settings.width, data, now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), settings.tail);
    doc.lines = lines.take();
    return doc;
}

std::optional<kit::ReportDocument> buildTestReceipt(const QString& width, const QString& shopName) {
    const std::optional<Page> page = pageOf(width);
    if (!page) return std::nullopt;
    QString sentence;
    if (width == QStringLiteral("58"))
        sentence = QStringLiteral("    恭喜你，如果你能看到这段文字，说明58毫米宽的打印是正常的！");
    else if (width == QStringLiteral("76"))
        sentence = QStringLiteral("    恭喜你，如果你能看到这段完整的文字，说明76毫米宽的打印是正常的！");
    else if (width == QStringLiteral("120"))
        sentence = QStringLiteral("   恭喜你，如果你能看到这段完整的文字，那就说明120毫米宽的打印是正常的！");
    else
        sentence = QStringLiteral("   恭喜你，如果你能看到这段完整的文字，那就说明241毫米宽的打印是正常的！");

    // The test receipts keep 5.5 mm on three sides whatever the width.
    Page testPage = *page;
    testPage.sideMarginMm = 5.5;
    kit::ReportDocument doc = pageDocument(testPage, QStringLiteral("小票打印测试"), 5.5);
    Lines lines(testPage);
    lines.title(QStringLiteral("欢迎光临")).text(shopName, false, Align::Center).text(sentence).emptyBox();
    doc.lines = lines.take();
    return doc;
}

std::optional<int> receiptCopies(const QString& copies) {
    static const QRegularExpression whole(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    if (!whole.match(copies).hasMatch()) return std::nullopt;
    bool ok = false;
    const int n = copies.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return n;
}

void PrintReceipt(kit::Shell& shell, db::TDM1& dm, ReceiptKind kind, const QString& number, const QString& card,
                  const ReceiptSettings& settings) {
    if (!settings.print || !pageOf(settings.width)) return;
    const std::optional<int> copies = receiptCopies(settings.copies);
    if (!copies) {
        shell.message(QStringLiteral("小票打印份数“%1”不是整数，小票没有打印！\n本次数据已经保存。请在“店铺名称及小票打印设置”中把份数改为整数。")
                          .arg(settings.copies),
                      kNoticeCaption, kit::Icon::Error);
        return;
    }
    if (*copies <= 0) return;

    // The save is committed: whatever goes wrong from here on is reported
    // and leaves the saved data as they are.
    std::optional<kit::ReportDocument> doc;
    try {
        doc = buildReceipt(dm, kind, number, card, settings, QDateTime::currentDateTime());
    } catch (const db::Error& e) {
        shell.message(QStringLiteral("读取小票内容失败，小票没有打印！本次数据已经保存。\n%1").arg(e.message()),
                      kNoticeCaption, kit::Icon::Error);
        return;
    }
    const bool preview = settings.preview != QStringLiteral("否");
    for (int i = 0; i < *copies; ++i) {
        QString failure;
        if (!shell.print(*doc, preview, &failure)) {
            shell.message(QStringLiteral("小票没有打印出来：%1。\n本次数据已经保存。请安装小票打印机，并把它设为默认打印机。")
                              .arg(failure.isEmpty() ? QStringLiteral("打印机不能打印") : failure),
                          kNoticeCaption, kit::Icon::Error);
            return;
        }
    }
}

}  // namespace points
