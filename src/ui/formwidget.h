#pragma once
// Renders a kit form as widgets from its layout description and keeps the
// two in step: each control's observer refreshes its widget from the kit
// state; the widget's signals, key presses and focus changes call the kit's
// operator methods. Refreshing a widget never calls back into the kit.

#include "kit/form.h"
#include "kit/layout.h"
#include "kit/types.h"

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>
#include <unordered_map>

class QBoxLayout;
class QFormLayout;
class QLabel;
class QLayout;

namespace kit {
class Box;
class Control;
}

namespace ui {

class ControlBinding;

class FormWidget : public QWidget, public kit::FormView {
    Q_OBJECT
public:
    explicit FormWidget(kit::Form& form, QWidget* parent = nullptr);
    ~FormWidget() override;

    kit::Form& form() const { return form_; }
    bool attached() const { return attached_; }

    // Forgets the form: observers and the view are cleared, so the form may be
    // destroyed before this widget. Signals no longer reach the kit.
    void detach();

    // The widget that shows a control (nullptr when the form does not lay it out).
    QWidget* widgetFor(const kit::Control* control) const;
    template <class W>
    W* widgetAs(const kit::Control& control) const { return qobject_cast<W*>(widgetFor(&control)); }

    // Runs an operator action on the kit: under the form's error handler, with
    // focus events held back until the outermost action returns, after which
    // the widget focus follows the kit's focused control.
    void call(const std::function<void()>& work);
    bool inKitCall() const { return depth_ > 0; }

    // True while widgets are being refreshed from kit state: widget signals
    // are then ignored.
    bool refreshing() const { return refreshing_ > 0; }
    class Refreshing {
    public:
        explicit Refreshing(FormWidget& w) : w_(w) { ++w_.refreshing_; }
        ~Refreshing() { --w_.refreshing_; }
    private:
        FormWidget& w_;
    };

    // The window that hosts the form became active: the widget focus follows
    // the kit, and the form hears of it.
    void hostActivated();
    // Something that covered the form went away.
    void redrawn();
    // Puts the widget focus on the kit's focused control, unless the host
    // is not the window the focus belongs in.
    void syncFocusFromKit();

    // Set by the host (dialog, sub-window).
    std::function<void()> onCaptionChanged;
    std::function<void()> onCloseRequested;
    // Decides whether the host window is the one the focus belongs in
    // (default: no other modal window is up).
    std::function<bool()> hostIsActive;

    // kit::FormView
    void captionChanged() override;
    void focusChanged(kit::Control* now) override;
    void closeRequested() override;

    // Used by the bindings.
    void registerWidget(kit::Control* control, QWidget* widget, bool keys);
    void watchKeys(QWidget* widget, kit::Control* control);
    void setCaptionLabel(kit::Control* control, QLabel* label);

    // Copies a control's kit state into its widget.
    void refreshBinding(ControlBinding& binding);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A click on the form's own background.
    void mouseReleaseEvent(class QMouseEvent* event) override;

private:
    ControlBinding* bindingFor(const kit::Control* control) const;
    QLayout* buildBox(const kit::Box& box, QWidget* parent);
    // The caption beside a field, tied to the field it names.
    QLabel* captionLabel(const kit::Box::Item& item, QWidget* field, QWidget* parent);
    QWidget* buildControl(kit::Control& control, QWidget* parent);
    bool handleKey(kit::Control* control, QWidget* widget, class QKeyEvent* key);
    bool hostActive() const;

    kit::Form& form_;
    bool attached_ = true;
    int depth_ = 0;
    int refreshing_ = 0;
    std::unordered_map<const kit::Control*, QWidget*> widgets_;
    std::unordered_map<const kit::Control*, QLabel*> captions_;
    QHash<QObject*, kit::Control*> keyWidgets_;
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
};

// One control's widget and the two directions of its state.
class ControlBinding {
public:
    ControlBinding(FormWidget& owner, kit::Control& control) : owner_(owner), control_(control) {}
    virtual ~ControlBinding() = default;
    virtual QWidget* widget() const = 0;
    // Copies the kit state into the widget (called with refreshing set).
    virtual void refresh() = 0;
    // Called when the form is forgotten: drop listeners on kit objects.
    virtual void detach() {}
    // Typed text on the control's widget (printable text, or "\b"); returns
    // true when the key was consumed.
    virtual bool typed(QWidget* /*source*/, const QString& /*text*/) { return false; }
    // Whether Enter belongs to the widget itself (an open cell editor).
    virtual bool ownsEnter(QWidget* /*source*/) const { return false; }

    // Runs an operator action, then shows the kit state again (the kit may
    // have refused what the widget already shows).
    void act(const std::function<void()>& work) {
        if (owner_.refreshing() || !owner_.attached()) return;
        QPointer<FormWidget> owner(&owner_);
        owner_.call(work);
        if (owner) owner_.refreshBinding(*this);
    }

    FormWidget& owner() const { return owner_; }
    kit::Control& control() const { return control_; }
    kit::Style appliedStyle;   // the style last applied to the widget

protected:
    FormWidget& owner_;
    kit::Control& control_;
};

// Creates the binding of one control (nullptr for a kind the renderer does
// not know).
std::unique_ptr<ControlBinding> makeBinding(FormWidget& owner, kit::Control& control, QWidget* parent);

}  // namespace ui
