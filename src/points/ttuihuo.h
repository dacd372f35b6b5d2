#pragma once
// The return screen: takes back the points of returned goods, or of the
// price difference of an exchange.

#include "points/goodsscreen.h"

namespace points {

class Ttuihuo : public GoodsScreen {
public:
    Ttuihuo(kit::Shell& shell, db::TDM1& dm, app::TMAIN& main);

protected:
    double balanceAfter(double balance, double points) const override { return balance - points; }
    void save() override { SaveReturn(); }

private:
    void SaveReturn();
};

}  // namespace points
