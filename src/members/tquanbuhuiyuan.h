#pragma once
// The member overview: a child window that lists the members of the shared
// member result set by card issue date, points range and category, and
// exports what it lists.

#include "db/dm1.h"
#include "kit/controls.h"
#include "kit/datagrid.h"
#include "kit/form.h"
#include "kit/layout.h"
#include "members/membergrid.h"

namespace members {

class Tquanbuhuiyuan : public kit::Form {
public:
    Tquanbuhuiyuan(kit::Shell& shell, db::TDM1& dm);

    kit::GroupBox GroupBox1;              // 起用日期
    kit::DatePicker DateTimePicker1;      // 日期从
    kit::DatePicker DateTimePicker2;      // 到
    kit::CheckBox CheckBox1;              // 显示全部起用日期
    kit::GroupBox GroupBox2;              // 其他条件
    kit::Edit Edit1;                      // points from
    kit::Edit Edit2;                      // points to
    kit::CheckBox CheckBox2;              // 显示全部积分
    kit::ComboBox ComboBox1;              // 卡类别
    kit::CheckBox CheckBox3;              // 显示全部卡类别
    kit::Button BitBtn1;                  // 开始查询
    kit::Button BitBtn2;                  // EXCEL
    kit::Button BitBtn3;                  // 退出
    kit::GroupBox GroupBox3;              // 会员列表
    kit::DataGrid DBGridEh1;              // over DM1's ADOQuery5

private:
    void reset();
    void runQuery();

    db::TDM1& dm_;
    MemberGrid memberGrid_;
};

}  // namespace members
