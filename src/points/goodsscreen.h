#pragma once
// What the purchase and the return screen share: the card lookup, the goods
// grid, the amount with its points, cash received and change, the date, the
// save and the reset. Each screen gives its texts and its save.

#include "app/tmain.h"
#include "db/dm1.h"
#include "kit/controls.h"
#include "kit/form.h"
#include "kit/layout.h"
#include "kit/stringgrid.h"
#include "points/cardlookup.h"
#include "points/journal.h"
#include "points/receipt.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace points {

class GoodsScreen : public kit::Form {
public:
    struct Texts {
        QString className;
        QString banner;
        QString goodsGroup;
        int goodsColumnWidth;
        QString amountCaption;
        QString pointsCaption;
        QString incompleteGoods;     // a goods line with only a name or only an amount
    };

    GoodsScreen(kit::Shell& shell, db::TDM1& dm, app::TMAIN& main, LookupScreen screen, Texts texts);

    kit::Label Label1;            // banner
    CardLookup lookup;
    kit::GroupBox GroupBoxGoods;
    kit::StringGrid AdvStringGrid1;
    kit::Edit Edit15;             // amount
    kit::Edit Edit16;             // cash received
    kit::Label Label20;           // change figure
    kit::Edit Edit17;             // points
    kit::Edit Edit18;             // balance after the save
    kit::DatePicker DateTimePicker1;
    kit::Button BitBtn1;          // 保存
    kit::Button BitBtn2;          // 退出
    kit::GroupBox GroupBoxHelp;   // 说明
    kit::Label Label30;           // hidden "流水号：" with the journal number

    static constexpr int kGoodsRows = 20;

    const QString& journalNumber() const { return Label30.text(); }
    const QString& goodsSummary() const { return goodsSummary_; }

    // Whether the goods grid is complete; at the first line with only a name
    // or only an amount it says so and moves there. With total, also sums the
    // lines into the amount field and sets the goods summary.
    bool GoodsGridCheck(bool total);

protected:
    // The balance shown at lookup combined with the points (+ or -).
    virtual double balanceAfter(double balance, double points) const = 0;
    // The save button.
    virtual void save() = 0;

    // Steps every save shares before its transaction; false when refused.
    // Leaves the amount and points fields holding numbers.
    bool checkBeforeSave(bool amountFirst);
    // The filled goods lines in row order: goods name and amount text.
    struct GoodsLine {
        QString goods;
        QString amount;
    };
    std::vector<GoodsLine> goodsLines() const;
    // The values every row of the save shares.
    TransactionRow rowFor(const QString& number) const;
    // The save of a purchase or a return after its checks: in one
    // transaction the balance, the journal row and the consumption rows, the
    // success message and the category move (in the order the screen shows
    // them); then the receipt. False when the save failed and was rolled back
    // (the error was shown; the screen keeps what was typed).
    struct SaveKind {
        ReceiptKind receipt;
        QString reason;
        QString doneMessage;
        bool takesPoints;               // a return takes the points back
        bool messageBeforeCategory;
    };
    bool saveGoodsTransaction(const SaveKind& kind);
    void reset();
    void computeJournalNumber();

    db::TDM1& dm_;
    app::TMAIN& main_;
    ReceiptSettings receiptSettings_;

private:
    void show();
    void PointsForAmount();
    void updateChange();
    void unlockEntry();
    void clearEntry();
    // Every filled goods line's amount is a number; else says which is not.
    bool goodsAmountsAreNumbers();

    Texts texts_;
    QString goodsSummary_;
};

}  // namespace points
