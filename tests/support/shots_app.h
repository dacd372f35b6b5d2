#pragma once
// The start of a program that saves pictures of screens to look at by eye
// (not a test): offscreen unless told otherwise, the program's Chinese faces,
// and the folder named on the command line (default /tmp/shots).

#include "ui/fonts.h"

#include <QApplication>
#include <QDir>
#include <QString>

namespace testing_support {

class ShotsApp {
public:
    ShotsApp(int& argc, char** argv)
        : app_(offscreenUnlessSet(argc), argv),
          folder_(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots")) {
        ui::installFonts();
        QDir().mkpath(folder_);
    }
    const QString& folder() const { return folder_; }

private:
    // Runs before the application object exists, which reads the platform.
    static int& offscreenUnlessSet(int& argc) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }

    QApplication app_;
    QString folder_;
};

}  // namespace testing_support
