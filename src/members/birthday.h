#pragma once
// The birth date that an identity card number carries, and the month-day key
// under which the birthday reminder finds a member.

#include <QDate>
#include <QString>
#include <optional>

namespace members {

// A two-digit year read with a sliding century window of 50 years: the
// earliest year ending in those digits that lies no more than 50 years
// before the current year.
int windowedYear(int twoDigits, int currentYear);

// Year, month and day of an identity number joined by hyphens: characters
// 7-10, 11-12 and 13-14 of an 18-character number, or 7-8 (windowed), 9-10
// and 11-12 of a 15-character one. Nothing for any other length. The text is
// not checked: it may name a day that does not exist.
std::optional<QString> birthDateText(const QString& idNumber, int currentYear);

// Reads "year-month-day" (digits only) as a date. Throws std::runtime_error
// naming the text when there is no such day.
QDate readDate(const QString& text);

// Month and day joined by a hyphen, without leading zeros: 3-15, 12-1.
QString monthDayKey(const QDate& date);

}  // namespace members
