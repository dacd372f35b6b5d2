#pragma once
// The settings file myini.ini in the home folder: one section 程序参数 of
// key=value lines, UTF-8. Every read opens the file anew and every write
// reaches the disk (atomically, through a temporary file) before it returns,
// so a value saved by one screen is seen by the next one that reads it.

#include <QString>

namespace app {

inline const QString kSettingsSection = QStringLiteral("程序参数");

class Settings {
public:
    // The file <home>/myini.ini.
    explicit Settings(const QString& home);
    QString path() const { return path_; }

    // The stored text, or the default when the file, section or key is missing.
    QString readText(const QString& key, const QString& def = {}) const;
    // A decimal integer; missing or not a number gives the default.
    int readInt(const QString& key, int def) const;
    // A flag: any integer other than 0 is true; missing or not a number
    // gives the default ("2" is true, "yes" is the default).
    bool readFlag(const QString& key, bool def) const;

    // Creates the file, section or key as needed and replaces the old value.
    // Values with line breaks come back as saved. Returns false when the
    // file could not be written (nothing is half-written then).
    bool writeText(const QString& key, const QString& value);
    bool writeFlag(const QString& key, bool value) { return writeText(key, value ? QStringLiteral("1") : QStringLiteral("0")); }
    bool writeInt(const QString& key, int value) { return writeText(key, QString::number(value)); }

private:
    QString path_;
};

}  // namespace app
