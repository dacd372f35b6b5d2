#pragma once
// The member maintenance list: a child window over the shared member result
// set with a quick search that narrows the list on each keystroke, and the
// buttons that add, modify, delete, export and import members.

#include "db/dm1.h"
#include "kit/controls.h"
#include "kit/datagrid.h"
#include "kit/form.h"
#include "kit/layout.h"
#include "members/membergrid.h"

namespace members {

// The dialogs the list opens; they live for the whole run.
struct MemberDialogs {
    kit::Form& add;
    kit::Form& modify;
    kit::Form& import;
};

class Txinhuiyuan : public kit::Form {
public:
    Txinhuiyuan(kit::Shell& shell, db::TDM1& dm, MemberDialogs dialogs);

    kit::GroupBox GroupBox1;     // 快速检索
    kit::ComboBox ComboBox1;     // the column searched
    kit::Edit Edit1;             // the text it contains
    kit::GroupBox GroupBox2;     // 操作导航
    kit::Button BitBtn1;         // 新增会员
    kit::Button BitBtn2;         // 修改会员
    kit::Button BitBtn3;         // 删除会员
    kit::Button BitBtn4;         // 导出会员档案到EXCEL
    kit::Button BitBtn5;         // 批量导入会员档案
    kit::Button BitBtn6;         // 退出
    kit::GroupBox GroupBox3;     // 会员列表
    kit::DataGrid DBGridEh1;     // over DM1's ADOQuery5

private:
    void quickSearch();
    void modifySelected();
    void deleteSelected();

    db::TDM1& dm_;
    MemberDialogs dialogs_;
    MemberGrid memberGrid_;
};

}  // namespace members
