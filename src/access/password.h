#pragma once

#include <QString>

namespace auth {

// The login's comparison: the ASCII letters a-z and A-Z count as equal in
// either case; every other character must be equal; texts of different
// length never match. An empty typed password matches an empty stored one.
bool loginPasswordMatches(const QString& typed, const QString& stored);

}  // namespace auth
