#pragma once
// A result set fetched completely: the record count is known at once.
// Cells are stored packed in one byte buffer per result (no heap object per
// cell) so that a list of a million members stays compact.

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

struct sqlite3_stmt;

namespace db {

enum class CellType : std::uint8_t { Null = 0, Integer = 1, Real = 2, Text = 3 };

class Result {
public:
    Result() = default;

    // Reads every row of a prepared, bound statement (used by Connection).
    static Result fetchAll(sqlite3_stmt* stmt);

    int columnCount() const { return int(columns_.size()); }
    const QStringList& columnNames() const { return columns_; }
    QString columnName(int col) const { return columns_.value(col); }
    // Index of a column by name, compared without regard to case; -1 if none.
    int columnIndex(const QString& name) const;

    qsizetype rowCount() const { return qsizetype(order_.size()); }

    // Cell readers follow the program's reading rules:
    // text: NULL reads as "", numbers as their shortest decimal text;
    // number: NULL reads as 0, a text that is not a number throws db::Error;
    // date: ISO text (a time part is ignored), NULL or empty is an invalid date;
    // yes/no: NULL or empty is no, numbers are yes when non-zero, texts
    //         "-1", "1", "true" (any case) are yes.
    CellType type(qsizetype row, int col) const;
    bool isNull(qsizetype row, int col) const { return type(row, col) == CellType::Null; }
    QString text(qsizetype row, int col) const;
    double number(qsizetype row, int col) const;
    QDate date(qsizetype row, int col) const;
    bool yesNo(qsizetype row, int col) const;

    // Reorders the rows (stable) by one column: numbers numerically before
    // texts, NULL first when ascending. Used by grids sorting on a title click.
    void sortBy(int col, bool ascending);

    // Memory held by the cells, for benchmarks.
    std::size_t byteSize() const;

private:
    // Each row is encoded in buf_ as, per column: a type byte, then
    // Integer: 8 bytes, Real: 8 bytes, Text: 4-byte length + UTF-8 bytes.
    const char* cellPtr(qsizetype row, int col) const;

    QStringList columns_;
    std::string buf_;
    std::vector<std::uint64_t> rowStart_;   // start of each stored row in buf_
    std::vector<std::uint32_t> order_;      // display order -> stored row
};

}  // namespace db
