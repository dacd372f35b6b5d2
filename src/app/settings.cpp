#include "app/settings.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

// The file is handled as bytes, line by line, so that lines this program does
// not own (other sections, comments, text in another encoding) are written
// back exactly as they were read.
//
// A value is stored as plain text after the "=", taken literally up to the end
// of the line. A value that a plain line cannot hold (one with a line break,
// or one that itself starts with a double quote) is stored in double quotes
// with the escapes \\, \n and \r, so that plain values, paths with
// backslashes included, stay readable and editable by hand.

namespace app {

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

struct IniFile {
    bool bom = false;
    bool crlf = false;
    QList<QByteArray> lines;  // without their line endings
};

IniFile parse(QByteArray data) {
    IniFile ini;
    if (data.startsWith(kBom)) {
        ini.bom = true;
        data.remove(0, kBom.size());
    }
    if (data.isEmpty())
        return ini;
    ini.lines = data.split('\n');
    if (ini.lines.last().isEmpty())  // the file ended with a line break
        ini.lines.removeLast();
    if (!ini.lines.isEmpty() && ini.lines.first().endsWith('\r'))
        ini.crlf = true;
    for (QByteArray& line : ini.lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return ini;
}

QByteArray serialize(const IniFile& ini) {
    const QByteArray eol = ini.crlf ? QByteArray("\r\n") : QByteArray("\n");
    QByteArray out;
    if (ini.bom)
        out += kBom;
    for (const QByteArray& line : ini.lines)
        out += line + eol;
    return out;
}

// The name of a section line "[name]", or a null array for any other line.
QByteArray sectionName(const QByteArray& line) {
    const QByteArray t = line.trimmed();
    if (!t.startsWith('['))
        return {};
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return {};
    QByteArray name = t.mid(1, close - 1).trimmed();
    if (name.isNull())
        name = QByteArray("");  // "[]" is a section too, just not ours
    return name;
}

// Where a key stands in the file: the line holding it, or -1 with the place
// where it would be added (-1 too when the section itself is missing).
struct Location {
    qsizetype keyLine = -1;
    qsizetype insertAt = -1;
};

Location locate(const IniFile& ini, const QByteArray& section, const QByteArray& key) {
    Location loc;
    qsizetype i = 0;
    const qsizetype n = ini.lines.size();
    while (i < n && sectionName(ini.lines[i]) != section)
        ++i;
    if (i == n)
        return loc;
    loc.insertAt = i + 1;
    for (++i; i < n; ++i) {
        const QByteArray& line = ini.lines[i];
        if (!sectionName(line).isNull())
            break;
        if (!line.trimmed().isEmpty())
            loc.insertAt = i + 1;  // after the section's last non-blank line
        const qsizetype eq = line.indexOf('=');
        if (eq >= 0 && line.left(eq).trimmed() == key) {
            loc.keyLine = i;
            return loc;
        }
    }
    return loc;
}

bool needsQuotes(const QString& value) {
    return value.contains(u'\n') || value.contains(u'\r') || value.startsWith(u'"');
}

QString encode(const QString& value) {
    if (!needsQuotes(value))
        return value;
    QString out = QStringLiteral("\"");
    for (QChar c : value) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    out += u'"';
    return out;
}

QString decode(const QString& stored) {
    if (stored.size() < 2 || !stored.startsWith(u'"') || !stored.endsWith(u'"'))
        return stored;
    const QString inner = stored.mid(1, stored.size() - 2);
    QString out;
    out.reserve(inner.size());
    for (qsizetype i = 0; i < inner.size(); ++i) {
        const QChar c = inner[i];
        if (c != u'\\' || i + 1 == inner.size()) {
            out += c;
            continue;
        }
        const QChar next = inner[++i];
        if (next == u'n')
            out += u'\n';
        else if (next == u'r')
            out += u'\r';
        else if (next == u'\\')
            out += u'\\';
        else {
            out += c;  // not one of ours: kept as written
            out += next;
        }
    }
    return out;
}

// The raw stored value, or a null string when the file, section or key is missing.
QString readRaw(const QString& path, const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const IniFile ini = parse(file.readAll());
    const Location loc = locate(ini, kSettingsSection.toUtf8(), key.toUtf8());
    if (loc.keyLine < 0)
        return {};
    const QByteArray& line = ini.lines[loc.keyLine];
    QString value = QString::fromUtf8(line.mid(line.indexOf('=') + 1));
    if (value.isNull())
        value = QStringLiteral("");
    return value;
}

// Makes the rename done by QSaveFile::commit() itself durable.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

Settings::Settings(const QString& home) : path_(QDir(home).filePath(QStringLiteral("myini.ini"))) {}

QString Settings::readText(const QString& key, const QString& def) const {
    const QString raw = readRaw(path_, key);
    return raw.isNull() ? def : decode(raw);
}

int Settings::readInt(const QString& key, int def) const {
    const QString raw = readRaw(path_, key);
    bool ok = false;
    const int value = raw.trimmed().toInt(&ok);
    return ok ? value : def;
}

bool Settings::readFlag(const QString& key, bool def) const {
    const QString raw = readRaw(path_, key);
    bool ok = false;
    const int value = raw.trimmed().toInt(&ok);
    return ok ? value != 0 : def;
}

bool Settings::writeText(const QString& key, const QString& value) {
    IniFile ini;
    {
        QFile old(path_);
        if (old.exists()) {
            if (!old.open(QIODevice::ReadOnly))
                return false;  // never replace a file we could not read
            ini = parse(old.readAll());
            if (old.error() != QFileDevice::NoError)
                return false;
        }
    }

    const QByteArray keyBytes = key.toUtf8();
    const QByteArray line = keyBytes + '=' + encode(value).toUtf8();
    const Location loc = locate(ini, kSettingsSection.toUtf8(), keyBytes);
    if (loc.keyLine >= 0) {
        ini.lines[loc.keyLine] = line;
    } else if (loc.insertAt >= 0) {
        ini.lines.insert(loc.insertAt, line);
    } else {
        ini.lines.append('[' + kSettingsSection.toUtf8() + ']');
        ini.lines.append(line);
    }

    // commit() writes a temporary file, flushes it to disk and renames it
    // over the old one, so a failure at any point leaves the old file whole.
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = serialize(ini);
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    syncFolder(QFileInfo(path_).absolutePath());
    return true;
}

}  // namespace app
