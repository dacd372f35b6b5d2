#include "points/tzengjiajifen.h"

#include "db/numtext.h"
#include "kit/shell.h"

namespace points {

Tzengjiajifen::Tzengjiajifen(kit::Shell& shell, db::TDM1& dm, app::TMAIN& main)
    : GoodsScreen(shell, dm, main, LookupScreen::Purchase,
                  {QStringLiteral("Tzengjiajifen"), QStringLiteral("购物或换货增加积分"), QStringLiteral("本次所购商品"), 160,
                   QStringLiteral("本次消费金额"), QStringLiteral("本次增加积分"),
                   QStringLiteral("请将所购商品表格填写完整！")}) {
    position = std::pair{130, 0};
    Edit16.onEnter = [this] { BitBtn1.setFocus(); };
    DateTimePicker1.onEnter = [this] { BitBtn1.setFocus(); };
}

void Tzengjiajifen::SavePurchase() {
    if (!checkBeforeSave(true)) return;
    if (*db::parseNumber(Edit17.text()) < 0) {
        shell().message(QStringLiteral("积分增加小于零，不能保存！"), QStringLiteral("提示"), kit::Icon::Error);
        return;
    }
    saveGoodsTransaction({ReceiptKind::Purchase, kPurchase, QStringLiteral("增加积分成功！"), false, true});
}

}  // namespace points
