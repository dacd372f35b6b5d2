#include "kit/menu.h"

namespace kit {

void MenuItem::setEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    if (observer) observer();
}

MenuItem& MenuItem::add(const QString& caption) {
    items_.push_back(std::make_unique<MenuItem>(caption));
    return *items_.back();
}

MenuItem* MenuItem::find(const QString& caption) const {
    for (const auto& item : items_)
        if (item->caption() == caption) return item.get();
    return nullptr;
}

void MenuItem::click() {
    if (!enabled_ || isSeparator()) return;
    if (onClick) onClick();
}

void ToolButton::setEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    if (observer) observer();
}

void ToolButton::click() {
    if (!enabled_) return;
    if (item_) item_->click();
    else if (action) action();
}

}  // namespace kit
