#include "kit/export.h"

#include "kit/export_file.h"

#include <cstring>

namespace kit {

namespace {
constexpr qsizetype kFlushSize = 1 << 20;
}

ExportFile::ExportFile(const QString& path) : path_(path), file_(path) {
    if (!file_.open(QIODevice::WriteOnly)) fail();
    buffer_.reserve(kFlushSize + 64 * 1024);
}

void ExportFile::write(QByteArrayView bytes) {
    buffer_.append(bytes.data(), bytes.size());
    if (buffer_.size() >= kFlushSize) flush();
}

void ExportFile::flush() {
    if (buffer_.isEmpty()) return;
    if (file_.write(buffer_) != buffer_.size()) fail();
    flushed_ += quint64(buffer_.size());
    buffer_.clear();
}

void ExportFile::patch(quint64 at, QByteArrayView bytes) {
    if (at >= flushed_ && at + quint64(bytes.size()) <= pos()) {
        std::memcpy(buffer_.data() + (at - flushed_), bytes.data(), size_t(bytes.size()));
        return;
    }
    flush();
    if (!file_.seek(qint64(at)) || file_.write(bytes.data(), bytes.size()) != bytes.size() ||
        !file_.seek(qint64(flushed_)))
        fail();
}

void ExportFile::commit() {
    flush();
    if (!file_.commit()) fail();
}

void ExportFile::fail() {
    const QString reason = file_.errorString();
    file_.cancelWriting();
    throw ExportError(path_, reason);
}

void writeExportFile(ExportFormat format, const ExportTable& table, const QString& path) {
    switch (format) {
    case ExportFormat::Text: return writeTextFile(table, path);
    case ExportFormat::Csv: return writeCsvFile(table, path);
    case ExportFormat::Html: return writeHtmlFile(table, path);
    case ExportFormat::Rtf: return writeRtfFile(table, path);
    case ExportFormat::Xls: return writeXlsFile(table, path);
    }
}

ExportFormat exportFormatForType(int typeIndex) {
    if (typeIndex < 0 || typeIndex > int(ExportFormat::Xls)) return ExportFormat::Xls;
    return ExportFormat(typeIndex);
}

QString exportExtension(ExportFormat format) {
    switch (format) {
    case ExportFormat::Text: return QStringLiteral("txt");
    case ExportFormat::Csv: return QStringLiteral("csv");
    case ExportFormat::Html: return QStringLiteral("htm");
    case ExportFormat::Rtf: return QStringLiteral("rtf");
    case ExportFormat::Xls: return QStringLiteral("xls");
    }
    return {};
}

QString withExportExtension(const QString& name, int typeIndex) {
    const QString ext = exportExtension(exportFormatForType(typeIndex));
    if (name.right(3).compare(ext, Qt::CaseInsensitive) == 0) return name;
    return name + QLatin1Char('.') + ext;
}

}  // namespace kit
