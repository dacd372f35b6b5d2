#pragma once
// One save of a transaction screen: a transaction started with BEGIN
// IMMEDIATE whose first step computes the journal number, so two screens
// open at once can never write the same number. Rolled back unless committed.

#include "db/connection.h"
#include "db/dm1.h"

#include <QString>

namespace points {

class JournalSave {
public:
    // Begins the transaction and computes the number. Throws db::Error (then
    // nothing has been written).
    explicit JournalSave(db::TDM1& dm);

    const QString& number() const { return number_; }
    void commit() { tx_.commit(); }

private:
    db::Transaction tx_;
    QString number_;
};

}  // namespace points
