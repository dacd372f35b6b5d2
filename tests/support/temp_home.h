#pragma once
// A fresh, empty home folder for one test, removed afterwards.

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace testing_support {

class TempHome {
public:
    TempHome() : dir_(QDir::tempPath() + QStringLiteral("/korvana-test-XXXXXX")) {}
    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.filePath(relative); }

private:
    QTemporaryDir dir_;
};

}  // namespace testing_support
