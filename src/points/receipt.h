#pragma once
// Receipts of the three transactions: the settings they are printed with,
// the document built from the committed rows of one save, and printing.

#include "db/dm1.h"
#include "kit/report.h"
#include "kit/shell.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace points {

// The settings file keys of the receipt and of the settings dialog.
inline const QString kShopNameKey = QStringLiteral("店铺名称");
inline const QString kSloganKey = QStringLiteral("广告语");
inline const QString kBackgroundKey = QStringLiteral("背景");
inline const QString kTailKey = QStringLiteral("小票尾");
inline const QString kCopiesKey = QStringLiteral("份数");
inline const QString kPrintKey = QStringLiteral("打印小票");
inline const QString kWidthKey = QStringLiteral("宽度");
inline const QString kPreviewKey = QStringLiteral("预览");

// The four paper widths as the settings file names them.
inline const QStringList kReceiptWidths = {QStringLiteral("58"), QStringLiteral("76"), QStringLiteral("120"),
                                           QStringLiteral("241")};

enum class ReceiptKind { Purchase, Return, Redemption };

// The receipt settings, read afresh by every save.
struct ReceiptSettings {
    QString width = QStringLiteral("58");      // 宽度: "58", "76", "120" or "241"
    QString shopName;                          // 店铺名称
    QString copies = QStringLiteral("1");      // 份数, as stored
    QString tail;                              // 小票尾
    bool print = false;                        // 打印小票
    QString preview = QStringLiteral("是");    // 预览: "否" prints directly

    static ReceiptSettings read(const QString& home);
};

// The receipt of the save with this journal number, for the card, built at
// the given moment; nothing for a width other than the four known ones.
std::optional<kit::ReportDocument> buildReceipt(db::TDM1& dm, ReceiptKind kind, const QString& number,
                                                const QString& card, const ReceiptSettings& settings,
                                                const QDateTime& now);

// The test receipt of the settings dialog for a width ("58", "76", "120" or
// "241"), headed by the shop name as typed; nothing for another width.
std::optional<kit::ReportDocument> buildTestReceipt(const QString& width, const QString& shopName);

// The number of copies that a 份数 text asks for: a whole number, blanks
// around it allowed; nothing when the text is not a whole number.
std::optional<int> receiptCopies(const QString& copies);

// Prints the receipt of a committed save as the settings say: nothing when
// printing is off or the width is unknown; 份数 copies, each previewed first
// unless 预览 is "否". A 份数 that is not a whole number, or a printer that
// cannot print, is reported with a clear message; the saved data stay.
void PrintReceipt(kit::Shell& shell, db::TDM1& dm, ReceiptKind kind, const QString& number, const QString& card,
                  const ReceiptSettings& settings);

}  // namespace points
