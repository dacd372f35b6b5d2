#include "kit/controls.h"

#include "kit/form.h"
#include "kit/shell.h"

namespace kit {

bool keyAccepted(KeyFilter filter, QChar ch) {
    if (filter == KeyFilter::Any) return true;
    if (ch.unicode() < 0x20 || ch.unicode() == 0x7f) return true;   // control keys
    if (ch.isDigit() && ch.unicode() < 0x80) return true;
    if (ch == u'.') return true;
    return filter == KeyFilter::SignedNumeric && ch == u'-';
}

// Applies one typed character to a text, as an edit field does: Backspace
// removes the last character (or a whole selection), other characters
// replace a whole selection or go to the end.
static QString applyKey(QString text, bool& allSelected, QChar ch) {
    if (ch == u'\b') {
        if (allSelected) text.clear();
        else if (!text.isEmpty()) text.chop(1);
    } else {
        if (allSelected) text.clear();
        text.append(ch);
    }
    allSelected = false;
    return text;
}

// --- Label -------------------------------------------------------------------

Label::Label(Form& form, QString name, QString text) : Control(form, std::move(name)), text_(std::move(text)) {}

void Label::setText(const QString& t) {
    if (text_ == t) return;
    text_ = t;
    changed();
}

void Label::click() {
    if (onClick) form().run(onClick);
}

// --- Edit --------------------------------------------------------------------

Edit::Edit(Form& form, QString name) : Control(form, std::move(name)) {}

void Edit::setText(const QString& t) {
    allSelected_ = false;
    if (text_ == t) {
        changed();
        return;
    }
    text_ = t;
    changed();
    if (onChange) onChange();
}

void Edit::setReadOnly(bool r) {
    readOnly_ = r;
    changed();
}

void Edit::setMasked(bool m) {
    masked_ = m;
    changed();
}

void Edit::setMultiLine(bool m) {
    multiLine_ = m;
    changed();
}

void Edit::selectAll() {
    allSelected_ = true;
    changed();
}

void Edit::type(const QString& chars) {
    form().run([&] {
        for (QChar ch : chars) typeOne(ch);
    });
}

void Edit::typeOne(QChar ch) {
    if (!enabled() || !visible()) return;
    if (!keyAccepted(keyFilter_, ch)) return;
    if (onKeyPress) {
        onKeyPress(ch);
        if (ch.isNull()) return;
    }
    if (readOnly_) return;
    if (ch == u'\r' || ch == u'\n') {
        if (!multiLine_) return;
        ch = u'\n';
    }
    setText(applyKey(text_, allSelected_, ch));
}

void Edit::userEdited(const QString& newText) {
    form().run([&] {
        if (readOnly_) {
            changed();   // the renderer puts the real text back
            return;
        }
        setText(newText);
    });
}

// --- ComboBox ------------------------------------------------------------------

ComboBox::ComboBox(Form& form, QString name) : Control(form, std::move(name)) {}

void ComboBox::setItems(const QStringList& items) {
    items_ = items;
    index_ = -1;
    changed();
}

void ComboBox::addItem(const QString& item) {
    items_.append(item);
    changed();
}

void ComboBox::setItemIndex(int i) {
    if (i < -1 || i >= items_.size()) i = -1;
    index_ = i;
    text_ = i >= 0 ? items_[i] : (editable_ ? text_ : QString());
    if (i < 0 && !editable_) text_.clear();
    changed();
}

void ComboBox::setText(const QString& t) {
    text_ = t;
    index_ = int(items_.indexOf(t));
    allSelected_ = false;
    changed();
}

void ComboBox::setEditable(bool e) {
    editable_ = e;
    changed();
}

void ComboBox::selectAll() {
    allSelected_ = true;
    changed();
}

void ComboBox::choose(int index) {
    form().run([&] {
        if (!enabled() || index < 0 || index >= items_.size()) return;
        index_ = index;
        text_ = items_[index];
        allSelected_ = false;
        changed();
        if (onChange) onChange();
        if (onSelect) onSelect();
    });
}

void ComboBox::type(const QString& chars) {
    form().run([&] {
        for (QChar ch : chars) {
            if (!enabled() || !visible() || !editable_) return;
            if (!keyAccepted(keyFilter, ch)) continue;
            if (onKeyPress) {
                onKeyPress(ch);
                if (ch.isNull()) continue;
            }
            if (ch == u'\r' || ch == u'\n') continue;
            userEdited(applyKey(text_, allSelected_, ch));
        }
    });
}

void ComboBox::userEdited(const QString& newText) {
    form().run([&] {
        if (!editable_) {
            changed();
            return;
        }
        text_ = newText;
        index_ = int(items_.indexOf(newText));
        allSelected_ = false;
        changed();
        if (onChange) onChange();
    });
}

void ComboBox::dropDown() {
    form().run([&] {
        if (!enabled()) return;
        if (onDropDown) onDropDown();
    });
}

// --- CheckBox ------------------------------------------------------------------

CheckBox::CheckBox(Form& form, QString name, QString caption)
    : Control(form, std::move(name)), caption_(std::move(caption)) {}

void CheckBox::setCaption(const QString& c) {
    caption_ = c;
    changed();
}

void CheckBox::setChecked(bool c) {
    if (checked_ == c) return;
    checked_ = c;
    changed();
    if (onClick) onClick();
}

void CheckBox::click() {
    form().run([&] {
        if (!enabled() || !visible()) return;
        form().moveFocusTo(*this);
        setChecked(!checked_);
    });
}

// --- RadioGroup ----------------------------------------------------------------

RadioGroup::RadioGroup(Form& form, QString name, QString caption, QStringList items, int columns)
    : Control(form, std::move(name)), caption_(std::move(caption)), items_(std::move(items)), columns_(columns) {}

void RadioGroup::setItemIndex(int i) {
    if (i < -1 || i >= items_.size()) i = -1;
    if (index_ == i) return;
    index_ = i;
    changed();
    if (onClick) onClick();
}

void RadioGroup::choose(int i) {
    form().run([&] {
        if (!enabled() || !visible()) return;
        form().moveFocusTo(*this);
        setItemIndex(i);
    });
}

// --- Button --------------------------------------------------------------------

Button::Button(Form& form, QString name, QString caption)
    : Control(form, std::move(name)), caption_(std::move(caption)) {}

void Button::setCaption(const QString& c) {
    caption_ = c;
    changed();
}

void Button::click() {
    form().run([&] {
        if (!enabled() || !visible()) return;
        if (takesFocus) {
            form().moveFocusTo(*this);
            // The field being left refused its value and kept the focus: the
            // click is cancelled, as the press never completed.
            if (!focused()) return;
        }
        performClick();
    });
}

void Button::performClick() {
    if (!enabled() || !visible()) return;
    if (onClick) onClick();
    if (modalResult != ModalResult::None && form().kind() == Form::Kind::Dialog && !form().isClosing()) {
        form().modalResult = modalResult;
        form().close();
    }
}

// --- DatePicker ------------------------------------------------------------------

DatePicker::DatePicker(Form& form, QString name) : Control(form, std::move(name)) {}

void DatePicker::setDate(const QDate& d) {
    if (date_ == d) return;
    date_ = d;
    changed();
    if (onChange) onChange();
}

void DatePicker::pick(const QDate& d) {
    form().run([&] {
        if (!enabled() || !visible()) return;
        setDate(d);
    });
}

// --- PictureBox ------------------------------------------------------------------

PictureBox::PictureBox(Form& form, QString name) : Control(form, std::move(name)) {}

bool PictureBox::load(const QString& path) {
    path_ = path;
    const bool ok = !path.isEmpty() && form().shell().pictureLoads(path);
    if (!ok) path_.clear();
    setVisible(ok);
    changed();
    return ok;
}

void PictureBox::click() {
    if (onClick) form().run(onClick);
}

void PictureBox::clear() {
    path_.clear();
    changed();
}

}  // namespace kit
