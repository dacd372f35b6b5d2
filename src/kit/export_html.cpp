// An HTML page holding one table: a title row, then one row per table row.

#include "kit/export.h"
#include "kit/export_file.h"

#include <QFileInfo>

namespace kit {

namespace {

// Escapes & < > " and turns line breaks (CRLF, CR or LF) into <br>.
void appendEscaped(QString& out, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            out += QLatin1String("<br>");
            break;
        case '\n': out += QLatin1String("<br>"); break;
        default: out += c;
        }
    }
}

}  // namespace

void writeHtmlFile(const ExportTable& table, const QString& path) {
    ExportFile out(path);
    QString head = QStringLiteral(
        "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n<title>");
    appendEscaped(head, QFileInfo(path).completeBaseName());
    head += QStringLiteral("</title>\r\n</head>\r\n<body>\r\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\r\n");
    out.write(head.toUtf8());

    const int cols = int(table.titles.size());
    QString line;
    auto writeRow = [&](QLatin1String tag, const auto& cellText) {
        line = QStringLiteral("<tr>");
        for (int c = 0; c < cols; ++c) {
            line += QLatin1Char('<') + tag + QLatin1Char('>');
            appendEscaped(line, cellText(c));
            line += QLatin1String("</") + tag + QLatin1Char('>');
        }
        line += QLatin1String("</tr>\r\n");
        out.write(line.toUtf8());
    };
    writeRow(QLatin1String("th"), [&](int c) { return table.titles[c]; });
    for (qsizetype r = 0; r < table.rows; ++r)
        writeRow(QLatin1String("td"), [&](int c) { return table.cell(r, c); });
    out.write("</table>\r\n</body>\r\n</html>\r\n");
    out.commit();
}

}  // namespace kit
