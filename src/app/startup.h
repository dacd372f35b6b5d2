#pragma once
// Start-up: from process start to the logged-in main window. Owns, for the
// whole run, the single-instance lock, the data module and the main window.

#include "app/tmain.h"
#include "db/dm1.h"
#include "kit/shell.h"

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace app {

// The name of the single-instance lock.
inline const QString kInstanceLockName = QStringLiteral("Velmorahuiyuanjifen");

class Program {
public:
    enum class Outcome {
        AlreadyRunning,   // another copy runs: end silently
        DatabaseFailed,   // the message was shown: end
        LoginCancelled,   // no one logged in: end
        Running,          // the main window is shown; run the message loop
    };

    // lockDir: where the lock file lives (the temporary folder by default).
    Program(kit::Shell& shell, QString home, QString lockDir = {});
    ~Program();

    // Runs start-up up to the shown main window.
    Outcome start();

    // The login; until it exists every start counts as logged in.
    std::function<bool(Program&)> login;

    // Keeps a window that lives for the whole run (the dialogs made once at
    // start-up and reused each time they are shown).
    template <class T>
    T& keep(std::unique_ptr<T> form) {
        T& ref = *form;
        longLived_.push_back(std::move(form));
        return ref;
    }

    const QString& home() const { return home_; }
    kit::Shell& shell() const { return shell_; }
    db::TDM1& DM1() { return *dm1_; }
    TMAIN& mainWindow() { return *main_; }

private:
    void readDisplaySettings();
    bool openDatabase();

    kit::Shell& shell_;
    QString home_;
    QLockFile lock_;
    std::unique_ptr<db::TDM1> dm1_;
    std::unique_ptr<TMAIN> main_;
    std::vector<std::unique_ptr<kit::Form>> longLived_;
};

}  // namespace app
