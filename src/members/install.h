#pragma once
// Puts the card categories, the rules and the members into a started program:
// creates the dialogs that live for the whole run (category modify, rules,
// cash ratio, add member, modify member, member import), registers the child
// windows of kind "Tleibie" (会员卡管理 › 会员卡类别设置), "Txinhuiyuan"
// (会员卡管理 › 新增修改会员信息 and the toolbar's 会员管理) and "Tquanbuhuiyuan"
// (会员卡管理 › 全部会员信息), and makes 会员卡管理 › 会员卡类别自动升级/积分规则设置
// show the rules dialog.

#include "app/startup.h"
#include "members/txianjinbili.h"

namespace members {

void install(app::Program& program);

// The cash ratio dialog that install() made for this program (the redemption
// screen shows it); nullptr before install().
Txianjinbili* cashRatioDialog(const app::Program& program);

}  // namespace members
