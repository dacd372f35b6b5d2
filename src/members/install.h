#pragma once
// Puts the card categories and the rules into a started program: creates the
// dialogs that live for the whole run, registers the category screen as the
// child window of kind "Tleibie" (opened by 会员卡管理 › 会员卡类别设置) and
// makes 会员卡管理 › 会员卡类别自动升级/积分规则设置 show the rules dialog.

#include "app/startup.h"
#include "members/txianjinbili.h"

namespace members {

void install(app::Program& program);

// The cash ratio dialog that install() made for this program (the redemption
// screen shows it); nullptr before install().
Txianjinbili* cashRatioDialog(const app::Program& program);

}  // namespace members
