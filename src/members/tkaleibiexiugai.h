#pragma once
// The category modify dialog: made once for the run, filled by the category
// screen from the selected row before each showing. The name cannot change;
// the stored bounds are kept as the old bounds, which leave the category
// itself out of the range test.

#include "members/categoryform.h"

namespace members {

class Tkaleibiexiugai : public CategoryForm {
public:
    Tkaleibiexiugai(kit::Shell& shell, db::TDM1& dm);

    // The selected row's stored bounds, as text.
    QString oldLower;
    QString oldUpper;

private:
    void save();
};

}  // namespace members
