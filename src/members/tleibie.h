#pragma once
// The category screen: a child window with the add form on the left and the
// list of categories on the right. It adds a category, hands the selected
// one to the modify dialog and deletes it after asking.

#include "kit/datagrid.h"
#include "members/categoryform.h"
#include "members/tkaleibiexiugai.h"

namespace members {

class Tleibie : public CategoryForm {
public:
    Tleibie(kit::Shell& shell, db::TDM1& dm, Tkaleibiexiugai& modifyDialog);

    kit::Button BitBtn3;         // 修改卡类别
    kit::Button BitBtn4;         // 删除卡类别
    kit::GroupBox GroupBox3;     // 卡类别列表
    kit::DataGrid DBGridEh1;     // over DM1's ADOQuery4

private:
    void resetFields();
    void reloadList();
    bool nameExists(const QString& name);
    void refuseExistingName();
    void nameExit();
    void save();
    void modifySelected();
    void deleteSelected();

    Tkaleibiexiugai& modifyDialog_;
};

}  // namespace members
