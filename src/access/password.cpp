#include "access/password.h"

namespace auth {

static char16_t foldAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c; }

bool loginPasswordMatches(const QString& typed, const QString& stored) {
    if (typed.size() != stored.size()) return false;
    for (qsizetype i = 0; i < typed.size(); ++i)
        if (foldAscii(typed[i].unicode()) != foldAscii(stored[i].unicode())) return false;
    return true;
}

}  // namespace auth
