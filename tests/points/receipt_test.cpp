// Receipts: the document built from the committed rows of a save, for each
// kind and paper width, and how PrintReceipt prints it as the settings say.

#include "points/journal.h"
#include "points/journalsave.h"
#include "points/receipt.h"
#include "program_env.h"

using namespace points;
using kit::ReportLine;
using testing_support::ProgramEnv;

namespace {

const QDateTime kNow(QDate(2026, 3, 5), QTime(14, 30, 0));

// A line as text: its cells joined by " | " (a blank cell that only takes
// room at the end left out), bold lines marked "**".
QString describe(const ReportLine& line) {
    QString text = line.text;
    if (!line.cells.empty()) {
        QStringList cells;
        for (const auto& c : line.cells) cells << c.text;
        if (cells.size() > 1 && cells.back().isEmpty()) cells.removeLast();
        text = cells.join(QStringLiteral(" | "));
    }
    return (line.bold ? QStringLiteral("**") : QString()) + text;
}

QStringList describe(const kit::ReportDocument& doc) {
    QStringList out;
    for (const auto& line : doc.lines) out << describe(line);
    return out;
}

// A member with history, and one committed save of each kind, written as
// the transaction screens write them. The card holds a quote: every value
// reaches the database bound.
struct ReceiptFixture : ::testing::Test, ProgramEnv {
    const QString card = QStringLiteral("A'01");

    ReceiptFixture() {
        conn().exec("insert into 会员卡信息 (会员卡号, 会员姓名, 积分) values (?, '张三', 100)", {card});
        // Earlier: one purchase of 50 and one return of 10.
        conn().exec("insert into 流水记录 (编号, 会员卡号, 增减积分, 增减原因) values ('0000000001', ?, 50, '购物消费'), "
                    "('0000000002', ?, -10, '退货减积分')",
                    {card, card});
        conn().exec("insert into 消费记录 (编号, 会员卡号, 商品, 消费金额) values ('0000000001', ?, '旧货', 50), "
                    "('0000000002', ?, '旧货', -10)",
                    {card, card});
    }

    TransactionRow row(const QString& number) {
        return {number, card, QStringLiteral("张三"), QDate(2026, 3, 5), QTime(14, 29, 0), QStringLiteral("0001")};
    }
    // The goods are written in an order that is not their name order.
    QString purchase() {
        JournalSave save(dm());
        writeJournalRow(dm(), row(save.number()), 42.5, kPurchase);
        writeConsumptionRow(dm(), row(save.number()), QStringLiteral("苹果"), 12.5, kPurchase);
        writeConsumptionRow(dm(), row(save.number()), QStringLiteral("梨"), 30, kPurchase);
        addToBalance(dm(), card, 42.5);
        save.commit();
        return save.number();
    }
    QString giveBack() {
        JournalSave save(dm());
        writeJournalRow(dm(), row(save.number()), -12.5, kReturn);
        writeConsumptionRow(dm(), row(save.number()), QStringLiteral("苹果"), -12.5, kReturn);
        subtractFromBalance(dm(), card, 12.5);
        save.commit();
        return save.number();
    }
    QString redeem() {
        JournalSave save(dm());
        writeRedemptionJournalRow(dm(), row(save.number()), QStringLiteral("水杯 雨伞"), 5, -30);
        writeGiftUsageRow(dm(), row(save.number()), QStringLiteral("水杯"), QStringLiteral("个"), 2);
        writeGiftUsageRow(dm(), row(save.number()), QStringLiteral("雨伞"), QStringLiteral("把"), 1);
        subtractFromBalance(dm(), card, 30);
        save.commit();
        return save.number();
    }
    QString save(ReceiptKind kind) {
        switch (kind) {
        case ReceiptKind::Purchase: return purchase();
        case ReceiptKind::Return: return giveBack();
        case ReceiptKind::Redemption: return redeem();
        }
        return {};
    }

    static ReceiptSettings settings(const QString& width) {
        ReceiptSettings s;
        s.width = width;
        s.shopName = QStringLiteral("幸福超市");
        s.tail = QStringLiteral("谢谢惠顾\n欢迎再次光临");
        s.print = true;
        return s;
    }
};

}  // namespace

TEST_F(ReceiptFixture, EachKindAndWidthHasItsLinesAndPage) {
    using K = ReceiptKind;
    struct Case {
        K kind;
        const char* width;
        double paper, side;
        QStringList body;   // between the title and the tail
    } cases[] = {
        {K::Purchase, "58", 58, 5.5,
         {"日期：2026-03-05 14:30:00", "卡号：A'01", "姓名：张三", "消费次数：2", "历史总金额：82.5",
          "序 | 商品名 | 金额", "1 | 苹果 | 12.5", "2 | 梨 | 30", "增加积分：42.5", "现有积分：142.5", "经手人：0001"}},
        {K::Purchase, "76", 76, 5.5,
         {"日期：2026-03-05 14:30:00", "卡号：A'01", "姓名：张三", "消费次数：2", "历史总金额：82.5",
          "序号 | 商品名 | 金额", "1 | 苹果 | 12.5", "2 | 梨 | 30", "增加积分：42.5", "现有积分：142.5", "经手人：0001"}},
        {K::Purchase, "120", 115, 10,
         {"日期：2026-03-05 14:30:00", "会员卡号：A'01 | 姓名：张三", "消费次数：2 | 历史总金额：82.5",
          "序号 | 商品名 | 金额", "1 | 苹果 | 12.5", "2 | 梨 | 30", "增加积分：42.5 | 现有积分：142.5", "经手人：0001"}},
        {K::Purchase, "241", 240, 10,
         {"日期：2026-03-05 14:30:00 | 会员卡号：A'01", "姓名：张三 | 消费次数：2 | 历史总金额：82.5",
          "序号 | 商品名 | 金额", "1 | 苹果 | 12.5", "2 | 梨 | 30", "增加积分：42.5 | 现有积分：142.5", "经手人：0001"}},
        {K::Return, "58", 58, 5.5,
         {"日期：2026-03-05 14:30:00", "卡号：A'01", "姓名：张三", "序 | 商品名 | 金额", "1 | 苹果 | -12.5",
          "减少积分：-12.5", "现有积分：87.5", "经手人：0001"}},
        {K::Return, "76", 76, 5.5,
         {"日期：2026-03-05 14:30:00", "会员卡号：A'01", "姓名：张三", "序号 | 商品名 | 金额", "1 | 苹果 | -12.5",
          "减少积分：-12.5", "现有积分：87.5", "经手人：0001"}},
        {K::Return, "120", 115, 10,
         {"日期：2026-03-05 14:30:00", "会员卡号：A'01 | 姓名：张三", "序号 | 商品名 | 金额", "1 | 苹果 | -12.5",
          "减少积分：-12.5 | 现有积分：87.5", "经手人：0001"}},
        {K::Return, "241", 240, 10,
         {"日期：2026-03-05 14:30:00 | 会员卡号：A'01 | 姓名：张三", "序号 | 商品名 | 金额", "1 | 苹果 | -12.5",
          "减少积分：-12.5 | 现有积分：87.5 | 经手人：0001"}},
        {K::Redemption, "58", 58, 5.5,
         {"日期：2026-03-05 14:30:00", "卡号：A'01", "姓名：张三", "**兑换现金：5", "**兑换礼品详细情况：",
          "序 | 兑换礼品 | 数量", "1 | 水杯 | 2", "2 | 雨伞 | 1", "减少积分：-30", "现有积分：70", "经手人：0001"}},
        {K::Redemption, "76", 76, 5.5,
         {"日期：2026-03-05 14:30:00", "卡号：A'01", "姓名：张三", "**兑换现金：5", "**兑换礼品详细情况：",
          "序号 | 兑换礼品 | 数量", "1 | 水杯 | 2", "2 | 雨伞 | 1", "减少积分：-30", "现有积分：70", "经手人：0001"}},
        {K::Redemption, "120", 115, 10,
         {"日期：2026-03-05 14:30:00", "会员卡号：A'01 | 姓名：张三", "**兑换现金数量：5", "**兑换礼品详细情况：",
          "序号 | 兑换礼品 | 数量", "1 | 水杯 | 2", "2 | 雨伞 | 1", "减少积分：-30 | 现有积分：70", "经手人：0001"}},
        {K::Redemption, "241", 240, 10,
         {"日期：2026-03-05 14:30:00 | 会员卡号：A'01 | 姓名：张三", "**兑换现金数量：5", "**兑换礼品详细情况：",
          "序号 | 兑换礼品 | 数量", "1 | 水杯 | 2", "2 | 雨伞 | 1", "减少积分：-30 | 现有积分：70 | 经手人：0001"}},
    };
    const QString titles[] = {"增加积分", "退货减积分", "积分兑换"};
    for (const Case& c : cases) {
        conn().exec("update 会员卡信息 set 积分=100");
        const QString number = save(c.kind);
        const QString what = titles[int(c.kind)] + " " + c.width;
        const auto doc = buildReceipt(dm(), c.kind, number, card, settings(c.width), kNow);
        ASSERT_TRUE(doc) << what.toStdString();
        QStringList expected = {"幸福超市", "**" + titles[int(c.kind)]};
        expected << c.body << "谢谢惠顾\n欢迎再次光临" << "";
        EXPECT_EQ(describe(*doc), expected) << what.toStdString();

        EXPECT_EQ(doc->paperWidthMm, c.paper) << what.toStdString();
        EXPECT_EQ(doc->paperHeightMm, 0) << "continuous paper";
        EXPECT_EQ(doc->marginLeftMm, c.side);
        EXPECT_EQ(doc->marginRightMm, c.side);
        EXPECT_EQ(doc->marginTopMm, 5);
        EXPECT_EQ(doc->marginBottomMm, 15);

        const ReportLine& title = doc->lines[1];
        const ReportLine& body = doc->lines[2];
        EXPECT_EQ(title.face, ReportLine::Face::Hei);
        EXPECT_EQ(title.align, kit::Align::Center);
        EXPECT_GT(title.pointSize, body.pointSize);
        EXPECT_EQ(body.face, ReportLine::Face::Song);
        EXPECT_EQ(body.pointSize, c.paper == 58 ? 8 : 10) << "smaller type on 58 mm paper";
        EXPECT_GT(doc->lines.back().minHeightMm, 0) << "the empty box at the end";
        for (const auto& line : doc->lines) {
            if (line.cells.size() == 3 && line.cells[0].width < line.cells[1].width) {
                EXPECT_EQ(line.cells[2].align, kit::Align::Right) << "amounts and quantities line up right";
            }
        }

        // The next case starts from the same history.
        conn().exec("delete from 流水记录 where 编号=?", {number});
        conn().exec("delete from 消费记录 where 编号=?", {number});
        conn().exec("delete from 礼品使用记录 where 单据号=?", {number});
    }
    EXPECT_FALSE(buildReceipt(dm(), ReceiptKind::Purchase, "0000000003", card, settings("80"), kNow));
}

TEST_F(ReceiptFixture, PrintReceiptPrintsAsTheSettingsSay) {
    struct Case {
        const char* what;
        bool print;
        const char* width;
        const char* copies;
        const char* preview;
        bool printer;
        int printed;
        bool previewed;
        QString message;   // part of the one message shown, empty for none
    } cases[] = {
        {"three previews, one after the other", true, "58", "3", "是", true, 3, true, {}},
        {"three printed directly", true, "76", "3", "否", true, 3, false, {}},
        {"any other preview value previews", true, "76", "1", "", true, 1, true, {}},
        {"no copies", true, "58", "0", "是", true, 0, false, {}},
        {"printing off", false, "58", "3", "否", true, 0, false, {}},
        {"an unknown width", true, "80", "1", "否", true, 0, false, {}},
        {"copies not a whole number", true, "58", "2.5", "否", true, 0, false, "“2.5”不是整数"},
        {"copies empty", true, "58", "", "否", true, 0, false, "不是整数"},
        {"no printer, direct", true, "58", "2", "否", false, 0, false, "本次数据已经保存"},
        {"no printer, preview still shows", true, "58", "1", "是", false, 1, true, {}},
    };
    for (const Case& c : cases) {
        shell.printed.clear();
        shell.messages.clear();
        shell.printerInstalled = c.printer;
        const QString number = purchase();
        ReceiptSettings s = settings(c.width);
        s.print = c.print;
        s.copies = c.copies;
        s.preview = c.preview;
        PrintReceipt(shell, dm(), ReceiptKind::Purchase, number, card, s);
        ASSERT_EQ(int(shell.printed.size()), c.printed) << c.what;
        for (const auto& p : shell.printed) {
            EXPECT_EQ(p.preview, c.previewed) << c.what;
            EXPECT_EQ(p.doc.lines[1].text, "增加积分") << c.what;
        }
        if (c.message.isEmpty()) {
            EXPECT_TRUE(shell.messages.empty()) << c.what << ": " << shell.lastMessage().toStdString();
        } else {
            ASSERT_EQ(shell.messages.size(), 1u) << c.what << ": one message, also for several copies";
            EXPECT_TRUE(shell.messages[0].text.contains(c.message)) << c.what << ": " << shell.messages[0].text.toStdString();
            EXPECT_EQ(shell.messages[0].caption, "提示");
            EXPECT_EQ(shell.messages[0].icon, kit::Icon::Error);
        }
        EXPECT_EQ(count("select * from 流水记录 where 编号=?", {number}), 1) << c.what << ": the save stays";
    }
}

TEST_F(ReceiptFixture, RowsThatCannotBeReadAreReportedWithoutThrowing) {
    const QString number = redeem();
    conn().exec("drop table 礼品使用记录");
    PrintReceipt(shell, dm(), ReceiptKind::Redemption, number, card, settings("58"));
    EXPECT_TRUE(shell.printed.empty());
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_TRUE(shell.lastMessage().startsWith("读取小票内容失败，小票没有打印！本次数据已经保存。"));
    EXPECT_EQ(value("select 积分 from 会员卡信息 where 会员卡号=?", {card}), "70") << "the save stays";
}
