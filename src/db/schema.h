#pragma once
// The schema and starting rows of a new installation.

#include "db/connection.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace db {

// The built-in key that protects the database file.
QByteArray databaseKey();

// The eleven tables, in the order the program documents them.
QStringList tableNames();

// Creates the eleven tables and their indexes on an empty database.
void createSchema(Connection& conn);

// Leaves the starting rows of a new installation: operator "0001"
// "系统管理员" with every flag and no password, and the rules row 否/1.
// The other tables are emptied.
void initialiseData(Connection& conn);

// Whether a column of the schema holds yes/no values (stored as 0/1).
bool isYesNoColumn(const QString& column);

// <home>/database/database.db
QString databasePath(const QString& home);

// When <home>/database/database.db does not exist: creates the folders
// database/, backup/ and image/ and a new keyed database with the schema and
// the starting rows. Returns true when it created one. Throws db::Error.
bool createInstallationIfMissing(const QString& home);

}  // namespace db
