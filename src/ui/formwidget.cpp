#include "ui/formwidget.h"

#include "kit/controls.h"
#include "kit/datagrid.h"
#include "kit/layout.h"
#include "kit/stringgrid.h"
#include "ui/bindings.h"
#include "ui/style.h"

#include <QApplication>
#include <QMouseEvent>
#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>

namespace ui {

namespace {

bool sameStyle(const kit::Style& a, const kit::Style& b) {
    return a.color == b.color && a.background == b.background && a.bold == b.bold &&
           a.pointSize == b.pointSize && a.align == b.align;
}

bool isDefaultStyle(const kit::Style& s) { return sameStyle(s, kit::Style{}); }

QLabel* textLabel(const QString& text, const kit::Style& style, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (!isDefaultStyle(style)) applyStyle(label, style);
    label->setAlignment(alignment(style.align));
    return label;
}

// --- group box and tab pages: containers whose content the form lays out ----

class GroupBoxBinding : public ControlBinding {
public:
    GroupBoxBinding(FormWidget& owner, kit::GroupBox& c, QWidget* parent)
        : ControlBinding(owner, c), box_(new QGroupBox(c.caption(), parent)) {}
    QWidget* widget() const override { return box_; }
    void refresh() override { box_->setTitle(static_cast<kit::GroupBox&>(control_).caption()); }
    QGroupBox* box() const { return box_; }

private:
    QGroupBox* box_;
};

class TabPagesBinding : public ControlBinding {
public:
    TabPagesBinding(FormWidget& owner, kit::TabPages& c, QWidget* parent)
        : ControlBinding(owner, c), tabs_(new QTabWidget(parent)) {
        QObject::connect(tabs_, &QTabWidget::currentChanged, tabs_, [this](int index) {
            if (owner_.refreshing() || !owner_.attached() || index < 0) return;
            auto& pages = static_cast<kit::TabPages&>(control_);
            owner_.call([&] { pages.setCurrentIndex(index); });
        });
    }
    QWidget* widget() const override { return tabs_; }
    void refresh() override {
        auto& pages = static_cast<kit::TabPages&>(control_);
        if (pages.currentIndex() != tabs_->currentIndex()) tabs_->setCurrentIndex(pages.currentIndex());
    }
    QTabWidget* tabs() const { return tabs_; }

private:
    QTabWidget* tabs_;
};

}  // namespace

TypingPlace typingPlace(int cursor, int selectionStart, int selectionLength, int textLength) {
    if (selectionLength > 0)
        return (selectionStart == 0 && selectionLength == textLength) ? TypingPlace::Whole : TypingPlace::Inside;
    return cursor >= textLength ? TypingPlace::End : TypingPlace::Inside;
}

std::unique_ptr<ControlBinding> makeBinding(FormWidget& owner, kit::Control& c, QWidget* parent) {
    if (auto* x = dynamic_cast<kit::Label*>(&c)) return bindLabel(owner, *x, parent);
    if (auto* x = dynamic_cast<kit::Edit*>(&c)) return bindEdit(owner, *x, parent);
    if (auto* x = dynamic_cast<kit::ComboBox*>(&c)) return bindComboBox(owner, *x, parent);
    if (auto* x = dynamic_cast<kit::CheckBox*>(&c)) return bindCheckBox(owner, *x, parent);
    if (auto* x = dynamic_cast<kit::RadioGroup*>(&c)) return bindRadioGroup(owner, *x, parent);
    if (auto* x = dynamic_cast<kit::Button*>(&c)) return bindButton(owner, *x, parent);
    if (auto* x = dynamic_cast<kit::DatePicker*>(&c)) return bindDatePicker(owner, *x, parent);
    if (auto* x = dynamic_cast<kit::PictureBox*>(&c)) return bindPictureBox(owner, *x, parent);
    if (auto* x = dynamic_cast<kit::DataGrid*>(&c)) return bindDataGrid(owner, *x, parent);
    if (auto* x = dynamic_cast<kit::StringGrid*>(&c)) return bindStringGrid(owner, *x, parent);
    if (auto* x = dynamic_cast<kit::GroupBox*>(&c)) return std::make_unique<GroupBoxBinding>(owner, *x, parent);
    if (auto* x = dynamic_cast<kit::TabPages*>(&c)) return std::make_unique<TabPagesBinding>(owner, *x, parent);
    return nullptr;
}

// --- FormWidget -----------------------------------------------------------------

FormWidget::FormWidget(kit::Form& form, QWidget* parent) : QWidget(parent), form_(form) {
    setWindowTitle(form.caption());
    {
        Refreshing building(*this);
        setLayout(buildBox(form.layout(), this));
    }
    form.setView(this);
    for (auto& b : bindings_) refreshBinding(*b);
}

FormWidget::~FormWidget() {
    detach();
    // The widgets go before the bindings whose slots they could still reach.
    delete layout();
    const auto children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) delete child;
}

void FormWidget::detach() {
    if (!attached_) return;
    attached_ = false;
    for (auto& b : bindings_) {
        b->control().observer = nullptr;
        b->detach();
    }
    if (form_.view() == this) form_.setView(nullptr);
}

QWidget* FormWidget::widgetFor(const kit::Control* control) const {
    auto it = widgets_.find(control);
    return it == widgets_.end() ? nullptr : it->second;
}

ControlBinding* FormWidget::bindingFor(const kit::Control* control) const {
    for (const auto& b : bindings_)
        if (&b->control() == control) return b.get();
    return nullptr;
}

void FormWidget::call(const std::function<void()>& work) {
    if (!attached_) return;
    QPointer<FormWidget> self(this);
    ++depth_;
    try {
        form_.run(work);
    } catch (...) {
        // form.run shows what a handler throws; nothing may leave a slot.
    }
    if (!self) return;
    --depth_;
    if (depth_ == 0 && attached_) {
        syncFocusFromKit();
        // Once more when the event that started the action is done with: a
        // mouse press gives its widget the focus after its handlers ran.
        QMetaObject::invokeMethod(
            this, [this] { if (attached_ && depth_ == 0) syncFocusFromKit(); }, Qt::QueuedConnection);
    }
}

void FormWidget::refreshBinding(ControlBinding& b) {
    if (!attached_) return;
    Refreshing guard(*this);
    kit::Control& c = b.control();
    QWidget* w = b.widget();
    if (w->isHidden() == c.visible()) w->setVisible(c.visible());
    if (w->isEnabled() != c.enabled()) w->setEnabled(c.enabled());
    if (w->toolTip() != c.hint()) w->setToolTip(c.hint());
    if (!sameStyle(b.appliedStyle, c.style())) {
        applyStyle(w, c.style());
        b.appliedStyle = c.style();
    }
    b.refresh();
    auto it = captions_.find(&c);
    if (it != captions_.end()) it->second->setVisible(c.visible());
}

void FormWidget::hostActivated() {
    if (!attached_) return;
    call([this] {
        form_.activated();
        form_.redrawn();
    });
}

void FormWidget::redrawn() {
    if (!attached_) return;
    call([this] { form_.redrawn(); });
}

bool FormWidget::hostActive() const {
    if (hostIsActive) return hostIsActive();
    // A window that is not active keeps the widget to focus when it is again.
    QWidget* modal = QApplication::activeModalWidget();
    return !modal || modal == window();
}

void FormWidget::syncFocusFromKit() {
    if (!attached_ || !hostActive()) return;
    QWidget* w = widgetFor(form_.focused());
    if (!w || !w->isEnabled() || !w->isVisibleTo(window())) return;
    QWidget* now = QApplication::focusWidget();
    if (now && (now == w || w->isAncestorOf(now))) return;
    w->setFocus(Qt::OtherFocusReason);
}

void FormWidget::captionChanged() {
    setWindowTitle(form_.caption());
    if (onCaptionChanged) onCaptionChanged();
}

void FormWidget::focusChanged(kit::Control*) {
    // During an operator action the focus follows once the action returns.
    if (depth_ == 0) syncFocusFromKit();
}

void FormWidget::closeRequested() {
    if (onCloseRequested) onCloseRequested();
}

void FormWidget::registerWidget(kit::Control* control, QWidget* widget, bool keys) {
    widgets_[control] = widget;
    if (keys) watchKeys(widget, control);
}

void FormWidget::watchKeys(QWidget* widget, kit::Control* control) {
    keyWidgets_.insert(widget, control);
    widget->installEventFilter(this);
    QObject::connect(widget, &QObject::destroyed, this, [this, widget] { keyWidgets_.remove(widget); });
}

bool FormWidget::eventFilter(QObject* watched, QEvent* event) {
    if (!attached_) return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusIn && type != QEvent::KeyPress) return false;
    auto it = keyWidgets_.constFind(watched);
    if (it == keyWidgets_.constEnd()) return false;
    kit::Control* control = it.value();
    if (type == QEvent::FocusIn) {
        // Focus events raised while the kit itself is acting (a message box
        // of an exit handler, a widget hidden by a refresh) are not the
        // operator's moves.
        if (refreshing_ || depth_ || form_.focused() == control || !control->canFocus()) return false;
        call([this, control] { form_.moveFocusTo(*control); });
        return false;
    }
    return handleKey(control, static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
}

bool FormWidget::handleKey(kit::Control* control, QWidget* widget, QKeyEvent* key) {
    if (refreshing_ || depth_) return false;
    ControlBinding* b = bindingFor(control);
    if (!b) return false;
    const Qt::KeyboardModifiers mods = key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::NoModifier) {
        if (b->ownsEnter(widget)) return false;
        call([this, control] {
            if (form_.focused() != control) form_.moveFocusTo(*control);
            if (form_.focused() == control) form_.pressEnter();
        });
        return true;
    }
    if (mods != Qt::NoModifier) return false;
    QString text;
    if (key->key() == Qt::Key_Backspace)
        text = QStringLiteral("\b");
    else if (!key->text().isEmpty() && key->text().at(0).isPrint())
        text = key->text();
    else
        return false;
    return b->typed(widget, text);
}

void FormWidget::setCaptionLabel(kit::Control* control, QLabel* label) { captions_[control] = label; }

QLabel* FormWidget::captionLabel(const kit::Box::Item& item, QWidget* field, QWidget* parent) {
    QLabel* label = textLabel(item.caption, item.style, parent);
    label->setBuddy(field);
    setCaptionLabel(item.control, label);
    return label;
}

QLayout* FormWidget::buildBox(const kit::Box& box, QWidget* parent) {
    using Kind = kit::Box::Kind;
    using Type = kit::Box::Item::Type;
    if (box.kind() == Kind::Fields) {
        auto* form = new QFormLayout;
        form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        for (const auto& item : box.items()) {
            switch (item.type) {
            case Type::Control: {
                QWidget* w = buildControl(*item.control, parent);
                if (!w) break;
                if (item.caption.isEmpty()) {
                    form->addRow(w);
                } else {
                    QLabel* label = captionLabel(item, w, parent);
                    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                    form->addRow(label, w);
                }
                break;
            }
            case Type::Box: form->addRow(buildBox(*item.box, parent)); break;
            case Type::Stretch: form->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding)); break;
            case Type::Text: form->addRow(textLabel(item.caption, item.style, parent)); break;
            }
        }
        return form;
    }
    auto* layout = new QBoxLayout(box.kind() == Kind::Row ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    for (const auto& item : box.items()) {
        switch (item.type) {
        case Type::Control: {
            QWidget* w = buildControl(*item.control, parent);
            if (!w) break;
            if (item.caption.isEmpty()) {
                layout->addWidget(w);
            } else {
                auto* pair = new QHBoxLayout;
                pair->addWidget(captionLabel(item, w, parent));
                pair->addWidget(w, 1);
                layout->addLayout(pair);
            }
            break;
        }
        case Type::Box: layout->addLayout(buildBox(*item.box, parent)); break;
        case Type::Stretch: layout->addStretch(1); break;
        case Type::Text: layout->addWidget(textLabel(item.caption, item.style, parent)); break;
        }
    }
    return layout;
}

QWidget* FormWidget::buildControl(kit::Control& control, QWidget* parent) {
    std::unique_ptr<ControlBinding> b = makeBinding(*this, control, parent);
    if (!b) return nullptr;
    QWidget* w = b->widget();
    if (!widgets_.count(&control)) registerWidget(&control, w, control.focusable());
    if (auto* group = dynamic_cast<GroupBoxBinding*>(b.get())) {
        group->box()->setLayout(buildBox(static_cast<kit::GroupBox&>(control).content(), group->box()));
    } else if (auto* tabs = dynamic_cast<TabPagesBinding*>(b.get())) {
        auto& pages = static_cast<kit::TabPages&>(control);
        for (int i = 0; i < pages.pageCount(); ++i) {
            auto* page = new QWidget;
            page->setLayout(buildBox(pages.page(i), page));
            tabs->tabs()->addTab(page, pages.pageCaption(i));
        }
    }
    ControlBinding* raw = b.get();
    control.observer = [this, raw] { refreshBinding(*raw); };
    bindings_.push_back(std::move(b));
    return w;
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && attached_) call([this] { form_.clickBackground(); });
}

}  // namespace ui
