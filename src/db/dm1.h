#pragma once
// The data module: the one connection and the shared named queries.

#include "db/connection.h"
#include "db/query.h"

#include <QString>
#include <vector>

namespace db {

class TDM1 {
public:
    TDM1();
    TDM1(const TDM1&) = delete;
    TDM1& operator=(const TDM1&) = delete;

    // Closes the connection and opens the database of the home folder with
    // the built-in key. Throws db::Error.
    void openDatabase(const QString& home);

    Connection ADOConnection1;
    Query ADOall;
    Query ADO123;
    Query ADOQuery3;
    Query ADOQuery4;
    Query ADOQuery5;
    Query ADOQuery7;
    Query ADOQuery8;
    Query ADOQuery9;
    Query ADOQuery10;
    Query ADOQuery12;
    Query ADOQuery13;
    Query ADOQuery14;
    Query ADOQuery15;
    Query ADOQuery16;
    Query ADOQuery17;
    Query ADOQuery18;
    Query ADOQuery19;
    Query ADOQuery20;
    Query ADOQuery21;
    Query ADOQuery22;
    Query ADOQuery23;
    Query ADOQuery24;

    // Every query, in declaration order; nullptr for an unknown name.
    const std::vector<Query*>& queries() const { return queries_; }
    Query* queryByName(const QString& name) const;

private:
    std::vector<Query*> queries_;
};

}  // namespace db
