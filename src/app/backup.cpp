#include "app/backup.h"

#include "db/error.h"
#include "db/schema.h"

#include <QDir>

namespace app {

QString automaticBackupPath(const QString& home, const QDate& day) {
    return QDir(home).filePath(QStringLiteral("backup/") + day.toString(QStringLiteral("yyyy-MM-dd")) +
                               QStringLiteral(".bak"));
}

bool automaticBackup(db::Connection& conn, const QString& home, const QDate& day) {
    try {
        QDir(home).mkpath(QStringLiteral("backup"));
        conn.backupTo(automaticBackupPath(home, day), db::databaseKey());
        return true;
    } catch (const db::Error&) {
        return false;
    }
}

void ManualBackup::run(kit::Shell& shell, db::Connection& conn) {
    kit::FileDialog dialog;
    dialog.defaultName = proposedName_;
    dialog.filters = {{QStringLiteral("BAK文件"), QStringLiteral("*.BAK")},
                      {QStringLiteral("所有文件"), QStringLiteral("*.*")}};
    dialog.confirmOverwrite = false;
    const auto choice = shell.saveFile(dialog);
    if (!choice || choice->path.isEmpty()) return;
    proposedName_ = choice->path;
    try {
        conn.backupTo(choice->path + QStringLiteral(".bak"), db::databaseKey());
        shell.message(QStringLiteral("备份数据成功！"), QStringLiteral("提示"), kit::Icon::Information);
    } catch (const db::Error&) {
        shell.message(QStringLiteral("备份数据失败，请重试！"), QStringLiteral("错误"), kit::Icon::Error);
    }
}

}  // namespace app
