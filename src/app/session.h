#pragma once
// Who is logged in, for the whole run.

#include <QString>

namespace app {

struct CurrentLogin {
    QString operatorNumber;   // written into every 经手人 column
    QString typedPassword;    // exactly as typed at login; only the screen lock reads it
};

}  // namespace app
