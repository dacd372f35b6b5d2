#pragma once
// The modify member dialog: made once for the run and filled, each time it is
// shown, from the current row of the shared member result set. The card
// number read then keeps identifying the row until the save; the identity
// number read then is never questioned when it stays as it was.

#include "members/memberdialog.h"

namespace members {

class Txiugaihuiyuan : public MemberDialog {
public:
    Txiugaihuiyuan(kit::Shell& shell, db::TDM1& dm);

    kit::Edit Edit6;   // 地址

    const QString& oldCardNumber() const { return oldCard_; }
    const QString& oldIdNumber() const { return oldIdNumber_; }

private:
    void fillFromCurrentMember();
    bool cardNumberTaken(const QString& card);
    void cardNumberExit();
    void save();

    QString oldCard_;
    QString oldIdNumber_;
};

}  // namespace members
