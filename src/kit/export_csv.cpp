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
    writeSeparatedLines(table, path, QLatin1Char(','), appendField);
}

}  // namespace kit
