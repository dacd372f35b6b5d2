#pragma once
// A screen: caption, kind (child window or modal dialog), its controls laid
// out in a box, the focus with the Enter order, exit handlers that know where
// the focus goes, and the show/close/activate/redraw events.
//
// Everything from outside (renderer or test) enters through the operator
// methods below, which run the handlers under the general error handler:
// an error a handler does not catch stops that handler and is shown with
// its own text, the product title as caption and an error icon.

#include "kit/control.h"
#include "kit/layout.h"
#include "kit/types.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace kit {

class Shell;

// What the renderer implements to follow a form.
class FormView {
public:
    virtual ~FormView() = default;
    virtual void captionChanged() = 0;
    virtual void focusChanged(Control* now) = 0;
    virtual void closeRequested() = 0;   // the form asked to close
};

class Form {
public:
    enum class Kind { Child, Dialog, Frame };

    Form(Shell& shell, QString className, QString caption, Kind kind);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Shell& shell() const { return shell_; }
    const QString& className() const { return className_; }
    Kind kind() const { return kind_; }

    const QString& caption() const { return caption_; }
    void setCaption(const QString& c);

    Box& layout() { return layout_; }
    const Box& layout() const { return layout_; }

    // Placement hints: top-left within the frame, or centred (the default).
    std::optional<std::pair<int, int>> position;   // {left, top}
    bool minimizeButton = false;
    bool closeButton = true;

    // Every control the form owns, in creation order (kept by Control).
    const std::vector<Control*>& controls() const { return controls_; }
    Control* controlByName(const QString& name) const;

    // --- focus -------------------------------------------------------------
    Control* focused() const { return focused_; }
    // Where the focus is going while an exit handler runs (else nullptr).
    Control* focusDestination() const { return destination_; }
    // Moves the focus: the old control's onExit runs first (it may move the
    // focus elsewhere, which then wins), then the new one's onFocus.
    // Ignored (false) for a control that cannot take the focus.
    bool setFocus(Control* to);

    // The Enter order: Enter on a control of this list without its own
    // onEnter moves to the next one that can take the focus.
    void setEnterOrder(std::vector<Control*> order) { enterOrder_ = std::move(order); }
    const std::vector<Control*>& enterOrder() const { return enterOrder_; }

    // --- operator actions ----------------------------------------------------
    // Enter on the focused control: its onEnter, else a memo's line break,
    // else a button's click, else the next control of the Enter order.
    void pressEnter();
    // Types one key at a time into whichever control has the focus at that
    // key (a handler may move the focus between two keys).
    void typeText(const QString& chars);
    // The operator moves the focus (Tab or mouse).
    void moveFocusTo(Control& to);
    // Runs a piece of the form's work under the general error handler.
    void run(const std::function<void()>& work);

    // --- lifecycle -------------------------------------------------------------
    std::function<void()> onShow;      // each time the form is shown
    std::function<void()> onActivate;  // the form became the active window
    std::function<void()> onRedraw;    // the form was uncovered/redrawn
    std::function<void()> onClose;     // the form is closing
    std::function<void()> onClick;     // a click on the form's background

    void clickBackground();            // operator

    // Called by the shell/renderer; run the handlers under the error handler.
    void shown();
    void activated();
    void redrawn();

    // The form closes itself ("Close"): a dialog ends with modalResult
    // (Cancel when none was set), a child window is destroyed.
    void close();
    ModalResult modalResult = ModalResult::None;
    bool isClosing() const { return closing_; }
    // Called by the shell once the form is really gone from the screen.
    void closed();

    void setView(FormView* v) { view_ = v; }
    FormView* view() const { return view_; }

private:
    friend class Control;
    void registerControl(Control* c) { controls_.push_back(c); }
    void unregisterControl(Control* c);

    Shell& shell_;
    QString className_;
    QString caption_;
    Kind kind_;
    Box layout_{Box::Kind::Column};
    std::vector<Control*> controls_;
    std::vector<Control*> enterOrder_;
    Control* focused_ = nullptr;
    Control* destination_ = nullptr;
    Control* redirect_ = nullptr;   // where an exit handler sent the focus
    bool inExit_ = false;
    bool closing_ = false;
    FormView* view_ = nullptr;
};

// Shows an error that no handler caught, as the general error handler does.
void showUnhandledError(Shell& shell, const std::exception& e);

}  // namespace kit
