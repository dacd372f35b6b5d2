#pragma once
// The program's home folder: where the settings, database, backups and
// pictures live.

#include <QString>
#include <QStringList>

namespace app {

// "--home DIR" (or "--home=DIR") on the command line wins, then the
// environment variable KORVANA_HOME, then the executable's own folder.
QString resolveHome(const QStringList& arguments, const QString& executableDir);

// The default background picture of a home: <home>/image/001.jpg.
QString defaultBackgroundPath(const QString& home);

// Puts the files a new installation ships with (the default background
// picture and the help file) into the home folder where they are missing.
void seedHomeFiles(const QString& home);

}  // namespace app
