#pragma once
// The about box: the product title and version; any click closes it.

#include "kit/controls.h"
#include "kit/form.h"

namespace app {

class Tguanyu : public kit::Form {
public:
    Tguanyu(kit::Shell& shell, const QString& home);

    kit::PictureBox Image1;
    kit::Label Label1;   // the product title
    kit::Label Label2;   // the version line
};

}  // namespace app
