#include "kit/form.h"

#include "db/error.h"
#include "kit/controls.h"
#include "kit/shell.h"

#include <algorithm>

namespace kit {

Form::Form(Shell& shell, QString className, QString caption, Kind kind)
    : shell_(shell), className_(std::move(className)), caption_(std::move(caption)), kind_(kind) {}

Form::~Form() = default;

void Form::setCaption(const QString& c) {
    caption_ = c;
    if (view_) view_->captionChanged();
}

Control* Form::controlByName(const QString& name) const {
    for (Control* c : controls_)
        if (c->name() == name) return c;
    return nullptr;
}

void Form::unregisterControl(Control* c) {
    std::erase(controls_, c);
    std::erase(enterOrder_, c);
    if (focused_ == c) focused_ = nullptr;
    if (destination_ == c) destination_ = nullptr;
    if (redirect_ == c) redirect_ = nullptr;
}

bool Form::setFocus(Control* to) {
    if (!to || !to->canFocus()) return false;
    if (inExit_) {
        // An exit handler sends the focus elsewhere: that wins once it returns.
        redirect_ = to;
        return true;
    }
    Control* old = focused_;
    if (old == to) return true;
    if (old && old->onExit) {
        inExit_ = true;
        destination_ = to;
        redirect_ = nullptr;
        run(old->onExit);
        inExit_ = false;
        destination_ = nullptr;
        if (redirect_) to = redirect_;
        redirect_ = nullptr;
        if (!to->canFocus()) to = old;
    }
    focused_ = to;
    // A one-line field entered from the keyboard or by the program selects
    // its whole text, so typing replaces it.
    if (to != old) {
        if (auto* edit = dynamic_cast<Edit*>(to); edit && !edit->multiLine()) edit->selectAll();
        else if (auto* combo = dynamic_cast<ComboBox*>(to); combo && combo->editable()) combo->selectAll();
    }
    if (view_) view_->focusChanged(to);
    if (to != old && to->onFocus) run(to->onFocus);
    return true;
}

void Form::pressEnter() {
    Control* c = focused_;
    if (!c) return;
    run([&] {
        if (c->onEnter) {
            c->onEnter();
            return;
        }
        if (auto* edit = dynamic_cast<Edit*>(c); edit && edit->multiLine()) {
            edit->type(QStringLiteral("\n"));
            return;
        }
        if (auto* button = dynamic_cast<Button*>(c)) {
            button->performClick();
            return;
        }
        auto it = std::find(enterOrder_.begin(), enterOrder_.end(), c);
        if (it == enterOrder_.end()) return;
        for (++it; it != enterOrder_.end(); ++it) {
            if ((*it)->canFocus()) {
                setFocus(*it);
                return;
            }
        }
    });
}

void Form::typeText(const QString& chars) {
    for (QChar ch : chars) {
        if (ch == u'\r') {
            pressEnter();
            continue;
        }
        Control* c = focused_;
        if (!c) return;
        run([&] {
            if (auto* edit = dynamic_cast<Edit*>(c)) edit->type(QString(ch));
            else if (auto* combo = dynamic_cast<ComboBox*>(c)) combo->type(QString(ch));
        });
    }
}

void Form::moveFocusTo(Control& to) {
    run([&] { setFocus(&to); });
}

void Form::run(const std::function<void()>& work) {
    if (!work) return;
    try {
        work();
    } catch (const std::exception& e) {
        showUnhandledError(shell_, e);
    }
}

void Form::shown() {
    closing_ = false;
    // A form shown again starts without a focus: the field that had it when
    // the form last closed is not "left" now, so its exit handler stays quiet.
    focused_ = nullptr;
    if (kind_ == Kind::Dialog) modalResult = ModalResult::None;
    run(onShow);
}

void Form::clickBackground() { run(onClick); }

void Form::activated() { run(onActivate); }

void Form::redrawn() { run(onRedraw); }

void Form::close() {
    if (closing_) return;
    closing_ = true;
    run(onClose);
    if (kind_ == Kind::Dialog && modalResult == ModalResult::None) modalResult = ModalResult::Cancel;
    if (view_) view_->closeRequested();
    if (kind_ == Kind::Child) shell_.childClosed(*this);
}

void Form::closed() { view_ = nullptr; }

void showUnhandledError(Shell& shell, const std::exception& e) {
    QString text;
    if (auto* dbError = dynamic_cast<const db::Error*>(&e)) text = dbError->message();
    else text = QString::fromUtf8(e.what());
    shell.message(text, kProductTitle, Icon::Error, Buttons::Ok);
}

}  // namespace kit
