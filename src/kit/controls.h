#pragma once
// The simple controls: label, edit, combo box, check box, radio group,
// button, date picker, picture box.
//
// Setting state from code behaves as the screens expect of the old form
// library: a new edit text, check state, radio choice or date fires the
// change/click handler; a combo box's text or index set from code does not.
// The operator's own actions (typing, choosing, clicking) are separate
// methods, used by the renderer and by tests alike; they run the handlers
// under the form's general error handler. Setters and performClick don't:
// an error there belongs to the handler that called them.

#include "kit/control.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

namespace kit {

class Label : public Control {
public:
    Label(Form& form, QString name, QString text = {});
    bool focusable() const override { return false; }
    const QString& text() const { return text_; }
    void setText(const QString& t);

    void click();   // operator clicks the text
    std::function<void()> onClick;

private:
    QString text_;
};

class Edit : public Control {
public:
    Edit(Form& form, QString name);

    const QString& text() const { return text_; }
    void setText(const QString& t);   // fires onChange when the text changes
    void clear() { setText(QString()); }

    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool r);
    bool masked() const { return masked_; }            // shown as "*"
    void setMasked(bool m);
    bool multiLine() const { return multiLine_; }      // a memo: Enter types a line break
    void setMultiLine(bool m);
    KeyFilter keyFilter() const { return keyFilter_; }
    void setKeyFilter(KeyFilter f) { keyFilter_ = f; }

    // Whole text selected (typing replaces it).
    bool allSelected() const { return allSelected_; }
    void selectAll();

    // Operator: types characters at the end (or over a whole selection);
    // "\b" is Backspace. Each character passes the key filter and
    // onKeyPress (which may change it or set it to 0 to discard it), then
    // fires onChange.
    void type(const QString& chars);
    // Operator: the renderer reports a text edited in place (paste, delete).
    void userEdited(const QString& newText);

    std::function<void()> onChange;
    std::function<void(QChar&)> onKeyPress;

private:
    void typeOne(QChar ch);

    QString text_;
    bool readOnly_ = false;
    bool masked_ = false;
    bool multiLine_ = false;
    bool allSelected_ = false;
    KeyFilter keyFilter_ = KeyFilter::Any;
};

class ComboBox : public Control {
public:
    ComboBox(Form& form, QString name);

    const QStringList& items() const { return items_; }
    void setItems(const QStringList& items);   // keeps the text, index -1
    void clearItems() { setItems({}); }
    void addItem(const QString& item);
    int itemIndex() const { return index_; }
    void setItemIndex(int i);                  // also sets the text; no onChange
    const QString& text() const { return text_; }
    void setText(const QString& t);            // index follows an exact match; no onChange
    bool editable() const { return editable_; } // false: choose from the list only
    void setEditable(bool e);

    bool allSelected() const { return allSelected_; }
    void selectAll();

    // Operator actions; each fires onChange.
    void choose(int index);
    void type(const QString& chars);
    void userEdited(const QString& newText);
    // Operator opens the drop-down list: onDropDown may refill it first.
    void dropDown();

    std::function<void()> onChange;
    std::function<void()> onSelect;     // an item was chosen from the list (after onChange)
    std::function<void()> onDropDown;
    std::function<void(QChar&)> onKeyPress;
    KeyFilter keyFilter = KeyFilter::Any;

private:
    QStringList items_;
    int index_ = -1;
    QString text_;
    bool editable_ = true;
    bool allSelected_ = false;
};

class CheckBox : public Control {
public:
    CheckBox(Form& form, QString name, QString caption);
    const QString& caption() const { return caption_; }
    void setCaption(const QString& c);
    bool checked() const { return checked_; }
    void setChecked(bool c);   // fires onClick when the state changes
    void click();              // operator: toggles

    std::function<void()> onClick;

private:
    QString caption_;
    bool checked_ = false;
};

class RadioGroup : public Control {
public:
    RadioGroup(Form& form, QString name, QString caption, QStringList items, int columns = 1);
    const QString& caption() const { return caption_; }
    const QStringList& items() const { return items_; }
    int columns() const { return columns_; }
    int itemIndex() const { return index_; }
    void setItemIndex(int i);  // fires onClick when the choice changes
    void choose(int i);        // operator

    std::function<void()> onClick;

private:
    QString caption_;
    QStringList items_;
    int columns_;
    int index_ = -1;
};

class Button : public Control {
public:
    Button(Form& form, QString name, QString caption);
    const QString& caption() const { return caption_; }
    void setCaption(const QString& c);
    // A dialog's button may end the dialog with a result after its click.
    ModalResult modalResult = ModalResult::None;
    // Buttons that take the focus when clicked (most do; tool buttons don't).
    bool takesFocus = true;
    bool focusable() const override { return takesFocus; }

    // Operator: moves the focus here first (exit handlers run), then fires
    // onClick when the button is still enabled and visible and the field
    // that was left let the focus go.
    void click();
    // The program clicks it (no focus change); ignored when disabled.
    void performClick();

    std::function<void()> onClick;

private:
    QString caption_;
};

class DatePicker : public Control {
public:
    DatePicker(Form& form, QString name);
    QDate date() const { return date_; }
    void setDate(const QDate& d);   // fires onChange when the date changes
    void pick(const QDate& d);      // operator

    std::function<void()> onChange;

private:
    QDate date_ = QDate::currentDate();
};

// Shows a picture file stretched to the box. The box is hidden, without a
// message, when the path is empty or the file cannot be loaded.
class PictureBox : public Control {
public:
    PictureBox(Form& form, QString name);
    bool focusable() const override { return false; }
    const QString& path() const { return path_; }
    // Loads through the shell; returns whether the picture loaded.
    bool load(const QString& path);
    void clear();

    void click();   // operator clicks the picture
    std::function<void()> onClick;

private:
    QString path_;
};

}  // namespace kit
