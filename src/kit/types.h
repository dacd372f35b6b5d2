#pragma once
// Small shared types of the form library.

#include <QChar>
#include <QString>

namespace kit {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class ModalResult { None, Ok, Cancel };

enum class Align { Left, Center, Right };

enum class KeyFilter {
    Any,
    Numeric,        // digits, "." and control keys
    SignedNumeric,  // as Numeric, plus "-"
};

// True when the key filter lets the typed character through.
bool keyAccepted(KeyFilter filter, QChar ch);


// Appearance hints that the screens give; the renderer honours them.
struct Style {
    QString color;        // text colour, a name such as "red", "blue", "navy"; empty = default
    QString background;   // background colour name; empty = default
    bool bold = false;
    int pointSize = 0;    // 0 = default size
    Align align = Align::Left;
};

// The product title: the application title, the caption of the general error message.
inline const QString kProductTitle = QStringLiteral("Korvana");

}  // namespace kit
