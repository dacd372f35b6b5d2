#pragma once
// Number texts as the program shows and stores them.

#include <QString>
#include <optional>

namespace db {

// Shortest decimal text with at most 15 significant digits, never in exponent
// form: 12.5 (not 12.50), 0.1+0.2 gives "0.3", -0 gives "0", 1e20 gives
// "100000000000000000000".
QString numberText(double value);

// Strict reading of a decimal text: optional sign, digits with at most one
// decimal point, surrounding blanks allowed. "1.2.3", "12a", "", "." and
// exponent or hex forms give nothing.
std::optional<double> parseNumber(const QString& text);

}  // namespace db
