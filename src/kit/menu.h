#pragma once
// Menus and tool buttons of the main frame. A tool button acts by clicking
// its menu item, and a disabled item ignores clicks made by the program.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace kit {

class MenuItem {
public:
    explicit MenuItem(QString caption) : caption_(std::move(caption)) {}

    const QString& caption() const { return caption_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    bool isSeparator() const { return caption_ == QStringLiteral("-"); }

    MenuItem& add(const QString& caption);   // a sub-item; "-" is a separator
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
    MenuItem* find(const QString& caption) const;   // direct sub-item by caption

    // The operator or the program clicks the item: nothing when disabled.
    void click();

    std::function<void()> onClick;
    std::function<void()> observer;   // renderer hook

private:
    QString caption_;
    bool enabled_ = true;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

// A toolbar button. Most act by clicking a menu item (and so do nothing
// when that item is disabled); a few have an action of their own. The login
// gates a button together with its menu item.
class ToolButton {
public:
    ToolButton(QString caption, MenuItem* item, bool gapAfter)
        : caption_(std::move(caption)), item_(item), gapAfter_(gapAfter) {}

    const QString& caption() const { return caption_; }
    MenuItem* item() const { return item_; }
    bool gapAfter() const { return gapAfter_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);

    // Nothing when the button is disabled; otherwise clicks its menu item
    // (which does nothing when disabled) or runs its own action.
    void click();

    std::function<void()> action;     // for buttons without a menu item
    std::function<void()> observer;   // renderer hook

private:
    QString caption_;
    MenuItem* item_;
    bool gapAfter_;
    bool enabled_ = true;
};

}  // namespace kit
