#include "app/home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace app {

QString resolveHome(const QStringList& arguments, const QString& executableDir) {
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--home") && i + 1 < arguments.size()) return QDir(arguments[i + 1]).absolutePath();
        if (a.startsWith(QStringLiteral("--home="))) return QDir(a.mid(7)).absolutePath();
    }
    const QString env = qEnvironmentVariable("KORVANA_HOME");
    if (!env.isEmpty()) return QDir(env).absolutePath();
    return QDir(executableDir).absolutePath();
}

QString defaultBackgroundPath(const QString& home) { return QDir(home).filePath(QStringLiteral("image/001.jpg")); }

void seedHomeFiles(const QString& home) {
    const QDir dir(home);
    const std::pair<const char*, const char*> files[] = {
        {":/seed/001.jpg", "image/001.jpg"},
        {":/seed/help.html", "help.html"},
    };
    for (const auto& [resource, target] : files) {
        const QString path = dir.filePath(QString::fromUtf8(target));
        if (QFileInfo::exists(path)) continue;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile::copy(QString::fromUtf8(resource), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
}

}  // namespace app
