#include "kit/compound_file.h"

#include <QByteArray>
#include <QtEndian>
#include <cstring>
#include <vector>

namespace kit {

namespace {

constexpr quint32 kFreeSect = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFatSect = 0xFFFFFFFD;
constexpr quint32 kDifSect = 0xFFFFFFFC;
constexpr quint32 kNoStream = 0xFFFFFFFF;
constexpr quint32 kEntriesPerSector = 128;      // 4-byte sector numbers in a 512-byte sector
constexpr quint32 kHeaderDifatEntries = 109;
constexpr quint32 kDifatEntriesPerSector = 127; // the last one links to the next DIFAT sector

void put16(QByteArray& b, qsizetype at, quint16 v) { qToLittleEndian(v, b.data() + at); }
void put32(QByteArray& b, qsizetype at, quint32 v) { qToLittleEndian(v, b.data() + at); }
void put64(QByteArray& b, qsizetype at, quint64 v) { qToLittleEndian(v, b.data() + at); }

quint64 ceilDiv(quint64 a, quint64 b) { return (a + b - 1) / b; }

// A 128-byte directory entry; an empty name gives an unused entry.
QByteArray directoryEntry(const QString& name, quint8 type, quint32 child, quint32 start, quint64 size) {
    QByteArray e(128, '\0');
    if (!name.isEmpty()) {
        const QString n = name.left(31);
        for (qsizetype i = 0; i < n.size(); ++i) put16(e, 2 * i, n[i].unicode());
        put16(e, 64, quint16((n.size() + 1) * 2));
        e[66] = char(type);
        e[67] = 1;   // black: the tree has one node per level
    }
    put32(e, 68, kNoStream);   // left sibling
    put32(e, 72, kNoStream);   // right sibling
    put32(e, 76, child);
    put32(e, 116, start);
    put64(e, 120, size);
    return e;
}

}  // namespace

CompoundFileWriter::CompoundFileWriter(ExportFile& file, QString streamName)
    : file_(file), streamName_(std::move(streamName)) {
    file_.write(QByteArray(qsizetype(kSectorSize), '\0'));   // the header comes last
}

void CompoundFileWriter::finish() {
    if (streamSize() < kMiniStreamCutoff) file_.write(QByteArray(qsizetype(kMiniStreamCutoff - streamSize()), '\0'));
    const quint64 size = streamSize();
    if (size > 0x7FFFFFFFu) throw ExportError(file_.path(), QStringLiteral("文件超过 2 GB"));
    if (size % kSectorSize) file_.write(QByteArray(qsizetype(kSectorSize - size % kSectorSize), '\0'));

    // Sectors: the stream, one directory sector, the FAT, the DIFAT.
    const quint32 streamSectors = quint32(ceilDiv(size, kSectorSize));
    const quint32 dirSector = streamSectors;
    quint32 fatSectors = 1, difatSectors = 0;
    for (;;) {
        const quint32 total = streamSectors + 1 + fatSectors + difatSectors;
        const quint32 fat = quint32(ceilDiv(total, kEntriesPerSector));
        const quint32 difat =
            fat > kHeaderDifatEntries ? quint32(ceilDiv(fat - kHeaderDifatEntries, kDifatEntriesPerSector)) : 0;
        if (fat == fatSectors && difat == difatSectors) break;
        fatSectors = fat;
        difatSectors = difat;
    }
    const quint32 fatStart = dirSector + 1;
    const quint32 difatStart = fatStart + fatSectors;

    QByteArray dir;
    dir += directoryEntry(QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    dir += directoryEntry(streamName_, 2, kNoStream, 0, size);
    dir += directoryEntry(QString(), 0, kNoStream, 0, 0);
    dir += directoryEntry(QString(), 0, kNoStream, 0, 0);
    file_.write(dir);

    QByteArray sector(qsizetype(kSectorSize), '\0');
    for (quint32 f = 0; f < fatSectors; ++f) {
        for (quint32 k = 0; k < kEntriesPerSector; ++k) {
            const quint32 s = f * kEntriesPerSector + k;
            quint32 next = kFreeSect;
            if (s + 1 < streamSectors) next = s + 1;
            else if (s + 1 == streamSectors || s == dirSector) next = kEndOfChain;
            else if (s >= fatStart && s < difatStart) next = kFatSect;
            else if (s >= difatStart && s < difatStart + difatSectors) next = kDifSect;
            put32(sector, 4 * k, next);
        }
        file_.write(sector);
    }
    for (quint32 d = 0; d < difatSectors; ++d) {
        for (quint32 k = 0; k < kDifatEntriesPerSector; ++k) {
            const quint32 f = kHeaderDifatEntries + d * kDifatEntriesPerSector + k;
            put32(sector, 4 * k, f < fatSectors ? fatStart + f : kFreeSect);
        }
        put32(sector, 4 * kDifatEntriesPerSector, d + 1 < difatSectors ? difatStart + d + 1 : kEndOfChain);
        file_.write(sector);
    }

    QByteArray header(qsizetype(kSectorSize), '\0');
    const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    std::memcpy(header.data(), signature, 8);
    put16(header, 24, 0x003E);   // minor version
    put16(header, 26, 0x0003);   // major version
    put16(header, 28, 0xFFFE);   // little-endian
    put16(header, 30, 9);        // 512-byte sectors
    put16(header, 32, 6);        // 64-byte mini sectors
    put32(header, 44, fatSectors);
    put32(header, 48, dirSector);
    put32(header, 56, quint32(kMiniStreamCutoff));
    put32(header, 60, kEndOfChain);   // no mini FAT
    put32(header, 68, difatSectors ? difatStart : kEndOfChain);
    put32(header, 72, difatSectors);
    for (quint32 k = 0; k < kHeaderDifatEntries; ++k)
        put32(header, 76 + 4 * k, k < fatSectors ? fatStart + k : kFreeSect);
    file_.patch(0, header);
}

}  // namespace kit
