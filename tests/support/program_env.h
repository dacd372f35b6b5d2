#pragma once
// A started program in a fresh home with the administrator logged in: the
// starting point of every screen test.

#include "app/startup.h"
#include "fake_shell.h"
#include "temp_home.h"

#include <gtest/gtest.h>

namespace testing_support {

struct ProgramEnv {
    TempHome home, locks;
    FakeShell shell;
    app::Program program{shell, home.path(), locks.path()};

    explicit ProgramEnv(const QString& operatorNumber = QStringLiteral("0001")) {
        EXPECT_EQ(program.start(), app::Program::Outcome::Running);
        program.mainWindow().currentLogin = {operatorNumber, QString()};
    }

    app::TMAIN& main() { return program.mainWindow(); }
    db::TDM1& dm() { return program.DM1(); }
    db::Connection& conn() { return program.DM1().ADOConnection1; }

    // The number of rows of a statement's result.
    qsizetype count(const QString& sql, const db::Params& params = {}) { return conn().select(sql, params).rowCount(); }
    // The first column of the first row, as text.
    QString value(const QString& sql, const db::Params& params = {}) {
        db::Result r = conn().select(sql, params);
        return r.rowCount() ? r.text(0, 0) : QString();
    }
};

}  // namespace testing_support
