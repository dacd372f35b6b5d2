// Plain text: one line per row, cells separated by tabs.

#include "kit/export.h"
#include "kit/export_file.h"

namespace kit {

namespace {

// Tabs and line breaks (CRLF counts as one) become one space each.
void appendFlat(QString& line, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) continue;
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) line += QLatin1Char(' ');
        else line += c;
    }
}

}  // namespace

void writeSeparatedLines(const ExportTable& table, const QString& path, QChar separator,
                         void (*appendCell)(QString& line, const QString& text)) {
    ExportFile out(path);
    out.write(kUtf8Bom);
    const int cols = int(table.titles.size());
    QString line;
    auto writeRow = [&](const auto& cellText) {
        line.clear();
        for (int c = 0; c < cols; ++c) {
            if (c) line += separator;
            appendCell(line, cellText(c));
        }
        line += QLatin1String("\r\n");
        out.write(line.toUtf8());
    };
    writeRow([&](int c) { return table.titles[c]; });
    for (qsizetype r = 0; r < table.rows; ++r) writeRow([&](int c) { return table.cell(r, c); });
    out.commit();
}

void writeTextFile(const ExportTable& table, const QString& path) {
    writeSeparatedLines(table, path, QLatin1Char('\t'), appendFlat);
}

}  // namespace kit
