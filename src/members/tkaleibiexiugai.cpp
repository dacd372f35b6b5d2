#include "members/tkaleibiexiugai.h"

#include "db/error.h"
#include "db/numtext.h"
#include "kit/shell.h"

namespace members {

Tkaleibiexiugai::Tkaleibiexiugai(kit::Shell& shell, db::TDM1& dm)
    : CategoryForm(shell, dm, QStringLiteral("Tkaleibiexiugai"), QStringLiteral("卡类别修改"), Kind::Dialog) {
    layout().add(GroupBox1);
    layout().box(kit::Box::Kind::Row).stretch().add(BitBtn1).add(BitBtn2).stretch();
    Edit1.setReadOnly(true);

    onShow = [this] {
        readBoundsSwitch();
        Edit2.setFocus();
    };
    BitBtn1.onClick = [this] { save(); };
    BitBtn2.onClick = [this] { close(); };
}

void Tkaleibiexiugai::save() {
    if (Edit1.text().isEmpty()) {
        refuse(QStringLiteral("卡类别名称不能为空！"), Edit1);
        return;
    }
    // Stored bounds are numbers; a missing one reads as 0.
    const OldBounds old{db::parseNumber(oldLower).value_or(0), db::parseNumber(oldUpper).value_or(0)};
    const std::optional<CategoryValues> v = checkNumbers(old);
    if (!v) return;

    try {
        db::Transaction tx(dm_.ADOConnection1);
        dm_.ADOall.execWith(QStringLiteral("update 卡类别 set 自动变卡上限=?,积分比例=?,允许兑换礼品=?,允许返现金=?,"
                                           "自动变卡下限=? where 卡类别=?"),
                            {v->upper, v->ratio, v->gifts, v->cash, v->lower, v->name});
        tx.commit();
    } catch (const db::Error& e) {
        shell().message(e.message(), kit::kProductTitle, kit::Icon::None);
        return;
    }
    shell().message(QStringLiteral("修改卡类别成功！"), kNoticeCaption, kit::Icon::Information);
    dm_.ADOQuery4.openWith(QStringLiteral("select * from 卡类别"));
    modalResult = kit::ModalResult::Ok;
    close();
}

}  // namespace members
