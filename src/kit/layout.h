#pragma once
// How a form arranges its controls, described once by the form and read by
// the renderer: nested boxes of controls, labelled fields, group boxes and
// tab pages. Positions in pixels are never given; the renderer lays out.

#include "kit/control.h"

#include <QString>
#include <memory>
#include <variant>
#include <vector>

namespace kit {

class Box {
public:
    enum class Kind {
        Column,  // top to bottom
        Row,     // left to right
        Fields,  // rows of "caption  control"
    };

    struct Item {
        enum class Type { Control, Box, Stretch, Text };
        Type type = Type::Control;
        Control* control = nullptr;          // Control
        std::unique_ptr<Box> box;            // Box
        QString caption;                     // Fields caption, or the Text itself
        Style style;                         // for a Text item or a field caption
    };

    explicit Box(Kind kind) : kind_(kind) {}
    Kind kind() const { return kind_; }

    // Adds a control; in a Fields box with the caption beside it.
    Box& add(Control& control, const QString& caption = {}, Style captionStyle = {});
    // Adds a fixed text (a caption that the program never changes).
    Box& text(const QString& text, Style style = {});
    // Adds a nested box and returns it.
    Box& box(Kind kind);
    // Adds stretchable space.
    Box& stretch();

    const std::vector<Item>& items() const { return items_; }

private:
    Kind kind_;
    std::vector<Item> items_;
};

// A framed group with a caption holding its own box.
class GroupBox : public Control {
public:
    GroupBox(Form& form, QString name, QString caption, Box::Kind kind = Box::Kind::Column);
    bool focusable() const override { return false; }
    const QString& caption() const { return caption_; }
    Box& content() { return content_; }
    const Box& content() const { return content_; }

private:
    QString caption_;
    Box content_;
};

// Tab pages, each with a caption and a box.
class TabPages : public Control {
public:
    TabPages(Form& form, QString name);
    bool focusable() const override { return false; }
    Box& addPage(const QString& caption, Box::Kind kind = Box::Kind::Column);
    int pageCount() const { return int(pages_.size()); }
    const QString& pageCaption(int i) const { return pages_[i].caption; }
    const Box& page(int i) const { return *pages_[i].box; }
    int currentIndex() const { return current_; }
    void setCurrentIndex(int i);   // fires onChange when it changes

    std::function<void()> onChange;

private:
    struct Page {
        QString caption;
        std::unique_ptr<Box> box;
    };
    std::vector<Page> pages_;
    int current_ = 0;
};

}  // namespace kit
