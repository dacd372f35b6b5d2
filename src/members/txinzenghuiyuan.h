#pragma once
// The add member dialog: made once for the run and reset each time it is
// shown. It stays open after a save, keeping the category, sex, address,
// birthday choice and dates for the next member.

#include "members/memberdialog.h"

namespace members {

class Txinzenghuiyuan : public MemberDialog {
public:
    Txinzenghuiyuan(kit::Shell& shell, db::TDM1& dm);

    kit::ComboBox ComboBox3;   // 地址, refilled from the members' addresses on each drop-down
    kit::Edit Edit6;           // 现有积分

private:
    void reset();
    void cardNumberExit();
    void idNumberExit();
    void fillAddresses();
    void save();
    void clearForNextMember();
};

}  // namespace members
