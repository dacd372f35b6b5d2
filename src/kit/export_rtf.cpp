// An RTF document holding one table. The text is plain 7-bit ASCII: every
// other character is a Unicode escape \uN? (N a signed 16-bit code unit, so
// a character outside the BMP is two escapes), with "?" for old readers.

#include "kit/export.h"
#include "kit/export_file.h"

namespace kit {

namespace {

constexpr int kCellWidth = 1800;   // twips

void appendEscaped(QByteArray& out, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\r' || u == '\n') {
            if (u == '\r' && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            out += "\\line ";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x20) {
            // other control characters have no place in a cell
        } else if (u < 0x80) {
            out += char(u);
        } else {
            out += "\\u";
            out += QByteArray::number(int(qint16(u)));
            out += '?';
        }
    }
}

}  // namespace

void writeRtfFile(const ExportTable& table, const QString& path) {
    ExportFile out(path);
    out.write("{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1\r\n"
              "{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\r\n"
              "\\pard\\plain\\f0\\fs20\r\n");
    const int cols = int(table.titles.size());
    QByteArray rowStart = "\\trowd\\trgaph70\\trleft0";
    for (int c = 1; c <= cols; ++c) rowStart += "\\cellx" + QByteArray::number(c * kCellWidth);
    rowStart += "\r\n";

    QByteArray line;
    auto writeRow = [&](bool bold, const auto& cellText) {
        line = rowStart;
        for (int c = 0; c < cols; ++c) {
            line += bold ? "\\pard\\intbl\\b " : "\\pard\\intbl ";
            appendEscaped(line, cellText(c));
            line += bold ? "\\b0\\cell\r\n" : "\\cell\r\n";
        }
        line += "\\row\r\n";
        out.write(line);
    };
    if (cols > 0) {
        writeRow(true, [&](int c) { return table.titles[c]; });
        for (qsizetype r = 0; r < table.rows; ++r) writeRow(false, [&](int c) { return table.cell(r, c); });
    }
    out.write("\\pard\r\n}\r\n");
    out.commit();
}

}  // namespace kit
