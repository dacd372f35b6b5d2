#pragma once
// What the category screen and the category modify dialog share: the group
// "卡类别详细信息" with its fields, the bounds group that follows the automatic
// category change switch, the Enter order and the checks of a category's
// numbers (ratio, bounds order, no overlapping points ranges).

#include "db/dm1.h"
#include "kit/controls.h"
#include "kit/form.h"
#include "kit/layout.h"

#include <QString>
#include <optional>

namespace members {

inline const QString kNoticeCaption = QStringLiteral("提示");

// The checked values of a category, ready to be stored.
struct CategoryValues {
    QString name;
    double ratio = 1;
    bool gifts = true;
    bool cash = true;
    double lower = 0;
    double upper = 0;
};

class CategoryForm : public kit::Form {
public:
    kit::GroupBox GroupBox1;   // 卡类别详细信息
    kit::Edit Edit1;           // name
    kit::Edit Edit2;           // points ratio
    kit::CheckBox CheckBox1;   // 允许兑换礼品
    kit::CheckBox CheckBox2;   // 允许返现金
    kit::GroupBox GroupBox2;   // 积分上下限设置
    kit::Edit Edit3;           // lower bound
    kit::Edit Edit4;           // upper bound
    kit::Button BitBtn1;       // 保存
    kit::Button BitBtn2;       // 退出

    // Whether the bounds group is enabled (the automatic change is on).
    bool boundsEnabled() const { return GroupBox2.enabled(); }

protected:
    CategoryForm(kit::Shell& shell, db::TDM1& dm, const QString& className, const QString& caption, Kind kind);

    // Enables the bounds group only when 自动变卡 is '是'.
    void readBoundsSwitch();

    // A refusal: the message (caption "提示", error icon), then the focus.
    void refuse(const QString& text, kit::Control& focus);

    // The checks that follow the name: an empty ratio becomes "1", empty
    // bounds "0"; the ratio must be a number above 0, the bounds numbers;
    // with the bounds group enabled the lower bound must lie below the upper
    // one and the range, ends included, must not meet another category's
    // range. A category whose bounds equal one of the excluded old bounds
    // (the category being modified, by its stored bounds) is left out of the
    // range test. Shows the refusal and returns nothing when a check fails.
    struct OldBounds {
        double lower;
        double upper;
    };
    std::optional<CategoryValues> checkNumbers(const std::optional<OldBounds>& exclude);

    db::TDM1& dm_;

private:
    std::optional<double> readNumber(kit::Edit& field, const QString& what);
    bool rangeMeetsAnother(double lower, double upper, const std::optional<OldBounds>& exclude);
};

// The refusal of a text that is not a number, naming the field and the value.
QString notANumberMessage(const QString& what, const QString& text);

}  // namespace members
