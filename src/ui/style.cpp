#include "ui/style.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace ui {

QColor colorByName(const QString& name) {
    QString n = name.trimmed();
    if (n.isEmpty()) return {};
    if (n.startsWith(QLatin1String("cl"), Qt::CaseSensitive) && n.size() > 2 && n[2].isUpper())
        n = n.mid(2);   // the old library's colour constants: clRed, clNavy
    QColor c = QColor::fromString(n.toLower());
    return c.isValid() ? c : QColor();
}

Qt::Alignment alignment(kit::Align align) {
    switch (align) {
    case kit::Align::Left: return Qt::AlignLeft | Qt::AlignVCenter;
    case kit::Align::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case kit::Align::Right: return Qt::AlignRight | Qt::AlignVCenter;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

void applyStyle(QWidget* widget, const kit::Style& style) {
    // Only the roles and font attributes the style names are set; the rest
    // stays inherited from the parent.
    QPalette pal;
    const QColor fg = colorByName(style.color);
    if (fg.isValid()) {
        pal.setColor(QPalette::WindowText, fg);
        pal.setColor(QPalette::Text, fg);
        pal.setColor(QPalette::ButtonText, fg);
    }
    const QColor bg = colorByName(style.background);
    if (bg.isValid()) {
        pal.setColor(QPalette::Window, bg);
        pal.setColor(QPalette::Base, bg);
        pal.setColor(QPalette::Button, bg);
    }
    widget->setAutoFillBackground(bg.isValid());
    widget->setPalette(pal);

    QFont font;
    font.setResolveMask(0);
    if (style.bold) font.setBold(true);
    if (style.pointSize > 0) font.setPointSize(style.pointSize);
    widget->setFont(font);
}

}  // namespace ui
