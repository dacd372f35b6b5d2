#pragma once
// Writes an OLE2 compound file (version 3, 512-byte sectors) holding one
// stream under the root storage, as Excel 97-2003 workbooks are stored. The
// stream is written straight to the file behind a placeholder header; the
// allocation tables, the directory and the header follow when it is done.
// The stream is padded to at least 4,096 bytes so that it lives in regular
// sectors and no mini stream is needed. Any size up to 2 GB is handled: the
// FAT spans as many sectors as it needs, listed beyond the header's 109
// entries in DIFAT sectors.

#include "kit/export_file.h"

#include <QByteArrayView>
#include <QString>

namespace kit {

class CompoundFileWriter {
public:
    CompoundFileWriter(ExportFile& file, QString streamName);

    // Bytes of the stream written so far.
    quint64 streamSize() const { return file_.pos() - kSectorSize; }
    void write(QByteArrayView bytes) { file_.write(bytes); }
    // Overwrites bytes of the stream written earlier.
    void patch(quint64 streamPos, QByteArrayView bytes) { file_.patch(kSectorSize + streamPos, bytes); }
    // Ends the stream and writes the structures that describe it.
    void finish();

    static constexpr quint64 kSectorSize = 512;
    static constexpr quint64 kMiniStreamCutoff = 4096;

private:
    ExportFile& file_;
    QString streamName_;
};

}  // namespace kit
