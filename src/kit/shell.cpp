#include "kit/shell.h"

#include <algorithm>

namespace kit {

Shell::~Shell() = default;

Form& Shell::openChildWindow(const QString& caption, const std::function<std::unique_ptr<Form>()>& factory) {
    if (Form* open = childWindow(caption)) {
        raiseChild(*open);
        return *open;
    }
    std::unique_ptr<Form> form = factory();
    form->setCaption(caption);
    Form& ref = *form;
    children_.push_back(std::move(form));
    hostChild(ref);
    return ref;
}

std::vector<Form*> Shell::childWindows() const {
    std::vector<Form*> out;
    for (const auto& f : children_) out.push_back(f.get());
    return out;
}

Form* Shell::childWindow(const QString& caption) const {
    // The caption is the window's only identity; compared exactly.
    for (const auto& f : children_)
        if (f->caption() == caption) return f.get();
    return nullptr;
}

void Shell::childClosed(Form& form) {
    auto it = std::find_if(children_.begin(), children_.end(), [&](const auto& f) { return f.get() == &form; });
    if (it == children_.end()) return;
    closed_.push_back(std::move(*it));
    children_.erase(it);
    unhostChild(form);
    form.closed();
    // The form may still be running the handler that closed it: destroy it
    // once control is back in the event loop.
    scheduleDestroy(form);
}

void Shell::scheduleDestroy(Form& form) {
    singleShot(0, [this, f = &form] { destroyClosed(f); });
}

void Shell::collectClosed() { closed_.clear(); }

void Shell::destroyClosed(const Form* form) {
    std::erase_if(closed_, [&](const std::unique_ptr<Form>& f) { return f.get() == form; });
}

void Shell::destroyAllChildren() {
    while (!children_.empty()) {
        std::unique_ptr<Form> form = std::move(children_.back());
        children_.pop_back();
        unhostChild(*form);
        form->closed();
    }
    closed_.clear();
}

}  // namespace kit
