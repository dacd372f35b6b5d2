#pragma once
// Factories of the control bindings, one per control kind (internal).

#include "ui/formwidget.h"

#include <memory>

class QWidget;

namespace kit {
class Label;
class Edit;
class ComboBox;
class CheckBox;
class RadioGroup;
class Button;
class DatePicker;
class PictureBox;
class DataGrid;
class StringGrid;
}

namespace ui {

std::unique_ptr<ControlBinding> bindLabel(FormWidget& owner, kit::Label& c, QWidget* parent);
std::unique_ptr<ControlBinding> bindEdit(FormWidget& owner, kit::Edit& c, QWidget* parent);
std::unique_ptr<ControlBinding> bindComboBox(FormWidget& owner, kit::ComboBox& c, QWidget* parent);
std::unique_ptr<ControlBinding> bindCheckBox(FormWidget& owner, kit::CheckBox& c, QWidget* parent);
std::unique_ptr<ControlBinding> bindRadioGroup(FormWidget& owner, kit::RadioGroup& c, QWidget* parent);
std::unique_ptr<ControlBinding> bindButton(FormWidget& owner, kit::Button& c, QWidget* parent);
std::unique_ptr<ControlBinding> bindDatePicker(FormWidget& owner, kit::DatePicker& c, QWidget* parent);
std::unique_ptr<ControlBinding> bindPictureBox(FormWidget& owner, kit::PictureBox& c, QWidget* parent);
std::unique_ptr<ControlBinding> bindDataGrid(FormWidget& owner, kit::DataGrid& c, QWidget* parent);
std::unique_ptr<ControlBinding> bindStringGrid(FormWidget& owner, kit::StringGrid& c, QWidget* parent);

// Where a typed key lands in a one-line editor: at the end of the text (or
// over the whole text), which the kit types itself, or inside it.
enum class TypingPlace { End, Whole, Inside };
TypingPlace typingPlace(int cursor, int selectionStart, int selectionLength, int textLength);

}  // namespace ui
