#pragma once
// The cash ratio dialog: how many yuan one point is worth when points are
// paid out as cash. The value lives in the settings file (现金比例) and is
// reread each time the dialog is shown.

#include "kit/controls.h"
#include "kit/form.h"

#include <QString>

namespace members {

inline const QString kCashRatioKey = QStringLiteral("现金比例");

class Txianjinbili : public kit::Form {
public:
    Txianjinbili(kit::Shell& shell, QString home);

    kit::Edit Edit1;      // the cash value of one point
    kit::Button BitBtn1;  // 保存
    kit::Button BitBtn2;  // 退出

private:
    void save();

    QString home_;
};

}  // namespace members
