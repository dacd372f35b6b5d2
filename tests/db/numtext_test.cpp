#include "db/numtext.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(NumberText, ShortestPlainDecimal)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {12.5, "12.5"},
        {12.50, "12.5"},
        {100.0, "100"},
        {-3.0, "-3"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3.0, "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1234567890123460"},
        {1e20, "100000000000000000000"},
        {1.5e-7, "0.00000015"},
        {-1.25e-5, "-0.0000125"},
        {0.000001, "0.000001"},
        {99.995, "99.995"},
        {19.99 * 3, "59.97"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(db::numberText(c.value), QString::fromLatin1(c.text)) << c.text;
}

TEST(ParseNumber, AcceptsPlainDecimals)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"0", 0},           {"12.5", 12.5},   {"-3", -3},   {"+4", 4},
        {" 7.25 ", 7.25},   {"5.", 5},        {".5", 0.5},  {"007", 7},
        {"-0.001", -0.001}, {"123456789012", 123456789012.0},
    };
    for (const auto& c : cases) {
        const auto v = db::parseNumber(QString::fromLatin1(c.text));
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
    }
}

TEST(ParseNumber, RefusesEverythingElse)
{
    const char* cases[] = {"", " ", ".", "-", "+.", "1.2.3", "12a", "a12", "1e5", "1E5",
                           "0x10", "inf", "nan", "1,5", "1 2", "--1", "+-1", "1-"};
    for (const char* c : cases)
        EXPECT_FALSE(db::parseNumber(QString::fromLatin1(c)).has_value()) << '"' << c << '"';
    // Full-width digits are not decimal text either.
    EXPECT_FALSE(db::parseNumber(QStringLiteral("１２")).has_value());
}

TEST(NumberText, RoundTripsThroughParse)
{
    for (double v : {0.1, 12.5, -7.75, 1e-9, 98765.4321, 1e15}) {
        const auto back = db::parseNumber(db::numberText(v));
        ASSERT_TRUE(back.has_value()) << v;
        EXPECT_DOUBLE_EQ(*back, v);
    }
}

}  // namespace
