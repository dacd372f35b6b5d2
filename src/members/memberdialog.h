#pragma once
// What the add and modify member dialogs share: the member's fields, the
// birthday choice with its picker, the picture chosen with "...", the checks
// against the card categories and the replaced cards, and the refresh of the
// member lists after a save.

#include "db/dm1.h"
#include "kit/controls.h"
#include "kit/form.h"
#include "kit/layout.h"

#include <QString>

namespace members {

inline const QString kSystemCaption = QStringLiteral("系统提示");
inline const QString kReplacedCard = QStringLiteral("此卡已经挂失，不能使用!");
inline const QString kSharedIdNumber = QStringLiteral(
    "该身份证号码已经存在，继续用此身份证号码请点“确定”！否则请点“取消”后重新输入身份证号码！");

class MemberDialog : public kit::Form {
public:
    kit::GroupBox GroupBox1;            // the member's details
    kit::Edit Edit1;                    // 会员卡号
    kit::ComboBox ComboBox1;            // 卡类别
    kit::Edit Edit2;                    // 会员姓名
    kit::ComboBox ComboBox2;            // 会员性别
    kit::Edit Edit3;                    // 身份证号
    kit::Edit Edit4;                    // 固定电话
    kit::Edit Edit5;                    // 手机号码
    kit::DatePicker DateTimePicker1;    // 起用日期
    kit::GroupBox GroupBox2;            // 会员生日管理
    kit::RadioGroup RadioGroup1;        // 不管理生日 / 公历生日 / 农历生日
    kit::DatePicker DateTimePicker2;    // 会员生日
    kit::GroupBox GroupBox3;            // 照片
    kit::Edit Edit7;                    // 照片存放位置
    kit::Button Button1;                // "..."
    kit::PictureBox Image1;
    kit::Button BitBtn1;                // 保存
    kit::Button BitBtn2;                // 退出

    enum Birthday { NoBirthday = 0, SolarBirthday = 1, LunarBirthday = 2 };
    // "无", "公历" or "农历" by the choice; empty while nothing is chosen.
    QString birthdayType() const;

protected:
    MemberDialog(kit::Shell& shell, db::TDM1& dm, const QString& className, const QString& caption);

    // Places the controls, with the dialog's own address control and, for a
    // new member, the opening points field.
    void layOut(kit::Control& address, kit::Edit* points);
    // Where the focus goes when "不管理生日" is chosen.
    void setAfterNoBirthday(kit::Control& c) { afterNoBirthday_ = &c; }

    // The category list from 卡类别 in table order, and the two sexes.
    void fillCategories();
    void fillSexes();
    // Hides the picture box and shows the picture of the path when it loads.
    void showPicture(const QString& path);

    // The card number stands as 旧卡号 of a formal loss report.
    bool isReplacedCard(const QString& card);
    bool categoryExists(const QString& name);
    // Whether a statement finds a row; its parameters are bound.
    bool found(const QString& sql, const db::Params& params);

    // A refusal: the message, then the field is cleared (when asked) and focused.
    void refuse(const QString& text, const QString& caption, kit::Icon icon, kit::Control& focus,
                bool clear = false);
    // The plain message of a database error during a save.
    void showSaveError(const QString& text);

    // Runs the member lists' current statement again.
    void refreshMemberList();

    db::TDM1& dm_;

private:
    void choosePicture();
    void birthdayChosen();

    kit::Control* afterNoBirthday_ = nullptr;
};

}  // namespace members
