#include "kit/control.h"

#include "kit/form.h"

namespace kit {

Control::Control(Form& form, QString name) : form_(form), name_(std::move(name)) {
    form_.registerControl(this);
}

Control::~Control() { form_.unregisterControl(this); }

void Control::setVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    changed();
}

void Control::setEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    changed();
}

void Control::setHint(const QString& h) {
    hint_ = h;
    changed();
}

void Control::setStyle(const Style& s) {
    style_ = s;
    changed();
}

bool Control::canFocus() const { return focusable() && visible_ && enabled_; }

bool Control::focused() const { return form_.focused() == this; }

bool Control::setFocus() { return form_.setFocus(this); }

void Control::changed() {
    if (observer) observer();
}

}  // namespace kit
