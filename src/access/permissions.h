#pragma once
// The 27 permission flags: the columns "1" … "27" of 操作员, the tick box
// that edits each one, and the menu item (with its toolbar button) that each
// one enables.

#include "app/tmain.h"

#include <QString>
#include <array>

namespace auth {

struct PermissionFlag {
    int number;         // column "1" … "27"
    QString tickBox;    // caption on the operator screens
    QString menu;       // menu › item it enables
    QString item;
};

inline constexpr int kFlagCount = 27;
using Flags = std::array<bool, kFlagCount>;   // flags[i] is column "i+1"

const std::array<PermissionFlag, kFlagCount>& permissionFlags();

// Disables every gated menu item and toolbar button, then enables those of
// the flags held.
void gateMainWindow(app::TMAIN& main, const Flags& flags);

}  // namespace auth
