#include "app/tmain.h"

#include "app/placeholder.h"
#include "app/querywindow.h"
#include "app/tguanyu.h"

#include <QDate>
#include <QDir>

namespace app {

QString spacedTitle() {
    QStringList letters;
    for (QChar ch : kit::kProductTitle) letters << QString(ch);
    return letters.join(QLatin1Char(' '));
}

TMAIN::TMAIN(kit::Shell& shell, db::TDM1& dm, QString home)
    : kit::Form(shell, QStringLiteral("TMAIN"), kit::kProductTitle + kVersionText, Kind::Frame),
      Image1(*this, QStringLiteral("Image1")),
      Label1(*this, QStringLiteral("Label1")),
      Label2(*this, QStringLiteral("Label2"), spacedTitle()),
      operatorPane(*this, QStringLiteral("RzStatusPane1")),
      sloganPane(*this, QStringLiteral("RzMarqueeStatus1")),
      dm_(dm),
      home_(std::move(home)) {
    Image1.setVisible(false);
    buildMenus();
    buildToolbar();
    wireActions();
    onShow = [this] { startTimers(); };
}

void TMAIN::setShopName(const QString& name) {
    shopName = name;
    setCaption(name + kit::kProductTitle + kVersionText);
    Label1.setText(name);
}

void TMAIN::setSlogan(const QString& text) {
    slogan = text;
    sloganPane.setText(text);
}

void TMAIN::setBackground(const QString& path) {
    backgroundPath = path;
    Image1.setVisible(false);
    Image1.load(path);   // stays hidden when the picture does not load
}

void TMAIN::buildMenus() {
    const std::vector<std::pair<QString, QStringList>> menus = {
        {QStringLiteral("系统设置"),
         {"操作人员及权限设置", "修改操作人员密码", "店铺名称及小票打印设置", "数据备份", "数据恢复", "积分手动清零",
          "历史数据清除", "数据初始化", "退出系统"}},
        {QStringLiteral("会员卡管理"),
         {"会员卡类别自动升级/积分规则设置", "会员卡类别设置", "新增修改会员信息", "会员查询", "全部会员信息",
          "会员卡口头挂失及取消", "会员卡正式挂失/换卡"}},
        {QStringLiteral("基本业务"), {"增加积分", "退/换货减积分", "积分兑换"}},
        {QStringLiteral("查询报表"),
         {"会员积分增减历史记录", "会员消费记录", "会员卡口头挂失历史记录", "会员卡正式挂失/换卡历史记录",
          "会员生日提醒"}},
        {QStringLiteral("礼品管理"),
         {"礼品入库", "礼品库存查询", "礼品入库历史记录", "礼品使用历史记录", "礼品库存警戒提醒"}},
        {QStringLiteral("系统帮助"), {"帮助", "关于"}},
    };
    for (const auto& [menu, items] : menus) {
        kit::MenuItem& m = menuBar.add(menu);
        for (const QString& item : items) m.add(item);
    }
}

void TMAIN::buildToolbar() {
    struct Entry {
        const char* caption;
        const char* menu;
        const char* item;
        bool gapAfter;
    };
    const Entry entries[] = {
        {"刷卡消费/增加积分", "基本业务", "增加积分", true},
        {"退/换货减积分", "基本业务", "退/换货减积分", true},
        {"积分兑换", "基本业务", "积分兑换", true},
        {"会员管理", "会员卡管理", "新增修改会员信息", true},
        {"会员查询", "会员卡管理", "会员查询", true},
        {"口头挂失及取消", "会员卡管理", "会员卡口头挂失及取消", false},
        {"正式挂失/换卡", "会员卡管理", "会员卡正式挂失/换卡", false},
        {"生日提醒", "查询报表", "会员生日提醒", true},
        {"系统帮助", "系统帮助", "帮助", true},
        {"暂时离开", nullptr, nullptr, true},
        {"退出", nullptr, nullptr, false},
    };
    for (const Entry& e : entries) {
        kit::MenuItem* item = e.menu ? menuItem(QString::fromUtf8(e.menu), QString::fromUtf8(e.item)) : nullptr;
        toolbar.push_back(std::make_unique<kit::ToolButton>(QString::fromUtf8(e.caption), item, e.gapAfter));
    }
}

void TMAIN::wireActions() {
    // Screens that open as child windows: menu item, caption, kind.
    const std::tuple<const char*, const char*, const char*> childItems[] = {
        {"操作人员及权限设置", "操作人员设置", "Tcaozuorenyuan"},
        {"修改操作人员密码", "修改操作人员密码", "Txiugaimima"},
        {"历史数据清除", "数据整理", "Tzhengli"},
        {"会员卡类别设置", "会员卡类别设置", "Tleibie"},
        {"新增修改会员信息", "新增/修改会员信息", "Txinhuiyuan"},
        {"会员查询", "会员查询", "Tjifenchaxun"},
        {"全部会员信息", "全部会员信息", "Tquanbuhuiyuan"},
        {"会员卡口头挂失及取消", "会员卡口头挂失及取消", "Tkoutou"},
        {"会员卡正式挂失/换卡", "会员卡正式挂失/换卡", "Tguashi"},
        {"增加积分", "购物或换货增加积分", "Tzengjiajifen"},
        {"退/换货减积分", "退换货减积分", "Ttuihuo"},
        {"积分兑换", "积分兑换", "Tduihuan"},
        {"会员积分增减历史记录", "会员积分增减历史记录", "Txiangxijilu"},
        {"会员消费记录", "查询会员消费记录", "Txiaofeijilu"},
        {"会员卡口头挂失历史记录", "会员卡口头挂失历史记录", "Tkoutoujilu"},
        {"会员卡正式挂失/换卡历史记录", "会员卡正式挂失/换卡历史记录", "Tguashilishi"},
        {"会员生日提醒", "会员生日提醒", "Tshengri"},
        {"礼品库存警戒提醒", "礼品库存警戒提醒", "Tkucuntixing"},
    };
    // Until their screens exist, every other item opens a placeholder dialog.
    for (const auto& menu : menuBar.items()) {
        for (const auto& item : menu->items()) {
            kit::MenuItem* it = item.get();
            it->onClick = [this, it] {
                Placeholder dialog(shell(), it->caption(), Kind::Dialog);
                shell().showModal(dialog);
            };
        }
    }
    for (const auto& [item, caption, kind] : childItems) {
        const QString windowCaption = QString::fromUtf8(caption);
        const QString windowKind = QString::fromUtf8(kind);
        for (const auto& menu : menuBar.items())
            if (kit::MenuItem* it = menu->find(QString::fromUtf8(item)))
                it->onClick = [this, windowKind, windowCaption] { openWindow(windowKind, windowCaption); };
    }
    // The history lists show their shared query plainly until their screens exist.
    const std::pair<const char*, db::Query*> lists[] = {
        {"Txiangxijilu", &dm_.ADOQuery8}, {"Tguashilishi", &dm_.ADOQuery9}, {"Tkoutoujilu", &dm_.ADOQuery10}};
    for (const auto& [kind, query] : lists) {
        db::Query* q = query;
        registerWindow(QString::fromUtf8(kind),
                       [this, q](const QString& caption) { return std::make_unique<QueryWindow>(shell(), caption, *q); });
    }
    menuItem(QStringLiteral("系统设置"), QStringLiteral("数据备份"))->onClick = [this] {
        if (manualBackup.proposedName().isEmpty()) manualBackup = ManualBackup(defaultBackupName);
        manualBackup.run(shell(), dm_.ADOConnection1);
    };
    menuItem(QStringLiteral("系统设置"), QStringLiteral("退出系统"))->onClick = [this] { requestClose(); };
    menuItem(QStringLiteral("系统帮助"), QStringLiteral("帮助"))->onClick = [this] { openHelp(); };
    menuItem(QStringLiteral("系统帮助"), QStringLiteral("关于"))->onClick = [this] {
        Tguanyu about(shell(), home_);
        shell().showModal(about);
    };
    toolButton(QStringLiteral("暂时离开"))->action = [this] {
        Placeholder dialog(shell(), QStringLiteral("暂时离开"), Kind::Dialog);
        shell().showModal(dialog);
    };
    toolButton(QStringLiteral("退出"))->action = [this] { requestClose(); };
}

void TMAIN::registerWindow(const QString& kind, WindowFactory factory) { windowKinds_[kind] = std::move(factory); }

kit::Form& TMAIN::openWindow(const QString& kind, const QString& caption) {
    return shell().openChildWindow(caption, [&]() -> std::unique_ptr<kit::Form> {
        auto it = windowKinds_.find(kind);
        if (it != windowKinds_.end()) return it->second(caption);
        return std::make_unique<Placeholder>(shell(), caption, Kind::Child);
    });
}

void TMAIN::startTimers() {
    // Each reminder acts through its menu item, so it opens nothing for an
    // operator without the item's permission.
    shell().singleShot(100, [this] {
        if (birthdayReminderAtStart) menuItem(QStringLiteral("查询报表"), QStringLiteral("会员生日提醒"))->click();
    });
    shell().singleShot(1000, [this] {
        if (lowStockAlertAtStart) menuItem(QStringLiteral("礼品管理"), QStringLiteral("礼品库存警戒提醒"))->click();
    });
}

bool TMAIN::requestClose() {
    if (shell().message(QStringLiteral("确实要退出本系统吗？"), QStringLiteral("系统提示"), kit::Icon::Question,
                        kit::Buttons::OkCancel) != kit::Answer::Ok)
        return false;
    close();   // the window goes; what follows happens on the way out
    if (!automaticBackup(dm_.ADOConnection1, home_, QDate::currentDate())) {
        shell().message(QStringLiteral("备份数据失败，请重试！"), QStringLiteral("错误"), kit::Icon::Error);
    } else if (shell().message(
                   QStringLiteral("退出系统前软件已经自动进行数据备份！，备份文件名称为当前日期，备份文件存放地址为软件安装目录下的“backup”文件夹下。您还需要再次手动备份，以便保留备份文件副本吗？点击“确定”再次进行备份，点击“取消”不再次备份！"),
                   QStringLiteral("提示"), kit::Icon::Question, kit::Buttons::OkCancel) == kit::Answer::Ok) {
        menuItem(QStringLiteral("系统设置"), QStringLiteral("数据备份"))->click();
    }
    shell().quit();
    return true;
}

void TMAIN::openHelp() { shell().openWithDesktop(QDir(home_).filePath(QStringLiteral("help.html"))); }

kit::MenuItem* TMAIN::menuItem(const QString& menu, const QString& item) const {
    kit::MenuItem* m = menuBar.find(menu);
    return m ? m->find(item) : nullptr;
}

kit::ToolButton* TMAIN::toolButton(const QString& caption) const {
    for (const auto& b : toolbar)
        if (b->caption() == caption) return b.get();
    return nullptr;
}

TMAIN::Placement TMAIN::banner1At(int w, int h) { return {(w - kBannerWidth) / 2, (h - 4 * kBanner1Height) / 2}; }

TMAIN::Placement TMAIN::banner2At(int w, int h) { return {(w - kBannerWidth) / 2, (h - kBanner2Height) / 2}; }

}  // namespace app
