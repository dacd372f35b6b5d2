#pragma once
// How points follow from an amount, and how a card's category follows its
// balance when automatic category change is on.

#include "db/dm1.h"

#include <QString>
#include <optional>

namespace points {

// Rounds half up to two decimals, deciding on the fractional part written
// with at most 15 significant digits, so that a value held just below a half
// (2.675) still rounds up (2.68). Negative values round by their magnitude.
double RoundPointsHalfUp(double x);

// The rounding mode of the rules row: 1 rounds to two decimals, anything
// else drops the fraction.
int pointsMode(db::TDM1& dm);

// The category's ratio (money per point); 0 when the category is unknown.
double categoryRatio(db::TDM1& dm, const QString& category);

// The points for an amount at the category's ratio and the rules' mode, as
// the shortest decimal text; nothing when the ratio is 0.
std::optional<QString> pointsForAmount(db::TDM1& dm, const QString& category, double amount);

// Whether the rules row switches automatic category change on ("是").
bool automaticCategoryChange(db::TDM1& dm);

// After adding points: the card moves to the category with the greatest
// lower bound not above the new balance (nothing when none is reached).
// Throws db::Error when a lower bound is not a number.
void CategoryByLowerBound(db::TDM1& dm, const QString& card, double newBalance);

// After taking points: the card moves to the category with the smallest
// upper bound not below the new balance (nothing when the balance is above
// every upper bound). Throws db::Error when an upper bound is not a number.
void CategoryByUpperBound(db::TDM1& dm, const QString& card, double newBalance);

}  // namespace points
