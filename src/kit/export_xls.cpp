// An Excel 97-2003 workbook (BIFF8) in a compound file's "Workbook" stream.
//
// The stream holds the workbook globals (code page, window, fonts, cell
// formats, the sheet list and the shared string table) followed by one
// substream per worksheet. Every cell is a reference into the shared string
// table (LABELSST) or, for an empty text, a blank cell (BLANK). Rows are grouped in
// blocks of 32 with a DBCELL record each, indexed by the INDEX record at the
// start of the worksheet, as Excel itself writes them.
//
// The table is read twice: once to collect the distinct texts, once to
// write the cells. Only the distinct texts are held in memory.
//
// The shared string table holds at most 1,048,576 texts, as many as common
// readers accept (FreeXL refuses more). Once it is full, a further text of
// up to 255 characters is written in its cell (a LABEL record); only longer
// ones still go into the table.

#include "kit/compound_file.h"
#include "kit/export.h"
#include "kit/export_file.h"

#include <QByteArray>
#include <QHashFunctions>
#include <QStringView>
#include <QtEndian>
#include <algorithm>
#include <stdexcept>
#include <vector>

namespace kit {

namespace {

// Record identifiers.
constexpr quint16 kEof = 0x000A;
constexpr quint16 kCodePage = 0x0042;
constexpr quint16 kWindow1 = 0x003D;
constexpr quint16 kFont = 0x0031;
constexpr quint16 kXf = 0x00E0;
constexpr quint16 kStyle = 0x0293;
constexpr quint16 kBoundSheet = 0x0085;
constexpr quint16 kSst = 0x00FC;
constexpr quint16 kContinue = 0x003C;
constexpr quint16 kExtSst = 0x00FF;
constexpr quint16 kBof = 0x0809;
constexpr quint16 kIndex = 0x020B;
constexpr quint16 kDefColWidth = 0x0055;
constexpr quint16 kDimensions = 0x0200;
constexpr quint16 kRow = 0x0208;
constexpr quint16 kLabelSst = 0x00FD;
constexpr quint16 kLabel = 0x0204;
constexpr quint16 kBlank = 0x0201;
constexpr quint16 kDbCell = 0x00D7;
constexpr quint16 kWindow2 = 0x023E;

constexpr qsizetype kMaxRecordData = 8224;
constexpr qsizetype kRowsPerSheet = 65536;
constexpr int kMaxColumns = 256;
constexpr qsizetype kMaxCellChars = 32767;
constexpr quint32 kMaxSharedStrings = 1u << 20;
constexpr qsizetype kMaxLabelChars = 255;
constexpr qsizetype kRowsPerBlock = 32;
constexpr quint16 kCellXf = 15;   // the default cell format
constexpr qsizetype kRowRecordSize = 4 + 16;

// Little-endian record data.
class Data {
public:
    Data& u8(quint8 v) { b_.append(char(v)); return *this; }
    Data& u16(quint16 v) { char x[2]; qToLittleEndian(v, x); b_.append(x, 2); return *this; }
    Data& u32(quint32 v) { char x[4]; qToLittleEndian(v, x); b_.append(x, 4); return *this; }
    Data& bytes(QByteArrayView v) { b_.append(v.data(), v.size()); return *this; }
    const QByteArray& data() const { return b_; }

private:
    QByteArray b_;
};

class BiffStream {
public:
    explicit BiffStream(CompoundFileWriter& out) : out_(out) {}
    quint64 pos() const { return out_.streamSize(); }
    void record(quint16 id, QByteArrayView data) {
        char head[4];
        qToLittleEndian(id, head);
        qToLittleEndian(quint16(data.size()), head + 2);
        out_.write(QByteArrayView(head, 4));
        out_.write(data);
    }
    void record(quint16 id, const Data& d) { record(id, QByteArrayView(d.data())); }
    void patch(quint64 at, QByteArrayView bytes) { out_.patch(at, bytes); }

private:
    CompoundFileWriter& out_;
};

// The distinct texts of the workbook, in order of first use, with a hash
// table of their indexes. The characters are kept in one block.
class SharedStrings {
public:
    SharedStrings() : slots_(1024, 0) {}

    quint32 add(QStringView s) {
        const quint32 h = quint32(qHash(s));
        qsizetype slot = find(s, h);
        if (slots_[slot]) return slots_[slot] - 1;
        if ((count() + 1) * 4 > quint64(slots_.size()) * 3) {
            grow();
            slot = find(s, h);
        }
        chars_.insert(chars_.end(), s.utf16(), s.utf16() + s.size());
        start_.push_back(chars_.size());
        hash_.push_back(h);
        slots_[slot] = count();
        return count() - 1;
    }
    // -1 when the text is not in the table.
    qint64 indexOf(QStringView s) const { return qint64(slots_[find(s, quint32(qHash(s)))]) - 1; }
    quint32 count() const { return quint32(hash_.size()); }
    QStringView at(quint32 i) const {
        return QStringView(chars_.data() + start_[i], qsizetype(start_[i + 1] - start_[i]));
    }

private:
    // The slot holding the text, or the empty slot where it belongs.
    qsizetype find(QStringView s, quint32 h) const {
        const qsizetype mask = qsizetype(slots_.size()) - 1;
        for (qsizetype i = h & mask;; i = (i + 1) & mask) {
            const quint32 v = slots_[i];
            if (!v || (hash_[v - 1] == h && at(v - 1) == s)) return i;
        }
    }
    void grow() {
        std::vector<quint32> bigger(slots_.size() * 2, 0);
        const qsizetype mask = qsizetype(bigger.size()) - 1;
        for (quint32 k = 0; k < count(); ++k) {
            qsizetype i = hash_[k] & mask;
            while (bigger[i]) i = (i + 1) & mask;
            bigger[i] = k + 1;
        }
        slots_.swap(bigger);
    }

    std::vector<char16_t> chars_;
    std::vector<std::size_t> start_{0};
    std::vector<quint32> hash_;
    std::vector<quint32> slots_;   // 0 = empty, otherwise index + 1
};

// The shared string table: an SST record continued by CONTINUE records.
// A string's header (length and option flags) never straddles two records,
// nor does a character; when the characters of a string go on in a CONTINUE
// record, it starts with the string's option flags again. Every dsst-th
// string's position is kept for the EXTSST record.
class SstWriter {
public:
    SstWriter(BiffStream& out, quint32 total, quint32 unique, quint16 dsst) : out_(out), dsst_(dsst) {
        begin(kSst);
        Data d;
        d.u32(total).u32(unique);
        rec_ += d.data();
    }

    void add(QStringView s) {
        const bool wide = std::any_of(s.begin(), s.end(), [](QChar c) { return c.unicode() > 0xFF; });
        const qsizetype charSize = wide ? 2 : 1;
        if (room() < 3 + (s.isEmpty() ? 0 : charSize)) next();
        if (written_++ % dsst_ == 0) buckets_.push_back({quint32(recPos_ + 4 + rec_.size()), quint16(4 + rec_.size())});
        const quint8 flags = wide ? 1 : 0;
        Data head;
        head.u16(quint16(s.size())).u8(flags);
        rec_ += head.data();
        for (qsizetype i = 0; i < s.size();) {
            qsizetype n = std::min(s.size() - i, room() / charSize);
            if (n == 0) {
                next();
                rec_ += char(flags);
                continue;
            }
            for (const qsizetype end = i + n; i < end; ++i) {
                const char16_t u = s[i].unicode();
                rec_ += char(u & 0xFF);
                if (wide) rec_ += char(u >> 8);
            }
        }
    }

    void finish() {
        out_.record(id_, QByteArrayView(rec_));
        Data ext;
        ext.u16(dsst_);
        for (const auto& [pos, offset] : buckets_) ext.u32(pos).u16(offset).u16(0);
        out_.record(kExtSst, ext);
    }

private:
    qsizetype room() const { return kMaxRecordData - rec_.size(); }
    void begin(quint16 id) {
        id_ = id;
        recPos_ = out_.pos();
        rec_.clear();
    }
    void next() {
        out_.record(id_, QByteArrayView(rec_));
        begin(kContinue);
    }

    BiffStream& out_;
    quint16 dsst_;
    quint16 id_ = kSst;
    quint64 recPos_ = 0;
    QByteArray rec_;
    quint32 written_ = 0;
    std::vector<std::pair<quint32, quint16>> buckets_;
};

QByteArray bof(quint16 type) {
    Data d;
    d.u16(0x0600).u16(type).u16(0x0DBB).u16(0x07CC).u32(0x00000041).u32(0x00000006);
    return d.data();
}

QByteArray font() {
    const QString name = QStringLiteral("宋体");
    Data d;
    d.u16(200)       // height: 10 points
        .u16(0)      // not italic, not struck out
        .u16(0x7FFF) // the window text colour
        .u16(400)    // normal weight
        .u16(0).u8(0).u8(0)
        .u8(134)     // GB2312 character set
        .u8(0)
        .u8(quint8(name.size())).u8(1);
    for (QChar c : name) d.u16(c.unicode());
    return d.data();
}

// Style formats 0-14 (0 is "Normal") and the default cell format 15.
QByteArray xf(bool style, bool normal) {
    Data d;
    d.u16(0).u16(0)
        .u16(style ? 0xFFF5 : 0x0001)   // locked; a style has no parent, a cell format's parent is "Normal"
        .u8(0x20)                       // bottom aligned
        .u8(0).u8(0)
        .u8(style && !normal ? 0xF4 : 0x00)
        .u32(0).u32(0)                  // no borders
        .u16(0x20C0);                   // default pattern colours
    return d.data();
}

// A text as a cell holds it: at most 32,767 characters, not ending inside
// a surrogate pair.
QString cellText(QString s) {
    if (s.size() > kMaxCellChars) s.truncate(s[kMaxCellChars - 1].isHighSurrogate() ? kMaxCellChars - 1 : kMaxCellChars);
    return s;
}

class Workbook {
public:
    Workbook(const ExportTable& table, BiffStream& out) : t_(table), out_(out), cols_(int(table.titles.size())) {
        // 65,535 data rows below the title row on each sheet; one sheet even without rows.
        sheets_ = std::max<qsizetype>(1, (t_.rows + kRowsPerSheet - 2) / (kRowsPerSheet - 1));
    }

    void write() {
        collectStrings();
        writeGlobals();
        for (qsizetype s = 0; s < sheets_; ++s) writeSheet(s);
    }

private:
    // The data rows of a worksheet; the title row comes first on each.
    qsizetype firstRow(qsizetype sheet) const { return sheet * (kRowsPerSheet - 1); }
    qsizetype rowsOn(qsizetype sheet) const { return std::min(t_.rows - firstRow(sheet), kRowsPerSheet - 1); }
    // The text of a cell; sheet row 0 is the title row.
    QString text(qsizetype sheet, qsizetype sheetRow, int col) const {
        return cellText(sheetRow == 0 ? t_.titles[col] : t_.cell(firstRow(sheet) + sheetRow - 1, col));
    }

    void collectStrings() {
        for (qsizetype s = 0; s < sheets_; ++s) {
            for (qsizetype r = 0; r <= rowsOn(s); ++r) {
                for (int c = 0; c < cols_; ++c) {
                    const QString v = text(s, r, c);
                    if (v.isEmpty()) continue;
                    if (strings_.count() < kMaxSharedStrings || v.size() > kMaxLabelChars) strings_.add(v);
                    else if (strings_.indexOf(v) < 0) continue;   // written in its cell
                    ++references_;
                }
            }
        }
    }

    void writeGlobals() {
        out_.record(kBof, bof(0x0005));
        out_.record(kCodePage, Data().u16(1200));
        out_.record(kWindow1, Data().u16(0).u16(0).u16(0x4000).u16(0x2000).u16(0x0038).u16(0).u16(0).u16(1).u16(600));
        // Five fonts: Excel numbers them 0-3 and 5.
        for (int i = 0; i < 5; ++i) out_.record(kFont, font());
        for (int i = 0; i < 15; ++i) out_.record(kXf, xf(true, i == 0));
        out_.record(kXf, xf(false, false));
        out_.record(kStyle, Data().u16(0x8000).u8(0).u8(0xFF));   // built-in "Normal" on format 0
        for (qsizetype s = 0; s < sheets_; ++s) {
            sheetRefs_.push_back(out_.pos() + 4);
            const QByteArray name = "Sheet" + QByteArray::number(s + 1);
            out_.record(kBoundSheet, Data().u32(0).u8(0).u8(0).u8(quint8(name.size())).u8(0).bytes(name));
        }
        writeSharedStrings();
        out_.record(kEof, QByteArrayView());
    }

    void writeSharedStrings() {
        if (references_ > 0x7FFFFFFF)
            throw std::length_error("too many texts for one workbook");
        // EXTSST holds at most 1,027 positions in one record.
        quint64 dsst = std::max<quint64>(8, (strings_.count() + 127) / 128);
        if (dsst > 0xFFFF) dsst = 0xFFFF;
        if ((strings_.count() + dsst - 1) / dsst > 1027) throw std::length_error("too many texts for one workbook");
        SstWriter sst(out_, quint32(references_), strings_.count(), quint16(dsst));
        for (quint32 i = 0; i < strings_.count(); ++i) sst.add(strings_.at(i));
        sst.finish();
    }

    void writeSheet(qsizetype sheet) {
        char pos[4];
        qToLittleEndian(quint32(out_.pos()), pos);
        out_.patch(sheetRefs_[sheet], QByteArrayView(pos, 4));

        const qsizetype rows = cols_ > 0 ? 1 + rowsOn(sheet) : 0;
        const qsizetype blocks = (rows + kRowsPerBlock - 1) / kRowsPerBlock;
        out_.record(kBof, bof(0x0010));
        const quint64 indexPos = out_.pos();
        out_.record(kIndex, QByteArray(16 + 4 * blocks, '\0'));
        const quint64 defColWidthPos = out_.pos();
        out_.record(kDefColWidth, Data().u16(8));
        out_.record(kDimensions, Data().u32(0).u32(quint32(rows)).u16(0).u16(rows ? quint16(cols_) : 0).u16(0));

        Data index;
        index.u32(0).u32(0).u32(quint32(rows)).u32(quint32(defColWidthPos));
        std::vector<quint64> cellStart;
        for (qsizetype b = 0; b < blocks; ++b) {
            const qsizetype from = b * kRowsPerBlock, to = std::min(rows, from + kRowsPerBlock);
            const quint64 firstRowPos = out_.pos();
            for (qsizetype r = from; r < to; ++r)
                out_.record(kRow, Data().u16(quint16(r)).u16(0).u16(quint16(cols_)).u16(0x00FF).u16(0).u16(0)
                                      .u8(0).u8(0x01).u16(kCellXf));
            cellStart.clear();
            for (qsizetype r = from; r < to; ++r) {
                cellStart.push_back(out_.pos());
                for (int c = 0; c < cols_; ++c) writeCell(sheet, r, c);
            }
            const quint64 dbCellPos = out_.pos();
            Data db;
            db.u32(quint32(dbCellPos - firstRowPos));
            db.u16(quint16(cellStart[0] - (firstRowPos + kRowRecordSize)));
            for (size_t i = 1; i < cellStart.size(); ++i) db.u16(quint16(cellStart[i] - cellStart[i - 1]));
            out_.record(kDbCell, db);
            index.u32(quint32(dbCellPos));
        }
        out_.patch(indexPos + 4, index.data());

        out_.record(kWindow2, Data().u16(sheet == 0 ? 0x06B6 : 0x00B6).u16(0).u16(0).u16(64).u16(0).u16(0).u16(0)
                                  .u16(0).u16(0));
        out_.record(kEof, QByteArrayView());
    }

    void writeCell(qsizetype sheet, qsizetype row, int col) {
        const QString v = text(sheet, row, col);
        char rec[10];
        qToLittleEndian(quint16(row), rec);
        qToLittleEndian(quint16(col), rec + 2);
        qToLittleEndian(kCellXf, rec + 4);
        if (v.isEmpty()) {
            out_.record(kBlank, QByteArrayView(rec, 6));
        } else if (const qint64 i = strings_.indexOf(v); i >= 0) {
            qToLittleEndian(quint32(i), rec + 6);
            out_.record(kLabelSst, QByteArrayView(rec, 10));
        } else {
            const bool wide = std::any_of(v.begin(), v.end(), [](QChar c) { return c.unicode() > 0xFF; });
            Data d;
            d.bytes(QByteArrayView(rec, 6)).u16(quint16(v.size())).u8(wide ? 1 : 0);
            for (QChar c : v) wide ? d.u16(c.unicode()) : d.u8(quint8(c.unicode()));
            out_.record(kLabel, d);
        }
    }

    const ExportTable& t_;
    BiffStream& out_;
    const int cols_;
    qsizetype sheets_ = 1;
    SharedStrings strings_;
    quint64 references_ = 0;
    std::vector<quint64> sheetRefs_;   // where each sheet's position goes in its BOUNDSHEET record
};

}  // namespace

void writeXlsFile(const ExportTable& table, const QString& path) {
    if (table.titles.size() > kMaxColumns)
        throw ExportError(path, QStringLiteral("工作表最多 %1 列").arg(kMaxColumns));
    ExportFile file(path);
    CompoundFileWriter compound(file, QStringLiteral("Workbook"));
    BiffStream out(compound);
    try {
        Workbook(table, out).write();
    } catch (const std::length_error&) {
        throw ExportError(path, QStringLiteral("数据太多，超出工作簿的容量"));
    }
    compound.finish();
    file.commit();
}

}  // namespace kit
