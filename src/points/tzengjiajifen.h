#pragma once
// The purchase screen: adds the points of a purchase to the card.

#include "points/goodsscreen.h"

namespace points {

class Tzengjiajifen : public GoodsScreen {
public:
    Tzengjiajifen(kit::Shell& shell, db::TDM1& dm, app::TMAIN& main);

protected:
    double balanceAfter(double balance, double points) const override { return balance + points; }
    void save() override { SavePurchase(); }

private:
    void SavePurchase();
};

}  // namespace points
