#pragma once
// The output file of the export writers: buffered writes into a temporary
// file beside the target, renamed over it by commit(). Failures throw
// ExportError; a file not committed is discarded.

#include "kit/export.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

namespace kit {

class ExportFile {
public:
    explicit ExportFile(const QString& path);
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    void write(QByteArrayView bytes);
    void write(char c) { write(QByteArrayView(&c, 1)); }
    // Bytes written so far.
    quint64 pos() const { return flushed_ + quint64(buffer_.size()); }
    // Overwrites bytes written earlier.
    void patch(quint64 at, QByteArrayView bytes);
    void commit();

    const QString& path() const { return path_; }

private:
    void flush();
    [[noreturn]] void fail();

    QString path_;
    QSaveFile file_;
    QByteArray buffer_;
    quint64 flushed_ = 0;
};

// UTF-8 with its byte order mark, for the text formats.
inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// The rows of a table as UTF-8 lines (with a byte order mark) ended by CRLF,
// the title line first, cells joined by the separator; appendCell writes
// one cell the way the file type needs it.
void writeSeparatedLines(const ExportTable& table, const QString& path, QChar separator,
                         void (*appendCell)(QString& line, const QString& text));

}  // namespace kit
