#pragma once
// A value bound to a statement parameter. Every value typed by an operator
// reaches the database this way; no statement is ever built from typed text.

#include <QDate>
#include <QString>
#include <QTime>
#include <cstdint>
#include <initializer_list>
#include <variant>
#include <vector>

namespace db {

struct Value {
    std::variant<std::monostate, qint64, double, QString> v;

    Value() = default;                                   // SQL NULL
    Value(std::nullptr_t) {}                             // SQL NULL
    Value(int i) : v(qint64(i)) {}
    Value(qint64 i) : v(i) {}
    Value(double d) : v(d) {}
    Value(bool b) : v(qint64(b ? 1 : 0)) {}              // yes/no columns hold 0/1
    Value(const QString& s) : v(s) {}
    Value(const char* s) : v(QString::fromUtf8(s)) {}
    Value(const QDate& d) : v(d.toString(Qt::ISODate)) {}          // yyyy-MM-dd
    Value(const QTime& t) : v(t.toString(QStringLiteral("HH:mm:ss"))) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v); }
};

using Params = std::vector<Value>;

}  // namespace db
