#include "db/numtext.h"

#include <charconv>
#include <cmath>
#include <string>

namespace db {

QString numberText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");   // also -0

    // Fifteen significant digits, rounded once, in a locale-free form
    // "d.dddddddddddddde±x"; then written out as plain decimal.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);

    const bool negative = sci.front() == '-';
    if (negative)
        sci.erase(0, 1);
    const auto ePos = sci.find('e');
    const int exponent = std::stoi(sci.substr(ePos + 1));
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i)
        if (sci[i] != '.')
            digits += sci[i];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    // The decimal point sits after the first (exponent + 1) digits.
    const int point = exponent + 1;
    std::string out;
    if (negative)
        out += '-';
    if (point <= 0) {
        out += "0.";
        out.append(std::size_t(-point), '0');
        out += digits;
    } else if (std::size_t(point) >= digits.size()) {
        out += digits;
        out.append(std::size_t(point) - digits.size(), '0');
    } else {
        out.append(digits, 0, std::size_t(point));
        out += '.';
        out.append(digits, std::size_t(point));
    }
    return QString::fromLatin1(out);
}

std::optional<double> parseNumber(const QString& text)
{
    const QString t = text.trimmed();
    std::string s;
    s.reserve(std::size_t(t.size()) + 1);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    int digitCount = 0;
    bool seenPoint = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c >= u'0' && c <= u'9') {
            s += char(c);
            ++digitCount;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            s += '.';
        } else {
            return std::nullopt;
        }
    }
    if (digitCount == 0)
        return std::nullopt;
    if (s.front() == '.')
        s.insert(s.begin(), '0');
    if (s.back() == '.')
        s.pop_back();

    double value = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size())
        return std::nullopt;
    return negative ? -value : value;
}

}  // namespace db
