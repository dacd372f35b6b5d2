#include "points/ttuihuo.h"

#include "db/numtext.h"
#include "kit/shell.h"

namespace points {

Ttuihuo::Ttuihuo(kit::Shell& shell, db::TDM1& dm, app::TMAIN& main)
    : GoodsScreen(shell, dm, main, LookupScreen::Return,
                  {QStringLiteral("Ttuihuo"), QStringLiteral("退货或换货减积分"), QStringLiteral("本次退/换货商品"), 155,
                   QStringLiteral("本次退货金额\n换货请输入差价"), QStringLiteral("本次减少积分"),
                   QStringLiteral("请将退/换货商品表格填写完整！")}) {
    position = std::pair{150, 0};
    // Enter in the cash field or the date saves the return at once.
    Edit16.onEnter = [this] { BitBtn1.performClick(); };
    DateTimePicker1.onEnter = [this] { BitBtn1.performClick(); };
}

void Ttuihuo::SaveReturn() {
    if (!checkBeforeSave(false)) return;
    if (*db::parseNumber(Edit17.text()) < 0) {
        shell().message(QStringLiteral("积分减少小于或等于零，不能保存！"), QStringLiteral("提示！"), kit::Icon::Error);
        return;
    }
    if (saveGoodsTransaction({ReceiptKind::Return, kReturn, QStringLiteral("退货减积分成功！"), true, false}))
        computeJournalNumber();
}

}  // namespace points
