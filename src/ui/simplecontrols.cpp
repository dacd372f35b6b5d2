// Bindings of the simple controls: label, edit, combo box, check box, radio
// group, button, date picker, picture box.

#include "kit/controls.h"
#include "ui/bindings.h"
#include "ui/style.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>

namespace ui {

namespace {

const QString kBackspace = QStringLiteral("\b");

TypingPlace placeIn(const QLineEdit* line) {
    return typingPlace(line->cursorPosition(), line->selectionStart(), line->selectionLength(), int(line->text().size()));
}

TypingPlace placeIn(const QPlainTextEdit* memo) {
    const QTextCursor c = memo->textCursor();
    return typingPlace(c.position(), c.selectionStart(), c.selectionEnd() - c.selectionStart(),
                       memo->document()->characterCount() - 1);
}

// --- label ------------------------------------------------------------------------

// Reports a left click (press and release) on a widget that has no click
// of its own, such as a text or a picture.
class ClickForwarder : public QObject {
public:
    ClickForwarder(QWidget* widget, std::function<void()> onClick) : QObject(widget), onClick_(std::move(onClick)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            onClick_();
            return true;   // the click was this widget's, not the form background's
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onClick_;
};

class LabelBinding : public ControlBinding {
public:
    LabelBinding(FormWidget& owner, kit::Label& c, QWidget* parent)
        : ControlBinding(owner, c), label_(new QLabel(parent)) {
        new ClickForwarder(label_, [this] { act([this] { static_cast<kit::Label&>(control_).click(); }); });
    }
    QWidget* widget() const override { return label_; }
    void refresh() override {
        auto& l = static_cast<kit::Label&>(control_);
        if (label_->text() != l.text()) label_->setText(l.text());
        label_->setAlignment(alignment(l.style().align));
    }

private:
    QLabel* label_;
};

// --- edit and memo ---------------------------------------------------------------

class EditBinding : public ControlBinding {
public:
    EditBinding(FormWidget& owner, kit::Edit& c, QWidget* parent) : ControlBinding(owner, c) {
        if (c.multiLine()) {
            memo_ = new QPlainTextEdit(parent);
            memo_->setTabChangesFocus(true);
            QObject::connect(memo_, &QPlainTextEdit::textChanged, memo_, [this] {
                if (owner_.refreshing()) return;
                const QString text = memo_->toPlainText();
                act([this, text] { edit().userEdited(text); });
            });
        } else {
            line_ = new QLineEdit(parent);
            QObject::connect(line_, &QLineEdit::textEdited, line_, [this](const QString& text) {
                act([this, text] { edit().userEdited(text); });
            });
        }
    }
    kit::Edit& edit() const { return static_cast<kit::Edit&>(control_); }
    QWidget* widget() const override { return line_ ? static_cast<QWidget*>(line_) : memo_; }

    void refresh() override {
        const kit::Edit& e = edit();
        const bool newlySelected = e.allSelected() && !shownAllSelected_;
        shownAllSelected_ = e.allSelected();
        if (line_) {
            line_->setEchoMode(e.masked() ? QLineEdit::Password : QLineEdit::Normal);
            line_->setReadOnly(e.readOnly());
            line_->setAlignment(alignment(e.style().align));
            const bool changed = line_->text() != e.text();
            if (changed) line_->setText(e.text());
            if (e.allSelected() && (changed || newlySelected)) line_->selectAll();
        } else {
            memo_->setReadOnly(e.readOnly());
            const bool changed = memo_->toPlainText() != e.text();
            if (changed) {
                memo_->setPlainText(e.text());
                memo_->moveCursor(QTextCursor::End);
            }
            if (e.allSelected() && (changed || newlySelected)) memo_->selectAll();
        }
    }

    bool typed(QWidget*, const QString& text) override {
        kit::Edit& e = edit();
        if (e.readOnly() || !e.enabled()) return false;
        const TypingPlace place = line_ ? placeIn(line_) : placeIn(memo_);
        if (place == TypingPlace::Inside) {
            // The widget edits inside the text; the key filter still holds.
            if (text != kBackspace && !kit::keyAccepted(e.keyFilter(), text.at(0))) return true;
            return false;
        }
        act([this, &e, place, text] {
            kit::Form& form = e.form();
            if (form.focused() != &e) form.moveFocusTo(e);
            if (form.focused() != &e) return;
            if (place == TypingPlace::Whole && !e.allSelected()) e.selectAll();
            e.type(text);
        });
        return true;
    }

private:
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    bool shownAllSelected_ = false;
};

// --- combo box -------------------------------------------------------------------

// A combo box that lets the form refill its list before it drops down.
class DropDownComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;
    void showPopup() override {
        if (beforePopup) beforePopup();
        QComboBox::showPopup();
    }
};

class ComboBoxBinding : public ControlBinding {
public:
    ComboBoxBinding(FormWidget& owner, kit::ComboBox& c, QWidget* parent)
        : ControlBinding(owner, c), combo_(new DropDownComboBox(parent)) {
        combo_->setInsertPolicy(QComboBox::NoInsert);
        combo_->setMaxVisibleItems(20);
        combo_->beforePopup = [this] { act([this] { combo().dropDown(); }); };
        QObject::connect(combo_, &QComboBox::activated, combo_, [this](int index) {
            act([this, index] { combo().choose(index); });
        });
        setEditable(c.editable());
    }
    kit::ComboBox& combo() const { return static_cast<kit::ComboBox&>(control_); }
    QWidget* widget() const override { return combo_; }

    void refresh() override {
        const kit::ComboBox& c = combo();
        if (c.editable() != combo_->isEditable()) setEditable(c.editable());
        if (shownItems_ != c.items()) {
            combo_->clear();
            combo_->addItems(c.items());
            shownItems_ = c.items();
        }
        if (combo_->currentIndex() != c.itemIndex()) combo_->setCurrentIndex(c.itemIndex());
        const bool newlySelected = c.allSelected() && !shownAllSelected_;
        shownAllSelected_ = c.allSelected();
        if (QLineEdit* line = combo_->lineEdit()) {
            const bool changed = line->text() != c.text();
            if (changed) line->setText(c.text());
            line->setAlignment(alignment(c.style().align));
            if (c.allSelected() && (changed || newlySelected)) line->selectAll();
        } else {
            combo_->setPlaceholderText(c.itemIndex() < 0 ? c.text() : QString());
        }
    }

    bool typed(QWidget*, const QString& text) override {
        kit::ComboBox& c = combo();
        QLineEdit* line = combo_->lineEdit();
        if (!line || !c.enabled()) return false;   // a fixed list searches by the key
        const TypingPlace place = placeIn(line);
        if (place == TypingPlace::Inside) {
            if (text != kBackspace && !kit::keyAccepted(c.keyFilter, text.at(0))) return true;
            return false;
        }
        act([&c, place, text] {
            kit::Form& form = c.form();
            if (form.focused() != &c) form.moveFocusTo(c);
            if (form.focused() != &c) return;
            if (place == TypingPlace::Whole && !c.allSelected()) c.selectAll();
            c.type(text);
        });
        return true;
    }

private:
    void setEditable(bool editable) {
        combo_->setEditable(editable);
        if (QLineEdit* line = combo_->lineEdit()) {
            owner_.watchKeys(line, &control_);
            QObject::connect(line, &QLineEdit::textEdited, line, [this](const QString& text) {
                act([this, text] { combo().userEdited(text); });
            });
        }
    }

    DropDownComboBox* combo_;
    QStringList shownItems_;
    bool shownAllSelected_ = false;
};

// --- check box -------------------------------------------------------------------

class CheckBoxBinding : public ControlBinding {
public:
    CheckBoxBinding(FormWidget& owner, kit::CheckBox& c, QWidget* parent)
        : ControlBinding(owner, c), box_(new QCheckBox(c.caption(), parent)) {
        QObject::connect(box_, &QCheckBox::clicked, box_, [this] {
            act([this] { static_cast<kit::CheckBox&>(control_).click(); });
        });
    }
    QWidget* widget() const override { return box_; }
    void refresh() override {
        const auto& c = static_cast<kit::CheckBox&>(control_);
        if (box_->text() != c.caption()) box_->setText(c.caption());
        box_->setChecked(c.checked());
    }

private:
    QCheckBox* box_;
};

// --- radio group -----------------------------------------------------------------

class RadioGroupBinding : public ControlBinding {
public:
    RadioGroupBinding(FormWidget& owner, kit::RadioGroup& c, QWidget* parent)
        : ControlBinding(owner, c), box_(new QGroupBox(c.caption(), parent)), group_(new QButtonGroup(box_)) {
        box_->setLayout(new QGridLayout);
        QObject::connect(group_, &QButtonGroup::idClicked, box_, [this](int id) {
            act([this, id] { radio().choose(id); });
        });
    }
    kit::RadioGroup& radio() const { return static_cast<kit::RadioGroup&>(control_); }
    QWidget* widget() const override { return box_; }

    void refresh() override {
        const kit::RadioGroup& r = radio();
        if (box_->title() != r.caption()) box_->setTitle(r.caption());
        if (shownItems_ != r.items()) rebuild();
        group_->setExclusive(false);
        const auto buttons = group_->buttons();
        for (QAbstractButton* b : buttons) b->setChecked(group_->id(b) == r.itemIndex());
        group_->setExclusive(true);
        QAbstractButton* current = group_->button(r.itemIndex());
        if (!current && !buttons.isEmpty()) current = group_->button(0);
        box_->setFocusProxy(current);
    }

private:
    void rebuild() {
        const kit::RadioGroup& r = radio();
        for (QAbstractButton* b : group_->buttons()) {
            group_->removeButton(b);
            delete b;
        }
        auto* grid = static_cast<QGridLayout*>(box_->layout());
        const int count = int(r.items().size());
        const int columns = std::max(1, r.columns());
        const int rows = (count + columns - 1) / columns;
        for (int i = 0; i < count; ++i) {
            auto* b = new QRadioButton(r.items()[i], box_);
            group_->addButton(b, i);
            grid->addWidget(b, rows ? i % rows : 0, rows ? i / rows : 0);
            owner_.watchKeys(b, &control_);
        }
        shownItems_ = r.items();
    }

    QGroupBox* box_;
    QButtonGroup* group_;
    QStringList shownItems_;
};

// --- button ------------------------------------------------------------------------

class ButtonBinding : public ControlBinding {
public:
    ButtonBinding(FormWidget& owner, kit::Button& c, QWidget* parent)
        : ControlBinding(owner, c), button_(new QPushButton(c.caption(), parent)) {
        button_->setAutoDefault(false);
        // A mouse click leaves the focus to the kit: the click moves it there
        // after the exit handler of the control that had it.
        button_->setFocusPolicy(c.takesFocus ? Qt::TabFocus : Qt::NoFocus);
        QObject::connect(button_, &QPushButton::clicked, button_, [this] {
            act([this] { static_cast<kit::Button&>(control_).click(); });
        });
    }
    QWidget* widget() const override { return button_; }
    void refresh() override {
        const auto& b = static_cast<kit::Button&>(control_);
        if (button_->text() != b.caption()) button_->setText(b.caption());
    }

private:
    QPushButton* button_;
};

// --- date picker -------------------------------------------------------------------

class DatePickerBinding : public ControlBinding {
public:
    DatePickerBinding(FormWidget& owner, kit::DatePicker& c, QWidget* parent)
        : ControlBinding(owner, c), edit_(new QDateEdit(parent)) {
        edit_->setCalendarPopup(true);
        edit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit_->setMinimumDate(QDate(1900, 1, 1));
        QObject::connect(edit_, &QDateEdit::dateChanged, edit_, [this](QDate d) {
            act([this, d] { static_cast<kit::DatePicker&>(control_).pick(d); });
        });
    }
    QWidget* widget() const override { return edit_; }
    void refresh() override {
        const auto& d = static_cast<kit::DatePicker&>(control_);
        if (edit_->date() != d.date()) edit_->setDate(d.date());
    }

private:
    QDateEdit* edit_;
};

// --- picture box -------------------------------------------------------------------

class PictureBoxBinding : public ControlBinding {
public:
    PictureBoxBinding(FormWidget& owner, kit::PictureBox& c, QWidget* parent)
        : ControlBinding(owner, c), label_(new QLabel(parent)) {
        label_->setScaledContents(true);   // stretched to the box
        label_->setMinimumSize(96, 120);
        label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        label_->setFrameShape(QFrame::StyledPanel);
        new ClickForwarder(label_, [this] { act([this] { static_cast<kit::PictureBox&>(control_).click(); }); });
    }
    QWidget* widget() const override { return label_; }
    void refresh() override {
        const auto& p = static_cast<kit::PictureBox&>(control_);
        if (p.path() == shownPath_) return;
        shownPath_ = p.path();
        label_->setPixmap(shownPath_.isEmpty() ? QPixmap() : QPixmap(shownPath_));
    }

private:
    QLabel* label_;
    QString shownPath_;
};

}  // namespace

std::unique_ptr<ControlBinding> bindLabel(FormWidget& o, kit::Label& c, QWidget* p) {
    return std::make_unique<LabelBinding>(o, c, p);
}
std::unique_ptr<ControlBinding> bindEdit(FormWidget& o, kit::Edit& c, QWidget* p) {
    return std::make_unique<EditBinding>(o, c, p);
}
std::unique_ptr<ControlBinding> bindComboBox(FormWidget& o, kit::ComboBox& c, QWidget* p) {
    return std::make_unique<ComboBoxBinding>(o, c, p);
}
std::unique_ptr<ControlBinding> bindCheckBox(FormWidget& o, kit::CheckBox& c, QWidget* p) {
    return std::make_unique<CheckBoxBinding>(o, c, p);
}
std::unique_ptr<ControlBinding> bindRadioGroup(FormWidget& o, kit::RadioGroup& c, QWidget* p) {
    return std::make_unique<RadioGroupBinding>(o, c, p);
}
std::unique_ptr<ControlBinding> bindButton(FormWidget& o, kit::Button& c, QWidget* p) {
    return std::make_unique<ButtonBinding>(o, c, p);
}
std::unique_ptr<ControlBinding> bindDatePicker(FormWidget& o, kit::DatePicker& c, QWidget* p) {
    return std::make_unique<DatePickerBinding>(o, c, p);
}
std::unique_ptr<ControlBinding> bindPictureBox(FormWidget& o, kit::PictureBox& c, QWidget* p) {
    return std::make_unique<PictureBoxBinding>(o, c, p);
}

}  // namespace ui
