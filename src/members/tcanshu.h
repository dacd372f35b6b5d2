#pragma once
// The rules dialog: whether card categories follow the points total, and
// how the points of an amount are rounded. Both live in the one row of
// 自动变卡; the dialog rereads it each time it is shown.

#include "db/dm1.h"
#include "kit/controls.h"
#include "kit/form.h"

namespace members {

class Tcanshu : public kit::Form {
public:
    Tcanshu(kit::Shell& shell, db::TDM1& dm);

    kit::RadioGroup RadioGroup1;   // 卡类别自动改变配置: 0 = '是', 1 = '否'
    kit::RadioGroup RadioGroup2;   // 积分计算规则配置: 0 = 1, 1 = 2
    kit::Button BitBtn1;           // 保存
    kit::Button BitBtn2;           // 退出

private:
    void load();
    void save();

    db::TDM1& dm_;
};

}  // namespace members
