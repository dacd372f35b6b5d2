#pragma once
// The receipt settings dialog: the shop name, the main window's scrolling
// caption and background picture, and how receipts are printed (paper
// width, tail text, preview, copies, on or off), all kept in the settings
// file. Made for one use from the main window's menu and destroyed after.

#include "app/tmain.h"
#include "kit/controls.h"
#include "kit/form.h"
#include "kit/layout.h"

#include <QString>

namespace points {

class Tdayinshezhi : public kit::Form {
public:
    Tdayinshezhi(kit::Shell& shell, QString home, app::TMAIN& main);

    kit::Edit Edit1;               // 店铺名称
    kit::Edit Memo1;               // 滚动字幕 (广告语), up to 250 characters
    kit::Edit Edit2;               // 背景图片
    kit::Button Button1;           // "..." chooses the background picture
    kit::RadioGroup RadioGroup1;   // paper width: 58, 76, 120, 241 mm
    kit::Edit Memo2;               // 小票尾, up to 250 characters
    kit::RadioGroup RadioGroup2;   // 0 = 预览后打印, 1 = 不预览直接打印
    kit::Edit Edit3;               // copies (份数)
    kit::CheckBox CheckBox1;       // 打印小票
    kit::Button BitBtn1;           // 保存
    kit::Button BitBtn2;           // 小票打印测试
    kit::Button BitBtn3;           // 退出
    kit::GroupBox GroupBox1;       // 说明
    kit::Edit Memo3;               // the help text, read-only

    static constexpr int kMaxTextLength = 250;

private:
    void load();
    void save();
    void chooseBackground();
    void testPrint();
    void refuse(const QString& text, kit::Edit& field);

    QString home_;
    app::TMAIN& main_;
};

}  // namespace points
