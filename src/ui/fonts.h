#pragma once
// The Chinese faces of the program. Fontconfig on the target machine maps
// Chinese sans-serif to a Song face and the Windows face names to a Latin
// face, so the program names its faces itself.

#include <QFont>
#include <QString>

namespace ui {

// The Hei (sans) face used for the whole user interface.
QString heiFamily();
// The Song (serif) face used for receipt bodies.
QString songFamily();

// Substitutes the Windows face names (黑体, 宋体, 华文行楷, SimHei, SimSun)
// by the installed faces and makes the Hei face the application font.
// Call once, after the QApplication exists.
void installFonts();

// A font of the given family name as the screens and reports name it
// (黑体, 宋体, ...), with a pixel or point size.
QFont namedFont(const QString& family, int pointSize = 0, bool bold = false);

}  // namespace ui
