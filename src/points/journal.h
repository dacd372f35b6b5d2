#pragma once
// Journal numbers and the rows of a points transaction: the journal row,
// the consumption rows, the gift usage rows and the balance updates. The
// writers run only inside a save (JournalSave) on the data module's scratch
// query.

#include "db/dm1.h"

#include <QDate>
#include <QString>
#include <QTime>

namespace points {

inline const QString kPurchase = QStringLiteral("购物消费");
inline const QString kReturn = QStringLiteral("退货减积分");
inline const QString kRedemption = QStringLiteral("兑换积分");

// The number that follows a stored maximum (read as text): empty or a single
// blank means none; only the first ten characters count; ten digits,
// zero-padded. Throws db::Error when those characters are not a whole
// number, or when the next number would pass 2147483647.
QString journalNumberAfter(const QString& maxText);

// The next journal number from the database.
QString NextJournalNumber(db::TDM1& dm);

// The shortest decimal text of the negated value of a number text
// ("12.50" gives "-12.5"). Throws db::Error when the text is not a number.
QString negatedText(const QString& numberText);
// The negated value, never -0.
inline double negated(double value) { return value == 0 ? 0.0 : -value; }

// What every row of one transaction shares.
struct TransactionRow {
    QString number;           // journal number
    QString card;
    QString memberName;
    QDate date;               // the screen's date picker
    QTime time;               // the clock when the save runs
    QString operatorNumber;   // who is logged in
};

// The journal row of a purchase (points as entered) or a return (points
// negated by the caller).
void writeJournalRow(db::TDM1& dm, const TransactionRow& row, double points, const QString& reason);
// The journal row of a redemption: gift names joined by blanks, cash paid
// out, points already negated.
void writeRedemptionJournalRow(db::TDM1& dm, const TransactionRow& row, const QString& giftNames, double cash,
                               double negatedPoints);
void writeConsumptionRow(db::TDM1& dm, const TransactionRow& row, const QString& goods, double amount,
                         const QString& reason);
// Gift usage rows carry no time.
void writeGiftUsageRow(db::TDM1& dm, const TransactionRow& row, const QString& giftName, const QString& unit,
                       double quantity);
void addToBalance(db::TDM1& dm, const QString& card, double points);
void subtractFromBalance(db::TDM1& dm, const QString& card, double points);

}  // namespace points
