#pragma once
// Writers that put a table of texts into a file: plain text, CSV, an HTML
// table, an RTF table or an Excel 97-2003 workbook. The table is read
// through callbacks, so a list of a million rows is written without a copy.
//
// Every writer writes to a temporary file beside the target and renames it
// at the end: on any failure (unwritable folder, disk full, an error while
// reading the rows) the target is left as it was.

#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

namespace kit {

struct ExportTable {
    QStringList titles;   // one per column
    qsizetype rows = 0;
    std::function<QString(qsizetype row, int col)> cell;
};

// In the order of the export dialog's file types.
enum class ExportFormat { Text, Csv, Html, Rtf, Xls };

// The file could not be written; the target is unchanged.
class ExportError : public std::runtime_error {
public:
    ExportError(const QString& path, const QString& reason)
        : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString()), path_(path), reason_(reason) {}
    const QString& path() const { return path_; }
    const QString& reason() const { return reason_; }

private:
    QString path_;
    QString reason_;
};

// Tab-separated lines, UTF-8 with a byte order mark, CRLF line ends. Tabs and
// line breaks inside a cell become one space each, so a row stays one line.
void writeTextFile(const ExportTable& table, const QString& path);
// Comma-separated values (RFC 4180): a field holding a comma, a quote, CR or
// LF is quoted and its quotes doubled. UTF-8 with a byte order mark, CRLF.
void writeCsvFile(const ExportTable& table, const QString& path);
// One HTML table in UTF-8; line breaks inside a cell become <br>.
void writeHtmlFile(const ExportTable& table, const QString& path);
// One RTF table; every character outside ASCII is written as \uN?.
void writeRtfFile(const ExportTable& table, const QString& path);
// A BIFF8 workbook in an OLE2 compound file, every cell as text with a title
// row on each worksheet. A worksheet holds 65,536 rows; the rows that do not
// fit continue on further worksheets "Sheet2", "Sheet3", ... Texts longer
// than 32,767 characters (the cell limit of the format) are cut there.
void writeXlsFile(const ExportTable& table, const QString& path);

void writeExportFile(ExportFormat format, const ExportTable& table, const QString& path);

// The file type chosen in the export dialog (0..4); any other index is the
// workbook, the dialog's preselected type.
ExportFormat exportFormatForType(int typeIndex);
// "txt", "csv", "htm", "rtf" or "xls".
QString exportExtension(ExportFormat format);
// The chosen name with "." and the extension appended when its last three
// characters differ from the extension, compared without regard to case.
QString withExportExtension(const QString& name, int typeIndex);

}  // namespace kit
