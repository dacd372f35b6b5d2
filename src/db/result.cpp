#include "db/result.h"

#include "db/error.h"
#include "db/numtext.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>

namespace db {

namespace {

std::int64_t readInt(const char* p)
{
    std::int64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

double readReal(const char* p)
{
    double v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

std::uint32_t readLen(const char* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Bytes taken by the cell at p, type byte included.
std::size_t cellSize(const char* p)
{
    switch (CellType(*p)) {
    case CellType::Integer:
    case CellType::Real:
        return 1 + 8;
    case CellType::Text:
        return 1 + 4 + readLen(p + 1);
    case CellType::Null:
        break;
    }
    return 1;
}

template <typename T>
void append(std::string& buf, T v)
{
    buf.append(reinterpret_cast<const char*>(&v), sizeof v);
}

// UTF-8 lead bytes reordered so that byte order is UTF-16 code unit order,
// the order of QString::compare: supplementary characters (lead bytes
// F0-F4) come before U+E000..U+FFFF (lead bytes EE, EF).
unsigned char utf16OrderByte(unsigned char b)
{
    switch (b) {
    case 0xEE: return 0xF3;
    case 0xEF: return 0xF4;
    case 0xF0: return 0xEE;
    case 0xF1: return 0xEF;
    case 0xF2: return 0xF0;
    case 0xF3: return 0xF1;
    case 0xF4: return 0xF2;
    default: return b;
    }
}

// Compares two UTF-8 texts in UTF-16 code unit order. Before the first
// differing byte both texts agree, so that byte is in the same place of a
// character on both sides and its reordered value decides.
int compareText(const char* a, std::size_t na, const char* b, std::size_t nb)
{
    const auto* ua = reinterpret_cast<const unsigned char*>(a);
    const auto* ub = reinterpret_cast<const unsigned char*>(b);
    const std::size_t n = std::min(na, nb);
    std::size_t i = 0;
    while (i < n && ua[i] == ub[i])
        ++i;
    if (i == n)
        return na < nb ? -1 : (na > nb ? 1 : 0);
    return utf16OrderByte(ua[i]) < utf16OrderByte(ub[i]) ? -1 : 1;
}

int rankOf(CellType t)
{
    switch (t) {
    case CellType::Null: return 0;
    case CellType::Integer:
    case CellType::Real: return 1;
    case CellType::Text: return 2;
    }
    return 0;
}

int compareCells(const char* a, const char* b)
{
    const CellType ta = CellType(*a), tb = CellType(*b);
    const int ra = rankOf(ta), rb = rankOf(tb);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    switch (ra) {
    case 1:
        if (ta == CellType::Integer && tb == CellType::Integer) {
            const auto x = readInt(a + 1), y = readInt(b + 1);
            return x < y ? -1 : (x > y ? 1 : 0);
        } else {
            const double x = ta == CellType::Integer ? double(readInt(a + 1)) : readReal(a + 1);
            const double y = tb == CellType::Integer ? double(readInt(b + 1)) : readReal(b + 1);
            return x < y ? -1 : (x > y ? 1 : 0);
        }
    case 2:
        return compareText(a + 5, readLen(a + 1), b + 5, readLen(b + 1));
    default:
        return 0;
    }
}

// Sort key of one cell. Equal keys of two cells mean equal cells when both
// are exact; otherwise the cells themselves decide.
struct SortItem {
    std::uint64_t key;
    std::uint64_t cell;   // offset of the cell in the buffer
    std::uint32_t row;    // stored row
    std::uint8_t rank;
    bool exact;
};

SortItem makeSortItem(const char* p, std::uint64_t offset, std::uint32_t row)
{
    SortItem item{0, offset, row, std::uint8_t(rankOf(CellType(*p))), true};
    switch (CellType(*p)) {
    case CellType::Integer:
    case CellType::Real: {
        const bool isInt = CellType(*p) == CellType::Integer;
        double d = isInt ? double(readInt(p + 1)) : readReal(p + 1);
        if (d == 0)
            d = 0;   // -0 and 0 are the same number
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        // Order-preserving map of doubles onto unsigned integers.
        item.key = (bits & 0x8000000000000000ull) ? ~bits : bits | 0x8000000000000000ull;
        // Integers beyond 2^53 may share a key with a neighbour.
        item.exact = !isInt || (readInt(p + 1) > -(1ll << 53) && readInt(p + 1) < (1ll << 53));
        break;
    }
    case CellType::Text: {
        const std::uint32_t len = readLen(p + 1);
        const auto* t = reinterpret_cast<const unsigned char*>(p + 5);
        for (std::uint32_t i = 0; i < 8; ++i)
            item.key = (item.key << 8) | (i < len ? utf16OrderByte(t[i]) : 0);
        // Texts up to 7 bytes without NUL are told apart by the key alone.
        item.exact = len < 8 && std::memchr(t, 0, len) == nullptr;
        break;
    }
    case CellType::Null:
        break;
    }
    return item;
}

}  // namespace

Result Result::fetchAll(sqlite3_stmt* stmt)
{
    Result r;
    const int cols = sqlite3_column_count(stmt);
    for (int c = 0; c < cols; ++c)
        r.columns_ << QString::fromUtf8(sqlite3_column_name(stmt, c));

    for (;;) {
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            throw Error(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(stmt))));
        if (r.rowStart_.size() >= std::numeric_limits<std::uint32_t>::max())
            throw Error(QStringLiteral("结果的行数过多"));
        r.rowStart_.push_back(r.buf_.size());
        for (int c = 0; c < cols; ++c) {
            const int type = sqlite3_column_type(stmt, c);
            switch (type) {
            case SQLITE_NULL:
                r.buf_ += char(CellType::Null);
                break;
            case SQLITE_INTEGER:
                r.buf_ += char(CellType::Integer);
                append<std::int64_t>(r.buf_, sqlite3_column_int64(stmt, c));
                break;
            case SQLITE_FLOAT:
                r.buf_ += char(CellType::Real);
                append<double>(r.buf_, sqlite3_column_double(stmt, c));
                break;
            default: {   // text as UTF-8, and blobs kept as their bytes
                const auto* text = type == SQLITE_TEXT
                    ? reinterpret_cast<const char*>(sqlite3_column_text(stmt, c))
                    : static_cast<const char*>(sqlite3_column_blob(stmt, c));
                const auto len = std::uint32_t(sqlite3_column_bytes(stmt, c));
                r.buf_ += char(CellType::Text);
                append<std::uint32_t>(r.buf_, len);
                if (len)
                    r.buf_.append(text, len);
                break;
            }
            }
        }
    }
    r.order_.resize(r.rowStart_.size());
    std::iota(r.order_.begin(), r.order_.end(), std::uint32_t(0));
    return r;
}

int Result::columnIndex(const QString& name) const
{
    for (int c = 0; c < columns_.size(); ++c)
        if (columns_[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

const char* Result::cellPtr(qsizetype row, int col) const
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        return nullptr;
    const char* p = buf_.data() + rowStart_[order_[std::size_t(row)]];
    for (int c = 0; c < col; ++c)
        p += cellSize(p);
    return p;
}

CellType Result::type(qsizetype row, int col) const
{
    const char* p = cellPtr(row, col);
    return p ? CellType(*p) : CellType::Null;
}

QString Result::text(qsizetype row, int col) const
{
    const char* p = cellPtr(row, col);
    if (!p)
        return QString();
    switch (CellType(*p)) {
    case CellType::Integer: return QString::number(readInt(p + 1));
    case CellType::Real: return numberText(readReal(p + 1));
    case CellType::Text: return QString::fromUtf8(p + 5, qsizetype(readLen(p + 1)));
    case CellType::Null: break;
    }
    return QString();
}

double Result::number(qsizetype row, int col) const
{
    const char* p = cellPtr(row, col);
    if (!p)
        return 0;
    switch (CellType(*p)) {
    case CellType::Integer: return double(readInt(p + 1));
    case CellType::Real: return readReal(p + 1);
    case CellType::Text: {
        const QString t = QString::fromUtf8(p + 5, qsizetype(readLen(p + 1)));
        if (auto v = parseNumber(t))
            return *v;
        throw Error(QStringLiteral("'%1' 不是有效的数值").arg(t));
    }
    case CellType::Null: break;
    }
    return 0;
}

QDate Result::date(qsizetype row, int col) const
{
    const char* p = cellPtr(row, col);
    if (!p || CellType(*p) != CellType::Text)
        return QDate();
    const QString t = QString::fromUtf8(p + 5, qsizetype(readLen(p + 1))).trimmed();
    return QDate::fromString(t.left(10), Qt::ISODate);
}

bool Result::yesNo(qsizetype row, int col) const
{
    const char* p = cellPtr(row, col);
    if (!p)
        return false;
    switch (CellType(*p)) {
    case CellType::Integer: return readInt(p + 1) != 0;
    case CellType::Real: return readReal(p + 1) != 0;
    case CellType::Text: {
        const QString t = QString::fromUtf8(p + 5, qsizetype(readLen(p + 1))).trimmed();
        return t == u"-1" || t == u"1" || t.compare(u"true", Qt::CaseInsensitive) == 0;
    }
    case CellType::Null: break;
    }
    return false;
}

void Result::sortBy(int col, bool ascending)
{
    if (col < 0 || col >= columnCount() || order_.size() < 2)
        return;
    // One compact item per row, sorted in place of the rows themselves: the
    // key settles most comparisons without touching the cells.
    std::vector<SortItem> items(order_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) {
        const char* p = cellPtr(qsizetype(i), col);
        items[i] = makeSortItem(p, std::uint64_t(p - buf_.data()), order_[i]);
    }
    const char* base = buf_.data();
    const auto compare = [base](const SortItem& a, const SortItem& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank ? -1 : 1;
        if (a.key != b.key)
            return a.key < b.key ? -1 : 1;
        return a.exact && b.exact ? 0 : compareCells(base + a.cell, base + b.cell);
    };
    if (ascending)
        std::stable_sort(items.begin(), items.end(),
                         [&](const SortItem& a, const SortItem& b) { return compare(a, b) < 0; });
    else
        std::stable_sort(items.begin(), items.end(),
                         [&](const SortItem& a, const SortItem& b) { return compare(a, b) > 0; });
    for (std::size_t i = 0; i < items.size(); ++i)
        order_[i] = items[i].row;
}

std::size_t Result::byteSize() const
{
    return buf_.size() + rowStart_.size() * sizeof(std::uint64_t)
         + order_.size() * sizeof(std::uint32_t);
}

}  // namespace db
