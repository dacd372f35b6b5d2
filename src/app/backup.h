#pragma once
// Backups of the live database: consistent keyed snapshots, never raw copies.

#include "db/connection.h"
#include "kit/shell.h"

#include <QDate>
#include <QString>

namespace app {

// <home>/backup/<yyyy-MM-dd>.bak
QString automaticBackupPath(const QString& home, const QDate& day);

// The day's automatic backup, replacing an earlier one of the same day. The
// folder backup/ is created when missing. Returns whether it was written.
bool automaticBackup(db::Connection& conn, const QString& home, const QDate& day);

// The manual backup behind 系统设置 › 数据备份: asks for a file name (the
// start date the first time, then the name chosen last), writes the chosen
// name followed by ".bak", and says whether it worked.
class ManualBackup {
public:
    explicit ManualBackup(QString firstName) : proposedName_(std::move(firstName)) {}
    void run(kit::Shell& shell, db::Connection& conn);
    const QString& proposedName() const { return proposedName_; }

private:
    QString proposedName_;
};

}  // namespace app
