// Journal numbers and the rows of a transaction.

#include "db/error.h"
#include "points/journal.h"
#include "points/journalsave.h"
#include "program_env.h"

using namespace points;
using testing_support::ProgramEnv;

TEST(JournalNumber, FollowsTheStoredMaximum) {
    const std::pair<QString, QString> cases[] = {
        {"", "0000000001"},
        {" ", "0000000001"},              // a single blank is no maximum
        {"0000000009", "0000000010"},
        {"0000000099", "0000000100"},
        {"0999999999", "1000000000"},
        {"00000000051", "0000000006"},    // only the first ten characters count
        {"2147483646", "2147483647"},     // the last number there is
    };
    for (const auto& [max, next] : cases) EXPECT_EQ(journalNumberAfter(max), next) << max.toStdString();
}

TEST(JournalNumber, RefusesWhatIsNotANumberAndNumbersPastTheLast) {
    for (const QString max : {"abc", "2147483647", "9999999999", "  1"})
        EXPECT_THROW(journalNumberAfter(max), db::Error) << max.toStdString();
}

TEST(JournalNumber, NegationGivesTheShortestText) {
    EXPECT_EQ(negatedText("12.50"), "-12.5");
    EXPECT_EQ(negatedText("30"), "-30");
    EXPECT_EQ(negatedText(" 0 "), "0");
    EXPECT_THROW(negatedText("1.2.3"), db::Error);
}

namespace {

struct JournalFixture : ::testing::Test, ProgramEnv {
    TransactionRow row(const QString& number) {
        return {number, "A'01", "O'Brien", QDate(2026, 12, 11), QTime(9, 5, 7), "0001"};
    }
};

}  // namespace

TEST_F(JournalFixture, NumberingStartsAgainOnAnEmptyJournal) {
    EXPECT_EQ(NextJournalNumber(dm()), "0000000001");
    writeJournalRow(dm(), row("0000000041"), 5, kPurchase);
    EXPECT_EQ(NextJournalNumber(dm()), "0000000042");
    conn().exec("delete from 流水记录");
    EXPECT_EQ(NextJournalNumber(dm()), "0000000001");
}

TEST_F(JournalFixture, RowsStoreTheValuesAsTyped) {
    conn().exec("insert into 会员卡信息 (会员卡号, 积分) values (?, 100)", {"A'01"});
    writeJournalRow(dm(), row("0000000001"), -12.5, kReturn);
    writeConsumptionRow(dm(), row("0000000001"), "无商品", -30, kReturn);
    writeRedemptionJournalRow(dm(), row("0000000002"), "水杯 雨伞", 0, -20);
    writeGiftUsageRow(dm(), row("0000000002"), "水杯", "个", 2);
    subtractFromBalance(dm(), "A'01", 12.5);
    addToBalance(dm(), "A'01", 0.25);

    EXPECT_EQ(value("select 增减积分 from 流水记录 where 编号='0000000001'"), "-12.5");
    EXPECT_EQ(value("select 会员姓名 || '|' || 日期 || '|' || 时间 from 流水记录 where 编号='0000000001'"),
              "O'Brien|2026-12-11|09:05:07");
    EXPECT_EQ(value("select 消费金额 from 消费记录"), "-30");
    EXPECT_EQ(value("select 兑换礼品 || '|' || 返现金 || '|' || 增减原因 from 流水记录 where 编号='0000000002'"),
              "水杯 雨伞|0.0|兑换积分");
    EXPECT_EQ(value("select 单据号 || '|' || 数量 from 礼品使用记录"), "0000000002|2.0");
    EXPECT_EQ(value("select 积分 from 会员卡信息"), "87.75");
}

TEST_F(JournalFixture, TwoScreensSavingOneAfterTheOtherGetTwoNumbers) {
    // Both screens showed the same number; each save takes its own inside
    // its transaction.
    const QString shownOnFirst = NextJournalNumber(dm());
    const QString shownOnSecond = NextJournalNumber(dm());
    EXPECT_EQ(shownOnFirst, shownOnSecond);
    QStringList saved;
    for (int screen = 0; screen < 2; ++screen) {
        JournalSave save(dm());
        writeJournalRow(dm(), row(save.number()), 1, kPurchase);
        save.commit();
        saved << save.number();
    }
    EXPECT_EQ(saved, QStringList({"0000000001", "0000000002"}));
}

TEST_F(JournalFixture, ASaveThatFailsLeavesNothing) {
    conn().exec("insert into 会员卡信息 (会员卡号, 积分) values (?, 100)", {"A'01"});
    conn().exec("create trigger refuse after insert on 消费记录 begin select raise(abort, 'disk full'); end");
    EXPECT_THROW(
        {
            JournalSave save(dm());
            writeJournalRow(dm(), row(save.number()), 10, kPurchase);
            addToBalance(dm(), "A'01", 10);
            writeConsumptionRow(dm(), row(save.number()), "无商品", 10, kPurchase);
            save.commit();
        },
        db::Error);
    EXPECT_EQ(count("select * from 流水记录"), 0);
    EXPECT_EQ(value("select 积分 from 会员卡信息"), "100");
}

TEST_F(JournalFixture, TheLastNumberStopsTheSaveBeforeAnythingIsWritten) {
    writeJournalRow(dm(), row("2147483647"), 1, kPurchase);
    EXPECT_THROW(JournalSave save(dm()), db::Error);
    EXPECT_EQ(count("select * from 流水记录"), 1);
    EXPECT_NO_THROW(db::Transaction(conn()).commit()) << "no transaction was left open";
}
