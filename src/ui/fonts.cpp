#include "ui/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

namespace ui {

namespace {

// The first installed family of the list, else the first of the list.
QString firstInstalled(const QStringList& candidates) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& c : candidates)
        if (installed.contains(c, Qt::CaseInsensitive)) return c;
    return candidates.first();
}

}  // namespace

QString heiFamily() {
    static const QString family = firstInstalled({QStringLiteral("WenQuanYi Micro Hei"),
                                                  QStringLiteral("Noto Sans CJK SC"),
                                                  QStringLiteral("AR PL SungtiL GB")});
    return family;
}

QString songFamily() {
    static const QString family = firstInstalled({QStringLiteral("AR PL SungtiL GB"),
                                                  QStringLiteral("Noto Serif CJK SC"),
                                                  QStringLiteral("WenQuanYi Micro Hei")});
    return family;
}

void installFonts() {
    const QString hei = heiFamily();
    const QString song = songFamily();
    // Each face falls back on the other for characters it lacks.
    const QStringList heiFirst{hei, song};
    const QStringList songFirst{song, hei};
    for (const char* name : {"黑体", "SimHei", "微软雅黑", "Microsoft YaHei", "MS Sans Serif", "Tahoma"})
        QFont::insertSubstitutions(QString::fromUtf8(name), heiFirst);
    for (const char* name : {"宋体", "SimSun", "新宋体", "NSimSun", "华文行楷", "STXingkai", "楷体", "KaiTi"})
        QFont::insertSubstitutions(QString::fromUtf8(name), songFirst);

    QFont font(hei);
    font.setFamilies({hei, song});
    font.setPointSize(10);
    QApplication::setFont(font);
}

QFont namedFont(const QString& family, int pointSize, bool bold) {
    QFont font(family);
    // Name the substitutes explicitly too: a family the database does not
    // know must never fall back to a face without Chinese characters.
    QStringList families{family};
    families << QFont::substitutes(family);
    if (!families.contains(heiFamily())) families << heiFamily();
    font.setFamilies(families);
    if (pointSize > 0) font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace ui
