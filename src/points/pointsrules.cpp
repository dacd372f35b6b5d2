#include "points/pointsrules.h"

#include "db/error.h"
#include "db/numtext.h"

#include <cmath>

namespace points {

double RoundPointsHalfUp(double x) {
    if (x < 0) return -RoundPointsHalfUp(-x);
    const double whole = std::trunc(x);
    const QString fraction = db::numberText(x - whole);   // "0.345", or "0"
    const int point = int(fraction.indexOf(QLatin1Char('.')));
    const QString decimals = point < 0 ? QString() : fraction.mid(point + 1);
    auto digit = [&](int i) { return i < decimals.size() ? decimals[i].digitValue() : 0; };
    // Whole cents of the fraction, plus one when the third decimal is 5 or more.
    const int cents = digit(0) * 10 + digit(1) + (digit(2) >= 5 ? 1 : 0);
    return whole + cents / 100.0;
}

int pointsMode(db::TDM1& dm) {
    db::Query& q = dm.ADOall;
    q.openWith(QStringLiteral("select * from 自动变卡 "));
    const int mode = int(q.fieldByName(QStringLiteral("方式")).asFloat());
    q.close();
    return mode;
}

double categoryRatio(db::TDM1& dm, const QString& category) {
    db::Query& q = dm.ADOall;
    q.openWith(QStringLiteral("select 积分比例 from 卡类别 where 卡类别=?"), {category});
    const double ratio = q.fieldByName(QStringLiteral("积分比例")).asFloat();
    q.close();
    return ratio;
}

std::optional<QString> pointsForAmount(db::TDM1& dm, const QString& category, double amount) {
    const int mode = pointsMode(dm);
    const double ratio = categoryRatio(dm, category);
    if (ratio == 0) return std::nullopt;
    // The quotient is taken as it would be shown before it is rounded.
    const double quotient = db::parseNumber(db::numberText(amount / ratio)).value_or(0);
    const double points = mode == 1 ? RoundPointsHalfUp(quotient) : std::trunc(quotient);
    return db::numberText(points);
}

bool automaticCategoryChange(db::TDM1& dm) {
    db::Query& q = dm.ADOall;
    q.openWith(QStringLiteral("select 自动变卡 from 自动变卡"));
    const bool on = q.fieldByName(QStringLiteral("自动变卡")).asString() == QStringLiteral("是");
    q.close();
    return on;
}

namespace {

enum class Bound { Lower, Upper };

void moveCategory(db::TDM1& dm, const QString& card, double newBalance, Bound bound) {
    if (!automaticCategoryChange(dm)) return;
    const QString column = bound == Bound::Lower ? QStringLiteral("自动变卡下限") : QStringLiteral("自动变卡上限");
    db::Query& q = dm.ADOall;
    q.openWith(bound == Bound::Lower ? QStringLiteral("select * from 卡类别 order by 自动变卡下限 asc")
                                     : QStringLiteral("select * from 卡类别 order by 自动变卡上限 desc"));
    // Every category the balance reaches is written in turn, so the last one
    // reached in this order is the card's category at the end.
    for (q.first(); !q.eof(); q.next()) {
        const QString text = q.fieldByName(column).asString();
        const auto value = db::parseNumber(text);
        if (!value)
            throw db::Error(QStringLiteral("卡类别“%1”的%2“%3”不是有效的数字")
                                .arg(q.fieldByName(QStringLiteral("卡类别")).asString(), column, text));
        const bool reached = bound == Bound::Lower ? *value <= newBalance : *value >= newBalance;
        if (reached)
            dm.ADO123.execWith(QStringLiteral("update 会员卡信息 set 卡类别=? where 会员卡号=?"),
                               {q.fieldByName(QStringLiteral("卡类别")).asString(), card});
    }
    q.close();
}

}  // namespace

void CategoryByLowerBound(db::TDM1& dm, const QString& card, double newBalance) {
    moveCategory(dm, card, newBalance, Bound::Lower);
}

void CategoryByUpperBound(db::TDM1& dm, const QString& card, double newBalance) {
    moveCategory(dm, card, newBalance, Bound::Upper);
}

}  // namespace points
