#include "members/txianjinbili.h"

#include "app/settings.h"
#include "db/numtext.h"
#include "kit/shell.h"
#include "members/categoryform.h"

namespace members {

Txianjinbili::Txianjinbili(kit::Shell& shell, QString home)
    : kit::Form(shell, QStringLiteral("Txianjinbili"), QStringLiteral("现金兑换比例设置"), Kind::Dialog),
      Edit1(*this, QStringLiteral("Edit1")),
      BitBtn1(*this, QStringLiteral("BitBtn1"), QStringLiteral("保存")),
      BitBtn2(*this, QStringLiteral("BitBtn2"), QStringLiteral("退出")),
      home_(std::move(home)) {
    const kit::Style red{.color = QStringLiteral("red"), .bold = true, .pointSize = 16};
    const kit::Style blue{.color = QStringLiteral("blue"), .bold = true, .pointSize = 16};
    layout()
        .box(kit::Box::Kind::Row)
        .text(QStringLiteral("积分"), red)
        .text(QStringLiteral("1"), blue)
        .text(QStringLiteral("分可以兑换现金"), red)
        .add(Edit1)
        .text(QStringLiteral("元"), red);
    layout().box(kit::Box::Kind::Row).stretch().add(BitBtn1).add(BitBtn2).stretch();
    Edit1.setKeyFilter(kit::KeyFilter::Numeric);

    onShow = [this] {
        Edit1.setText(app::Settings(home_).readText(kCashRatioKey, QStringLiteral("1")));
        Edit1.setFocus();
    };
    BitBtn1.onClick = [this] { save(); };
    BitBtn2.onClick = [this] { close(); };
}

void Txianjinbili::save() {
    const QString caption = QStringLiteral("提示");
    if (Edit1.text().isEmpty()) {
        shell().message(QStringLiteral("兑换现金比例不能为空！"), caption, kit::Icon::Error);
        Edit1.setFocus();
        return;
    }
    // The redemption screen multiplies by this value: only a number is kept.
    if (!db::parseNumber(Edit1.text())) {
        shell().message(notANumberMessage(QStringLiteral("兑换现金比例"), Edit1.text()), caption, kit::Icon::Error);
        Edit1.setFocus();
        Edit1.selectAll();
        return;
    }
    if (!app::Settings(home_).writeText(kCashRatioKey, Edit1.text())) {
        shell().message(QStringLiteral("保存失败！"), caption, kit::Icon::Error);
        return;
    }
    shell().message(QStringLiteral("保存成功！"), caption, kit::Icon::Information);
    modalResult = kit::ModalResult::Ok;
    close();
}

}  // namespace members
