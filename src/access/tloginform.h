#pragma once
// The login dialog: the operator is chosen by number, the password checked,
// and on success the main window is gated by the operator's flags.

#include "app/tmain.h"
#include "db/dm1.h"
#include "kit/controls.h"
#include "kit/form.h"
#include "kit/layout.h"

#include <QStringList>

namespace auth {

class Tloginform : public kit::Form {
public:
    Tloginform(kit::Shell& shell, db::TDM1& dm, app::TMAIN& main);

    kit::GroupBox GroupBox1;
    kit::ComboBox cbusername;
    kit::Edit edtname;
    kit::Edit edtpassword;
    kit::Label Label4;
    kit::Button btnlogin;
    kit::Button btnexit;

    int failedAttempts() const { return failedAttempts_; }

private:
    void loadOperators();
    void showName();
    void comboExit();
    void login();

    db::TDM1& dm_;
    app::TMAIN& main_;
    QStringList passwords_;       // entry i belongs to operator i of the combo box
    int failedAttempts_ = 0;      // over the whole run
};

// Shows the login modally; true when an operator logged in.
bool runLogin(kit::Shell& shell, db::TDM1& dm, app::TMAIN& main);

}  // namespace auth
