#pragma once
// The card lookup that the purchase, return and redemption screens share:
// the card number field, the member panel with picture and history figures,
// the search by name, ID number or phone with its result box, the check at
// save and the details button. The screens differ only where the table of
// differences says so.

#include "app/tmain.h"
#include "db/dm1.h"
#include "kit/controls.h"
#include "kit/datagrid.h"
#include "kit/form.h"
#include "kit/layout.h"

#include <QString>
#include <functional>

namespace points {

enum class LookupScreen { Purchase, Return, Redemption };

struct LookupDifferences {
    bool lastGoods;                 // "上次消费商品" is filled
    bool formalCheckOnPick;         // picking a search result checks for a replaced card
    bool copyPointsToEntry;         // the balance also goes into the screen's points field
    QString notFoundCaption;        // caption of "此卡号不存在！" at lookup and pick
    QString formalLossQuestion;     // asked for a replaced card typed in the card number field

    static LookupDifferences of(LookupScreen screen);
};

class CardLookup {
public:
    CardLookup(kit::Form& form, db::TDM1& dm, app::TMAIN& main, LookupScreen screen);

    // --- controls, placed by the screen -------------------------------------------
    kit::Edit cardNumber;        // "刷卡或输入卡号后回车"
    kit::Edit category;          // 卡类别
    kit::Edit memberName;        // search field
    kit::Edit sex;
    kit::Edit idNumber;          // search field
    kit::Edit birthday;
    kit::Edit address;
    kit::Edit phone;             // search field
    kit::Edit mobile;            // search field
    kit::Edit balance;           // 现有积分
    kit::Edit issueDate;         // 起用日期
    kit::GroupBox pictureGroup;  // "照片"
    kit::PictureBox picture;
    kit::Edit purchaseCount;     // 历史消费次数
    kit::Edit totalPoints;       // 历史总积分
    kit::Edit lastGoods;         // 上次消费商品 (purchase screen)
    kit::Button searchNameButton;
    kit::Button searchIdButton;
    kit::Button searchPhoneButton;
    kit::Button searchMobileButton;
    kit::Button detailsButton;   // "详细记录"
    kit::GroupBox searchBox;     // the search result box, hidden until a search
    kit::DataGrid searchGrid;
    kit::Button hideButton;      // "隐藏"

    // Adds the card number line and the member panel fields to a box.
    void placeCardNumber(kit::Box& box);
    void placeMemberPanel(kit::Box& fields);
    void placeSearchBox(kit::Box& box);

    // --- what the host screen does -----------------------------------------------
    std::function<void()> clearEntry;            // clear its amount/points/after fields
    std::function<void()> unlockEntry;           // a card was found: unlock entry
    std::function<void(const QString&)> copyPoints;   // the balance into its points field

    // --- behaviour ----------------------------------------------------------------
    void lookup();                               // Enter in the card number field
    void search(const QString& column, const kit::Edit& field);
    void pick();                                 // double click or Enter in the result grid
    bool checkAtSave();                          // the first step of every save
    void openDetails();                          // "详细记录"
    void enableDetailsByFlag();                  // when the screen is shown
    void clearPanel(const kit::Edit* keep = nullptr);

    const QString& rememberedCard() const { return remembered_; }
    // Each save remembers the card it saved for (the details button shows it).
    void rememberCard(const QString& card) { remembered_ = card; }
    const LookupDifferences& differences() const { return diff_; }

private:
    bool refuseReplacedCard(const QString& card, const QString& question);
    bool refuseVerballyLost();
    void fillFromCurrentRow(const QString& card);
    void openVerbalLossHistory(const QString& card);

    kit::Form& form_;
    db::TDM1& dm_;
    app::TMAIN& main_;
    LookupDifferences diff_;
    QString remembered_;
};

}  // namespace points
