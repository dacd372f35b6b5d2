#pragma once
// Applies a control's appearance hints (colours, bold, size, alignment).

#include "kit/types.h"

#include <QColor>
#include <Qt>

class QWidget;

namespace ui {

// A colour by name ("red", "navy", "maroon", "#ff0000", "clBlue"); invalid
// when the name is empty or unknown.
QColor colorByName(const QString& name);

Qt::Alignment alignment(kit::Align align);

// Text colour, background, bold and size on the widget's palette and font.
void applyStyle(QWidget* widget, const kit::Style& style);

}  // namespace ui
