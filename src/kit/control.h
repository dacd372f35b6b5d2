#pragma once
// The base of every control: name, visibility, enabled state, focus events,
// and the one hook through which a renderer follows state changes.

#include "kit/types.h"

#include <QString>
#include <functional>

namespace kit {

class Form;

class Control {
public:
    Control(Form& form, QString name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& name() const { return name_; }
    Form& form() const { return form_; }

    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    const QString& hint() const { return hint_; }
    void setHint(const QString& h);
    const Style& style() const { return style_; }
    void setStyle(const Style& s);

    // Whether the control can hold the focus at all (labels and boxes cannot).
    virtual bool focusable() const { return true; }
    // Focusable, visible and enabled.
    bool canFocus() const;
    bool focused() const;
    // Programmatic focus (the screen's own "SetFocus"); ignored when the
    // control cannot take it. Exit handlers of the old control run.
    bool setFocus();

    // Enter while focused. When set it replaces the form's Enter order.
    std::function<void()> onEnter;
    // The focus is leaving; Form::focusDestination() says where it goes.
    std::function<void()> onExit;
    // The focus arrived.
    std::function<void()> onFocus;

    // Renderer hook: called after any state change of this control.
    std::function<void()> observer;

protected:
    void changed();

private:
    Form& form_;
    QString name_;
    bool visible_ = true;
    bool enabled_ = true;
    QString hint_;
    Style style_;
};

}  // namespace kit
