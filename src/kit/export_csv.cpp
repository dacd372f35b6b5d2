// Comma-separated values as RFC 4180 describes them.

#include "kit/export.h"
#include "kit/export_file.h"

namespace kit {

namespace {

void appendField(QString& line, const QString& text) {
    const bool quoted = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    if (!quoted) {
        line += text;
        return;
    }
    line += QLatin1Char('"');
    for (QChar c : text) {
        if (c == QLatin1Char('"')) line += QLatin1Char('"');
        line += c;
    }
    line += QLatin1Char('"');
}

}  // namespace

void writeCsvFile(const ExportTable& table, const QString& path) {
    ExportFile out(path);
    out.write(kUtf8Bom);
    const int cols = int(table.titles.size());
    QString line;
    auto writeRow = [&](const auto& cellText) {
        line.clear();
        for (int c = 0; c < cols; ++c) {
            if (c) line += QLatin1Char(',');
            appendField(line, cellText(c));
        }
        line += QLatin1String("\r\n");
        out.write(line.toUtf8());
    };
    writeRow([&](int c) { return table.titles[c]; });
    for (qsizetype r = 0; r < table.rows; ++r) writeRow([&](int c) { return table.cell(r, c); });
    out.commit();
}

}  // namespace kit
