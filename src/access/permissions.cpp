#include "access/permissions.h"

namespace auth {

const std::array<PermissionFlag, kFlagCount>& permissionFlags() {
    static const std::array<PermissionFlag, kFlagCount> flags = {{
        {1, "操作人员设置", "系统设置", "操作人员及权限设置"},
        {2, "店铺名称及小票打印设置", "系统设置", "店铺名称及小票打印设置"},
        {3, "数据库备份", "系统设置", "数据备份"},
        {4, "数据库恢复", "系统设置", "数据恢复"},
        {5, "历史数据清除", "系统设置", "历史数据清除"},
        {6, "数据初始化", "系统设置", "数据初始化"},
        {7, "会员卡类别设置", "会员卡管理", "会员卡类别设置"},
        {8, "新增/修改会员卡信息", "会员卡管理", "新增修改会员信息"},
        {9, "会员查询", "会员卡管理", "会员查询"},
        {10, "全部会员信息", "会员卡管理", "全部会员信息"},
        {11, "会员卡口头挂失及取消", "会员卡管理", "会员卡口头挂失及取消"},
        {12, "会员卡正式挂失/换卡", "会员卡管理", "会员卡正式挂失/换卡"},
        {13, "刷卡消费增加积分", "基本业务", "增加积分"},
        {14, "积分兑换", "基本业务", "积分兑换"},
        {15, "退换货减积分", "基本业务", "退/换货减积分"},
        {16, "会员积分增减历史记录", "查询报表", "会员积分增减历史记录"},
        {17, "会员卡口头挂失历史记录", "查询报表", "会员卡口头挂失历史记录"},
        {18, "会员卡正式挂失/换卡历史记录", "查询报表", "会员卡正式挂失/换卡历史记录"},
        {19, "会员生日提醒", "查询报表", "会员生日提醒"},
        {20, "积分手动清零", "系统设置", "积分手动清零"},
        {21, "会员消费记录", "查询报表", "会员消费记录"},
        {22, "会员卡自动升级设置", "会员卡管理", "会员卡类别自动升级/积分规则设置"},
        {23, "礼品入库", "礼品管理", "礼品入库"},
        {24, "礼品库存查询", "礼品管理", "礼品库存查询"},
        {25, "礼品入库历史记录查询", "礼品管理", "礼品入库历史记录"},
        {26, "礼品使用历史记录查询", "礼品管理", "礼品使用历史记录"},
        {27, "礼品库存警戒提醒", "礼品管理", "礼品库存警戒提醒"},
    }};
    return flags;
}

static void setGated(app::TMAIN& main, const PermissionFlag& flag, bool enabled) {
    kit::MenuItem* item = main.menuItem(flag.menu, flag.item);
    if (item) item->setEnabled(enabled);
    for (const auto& button : main.toolbar)
        if (button->item() && button->item() == item) button->setEnabled(enabled);
}

void gateMainWindow(app::TMAIN& main, const Flags& flags) {
    for (const PermissionFlag& flag : permissionFlags()) setGated(main, flag, false);
    for (const PermissionFlag& flag : permissionFlags())
        if (flags[flag.number - 1]) setGated(main, flag, true);
}

}  // namespace auth
