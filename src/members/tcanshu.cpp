#include "members/tcanshu.h"

#include "kit/shell.h"

namespace members {

Tcanshu::Tcanshu(kit::Shell& shell, db::TDM1& dm)
    : kit::Form(shell, QStringLiteral("Tcanshu"), QStringLiteral("卡类别自动升级/积分规则设置"), Kind::Dialog),
      RadioGroup1(*this, QStringLiteral("RadioGroup1"), QStringLiteral("卡类别自动改变配置"),
                  {QStringLiteral("卡类别根据积分自动改变（会员卡自动升级）"),
                   QStringLiteral("卡类别不根据积分自动改变（手动改变卡类别）")}),
      RadioGroup2(*this, QStringLiteral("RadioGroup2"), QStringLiteral("积分计算规则配置"),
                  {QStringLiteral("四舍五入，保留两位小数"), QStringLiteral("舍弃小数，直接取整数")}),
      BitBtn1(*this, QStringLiteral("BitBtn1"), QStringLiteral("保存")),
      BitBtn2(*this, QStringLiteral("BitBtn2"), QStringLiteral("退出")),
      dm_(dm) {
    layout().add(RadioGroup1).add(RadioGroup2);
    layout().box(kit::Box::Kind::Row).stretch().add(BitBtn1).add(BitBtn2).stretch();

    onShow = [this] { load(); };
    BitBtn1.onClick = [this] { save(); };
    BitBtn2.onClick = [this] { close(); };
}

void Tcanshu::load() {
    db::Query& q = dm_.ADOall;
    q.openWith(QStringLiteral("select * from 自动变卡"));
    const bool automatic = q.fieldByName(QStringLiteral("自动变卡")).asString() == QStringLiteral("是");
    const bool roundHalfUp = q.fieldByName(QStringLiteral("方式")).asFloat() == 1;   // any other value is 2
    q.close();
    RadioGroup1.setItemIndex(automatic ? 0 : 1);
    RadioGroup2.setItemIndex(roundHalfUp ? 0 : 1);
}

void Tcanshu::save() {
    const QString automatic = RadioGroup1.itemIndex() == 0 ? QStringLiteral("是") : QStringLiteral("否");
    const int rounding = RadioGroup2.itemIndex() == 0 ? 1 : 2;
    dm_.ADOall.execWith(QStringLiteral("update 自动变卡 set 自动变卡=?,方式=?"), {automatic, rounding});
    shell().message(QStringLiteral("参数修改成功！"), QStringLiteral("提示"), kit::Icon::Information);
}

}  // namespace members
