// Reading a birth date out of an identity number, and the month-day key.

#include "members/birthday.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace members;

TEST(BirthdayFromIdNumber, TwoDigitYearsFallInTheFiftyYearWindow) {
    const struct Case {
        int twoDigits, currentYear, year;
    } cases[] = {
        {85, 2026, 1985}, {76, 2026, 1976},   // exactly 50 years before still counts
        {75, 2026, 2075}, {26, 2026, 2026}, {0, 2026, 2000}, {99, 2026, 1999},
        {50, 2000, 1950}, {49, 2000, 2049}, {85, 2040, 2085},
    };
    for (const Case& c : cases)
        EXPECT_EQ(windowedYear(c.twoDigits, c.currentYear), c.year) << c.twoDigits << " in " << c.currentYear;
}

TEST(BirthdayFromIdNumber, TakesTheDatePartByLength) {
    const struct Case {
        const char* id;
        std::optional<QString> text;
    } cases[] = {
        {"110105198503151234", "1985-03-15"},
        {"11010519850315123X", "1985-03-15"},
        {"110105850315123", "1985-03-15"},
        {"110105750315123", "2075-03-15"},
        {"11010519850230123X", "1985-02-30"},   // read as it stands; the date check comes later
        {"1101051985031512", std::nullopt},
        {"1101051985031512345", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(birthDateText(QString::fromUtf8(c.id), 2026), c.text) << c.id;
}

TEST(BirthdayFromIdNumber, ReadsOnlyDaysThatExist) {
    EXPECT_EQ(readDate("1984-02-29"), QDate(1984, 2, 29));
    EXPECT_EQ(readDate("2075-03-15"), QDate(2075, 3, 15));
    for (const char* text : {"1985-02-29", "1985-13-01", "1985-00-10", "0000-01-01", "19x5-03-15", "1985-3"}) {
        try {
            readDate(text);
            ADD_FAILURE() << text << " was read as a date";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("“%1”不是有效的日期！").arg(text));
        }
    }
}

TEST(BirthdayFromIdNumber, MonthDayKeyHasNoLeadingZeros) {
    EXPECT_EQ(monthDayKey(QDate(1985, 3, 15)), "3-15");
    EXPECT_EQ(monthDayKey(QDate(1990, 12, 1)), "12-1");
    EXPECT_EQ(monthDayKey(QDate(2001, 1, 9)), "1-9");
}
