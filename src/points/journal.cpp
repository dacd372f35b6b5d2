#include "points/journal.h"

#include "db/error.h"
#include "db/numtext.h"

#include <limits>

namespace points {

QString journalNumberAfter(const QString& maxText) {
    QString digits = maxText;
    if (digits.isEmpty() || digits == QStringLiteral(" ")) digits = QStringLiteral("0000000000");
    digits = digits.left(10);
    bool ok = false;
    const qlonglong current = digits.toLongLong(&ok);
    if (!ok || digits.trimmed() != digits)
        throw db::Error(QStringLiteral("流水号“%1”不是有效的整数").arg(digits));
    const qlonglong next = current + 1;
    if (next > std::numeric_limits<qint32>::max())
        throw db::Error(QStringLiteral("流水号已达到最大值 2147483647，不能再保存新的记录！"));
    return QStringLiteral("%1").arg(next, 10, 10, QLatin1Char('0'));
}

QString NextJournalNumber(db::TDM1& dm) {
    db::Query& q = dm.ADOall;
    q.openWith(QStringLiteral("select max(编号) as 最大编号 from 流水记录"));
    const QString maxText = q.fieldByName(QStringLiteral("最大编号")).asString();
    q.close();
    return journalNumberAfter(maxText);
}

QString negatedText(const QString& numberText) {
    const auto value = db::parseNumber(numberText);
    if (!value) throw db::Error(QStringLiteral("“%1”不是有效的数值").arg(numberText));
    return db::numberText(-*value);
}

static QString timeText(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); }

void writeJournalRow(db::TDM1& dm, const TransactionRow& row, double points, const QString& reason) {
    dm.ADOall.execWith(QStringLiteral("insert into 流水记录([编号],[会员卡号],[会员姓名],[增减积分],[增减原因],[日期],[时间],[经手人]) "
                                      "values (?,?,?,?,?,?,?,?)"),
                       {row.number, row.card, row.memberName, points, reason, row.date, timeText(row.time),
                        row.operatorNumber});
}

void writeRedemptionJournalRow(db::TDM1& dm, const TransactionRow& row, const QString& giftNames, double cash,
                               double negatedPoints) {
    dm.ADOall.execWith(
        QStringLiteral("insert into 流水记录([编号],[会员卡号],[会员姓名],[兑换礼品],[返现金],[增减积分],[增减原因],[日期],[时间],[经手人]) "
                       "values (?,?,?,?,?,?,?,?,?,?)"),
        {row.number, row.card, row.memberName, giftNames, cash, negatedPoints, kRedemption, row.date,
         timeText(row.time), row.operatorNumber});
}

void writeConsumptionRow(db::TDM1& dm, const TransactionRow& row, const QString& goods, double amount,
                         const QString& reason) {
    dm.ADOall.execWith(QStringLiteral("insert into 消费记录([编号],[会员卡号],[会员姓名],[商品],[消费金额],[增减原因],[日期],[时间],[经手人]) "
                                      "values (?,?,?,?,?,?,?,?,?)"),
                       {row.number, row.card, row.memberName, goods, amount, reason, row.date, timeText(row.time),
                        row.operatorNumber});
}

void writeGiftUsageRow(db::TDM1& dm, const TransactionRow& row, const QString& giftName, const QString& unit,
                       double quantity) {
    dm.ADOall.execWith(QStringLiteral("insert into 礼品使用记录([单据号],[会员卡号],[会员姓名],[礼品名称],[单位],[数量],[日期],[经手人]) "
                                      "values (?,?,?,?,?,?,?,?)"),
                       {row.number, row.card, row.memberName, giftName, unit, quantity, row.date, row.operatorNumber});
}

void addToBalance(db::TDM1& dm, const QString& card, double points) {
    dm.ADOall.execWith(QStringLiteral("update 会员卡信息 set 积分=积分+? where 会员卡号=?"), {points, card});
}

void subtractFromBalance(db::TDM1& dm, const QString& card, double points) {
    dm.ADOall.execWith(QStringLiteral("update 会员卡信息 set 积分=积分-? where 会员卡号=?"), {points, card});
}

}  // namespace points
