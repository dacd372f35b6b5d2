#pragma once
// A screen that a later version of the program provides: it says so and
// closes. Menu items keep their real captions and window behaviour meanwhile.

#include "kit/controls.h"
#include "kit/form.h"

namespace app {

class Placeholder : public kit::Form {
public:
    Placeholder(kit::Shell& shell, const QString& caption, Kind kind);

    kit::Label Label1;
    kit::Button BitBtn1;
};

}  // namespace app
