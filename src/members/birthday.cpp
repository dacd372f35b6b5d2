#include "members/birthday.h"

#include <QStringList>
#include <stdexcept>

namespace members {

namespace {

bool allDigits(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar ch : text)
        if (ch < u'0' || ch > u'9') return false;
    return true;
}

}  // namespace

int windowedYear(int twoDigits, int currentYear) {
    const int base = currentYear - 50;
    int year = base / 100 * 100 + twoDigits;
    if (year < base) year += 100;
    return year;
}

std::optional<QString> birthDateText(const QString& idNumber, int currentYear) {
    QString year, month, day;
    if (idNumber.size() == 18) {
        year = idNumber.mid(6, 4);
        month = idNumber.mid(10, 2);
        day = idNumber.mid(12, 2);
    } else if (idNumber.size() == 15) {
        year = idNumber.mid(6, 2);
        if (allDigits(year)) year = QString::number(windowedYear(year.toInt(), currentYear));
        month = idNumber.mid(8, 2);
        day = idNumber.mid(10, 2);
    } else {
        return std::nullopt;
    }
    return QStringList{year, month, day}.join(QLatin1Char('-'));
}

QDate readDate(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('-'));
    QDate date;
    if (parts.size() == 3 && allDigits(parts[0]) && allDigits(parts[1]) && allDigits(parts[2]) &&
        parts[0].size() <= 4 && parts[1].size() <= 2 && parts[2].size() <= 2)
        date = QDate(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
    if (!date.isValid() || date.year() < 1)
        throw std::runtime_error(QStringLiteral("“%1”不是有效的日期！").arg(text).toStdString());
    return date;
}

QString monthDayKey(const QDate& date) { return QStringLiteral("%1-%2").arg(date.month()).arg(date.day()); }

}  // namespace members
