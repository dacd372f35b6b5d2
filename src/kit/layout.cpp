#include "kit/layout.h"

namespace kit {

Box& Box::add(Control& control, const QString& caption, Style captionStyle) {
    Item item;
    item.type = Item::Type::Control;
    item.control = &control;
    item.caption = caption;
    item.style = captionStyle;
    items_.push_back(std::move(item));
    return *this;
}

Box& Box::text(const QString& text, Style style) {
    Item item;
    item.type = Item::Type::Text;
    item.caption = text;
    item.style = style;
    items_.push_back(std::move(item));
    return *this;
}

Box& Box::box(Kind kind) {
    Item item;
    item.type = Item::Type::Box;
    item.box = std::make_unique<Box>(kind);
    Box& inner = *item.box;
    items_.push_back(std::move(item));
    return inner;
}

Box& Box::stretch() {
    Item item;
    item.type = Item::Type::Stretch;
    items_.push_back(std::move(item));
    return *this;
}

GroupBox::GroupBox(Form& form, QString name, QString caption, Box::Kind kind)
    : Control(form, std::move(name)), caption_(std::move(caption)), content_(kind) {}

TabPages::TabPages(Form& form, QString name) : Control(form, std::move(name)) {}

Box& TabPages::addPage(const QString& caption, Box::Kind kind) {
    pages_.push_back(Page{caption, std::make_unique<Box>(kind)});
    return *pages_.back().box;
}

void TabPages::setCurrentIndex(int i) {
    if (i < 0 || i >= pageCount() || i == current_) return;
    current_ = i;
    changed();
    if (onChange) onChange();
}

}  // namespace kit
