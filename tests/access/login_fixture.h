#pragma once
// A started program in a fresh home, with operators to log in as.

#include "access/permissions.h"
#include "access/tloginform.h"
#include "app/startup.h"
#include "fake_shell.h"
#include "temp_home.h"

#include <QVariant>
#include <gtest/gtest.h>
#include <initializer_list>

struct LoginEnv {
    testing_support::TempHome home, locks;
    testing_support::FakeShell shell;
    app::Program program{shell, home.path(), locks.path()};

    LoginEnv() { EXPECT_EQ(program.start(), app::Program::Outcome::Running); }

    app::TMAIN& main() { return program.mainWindow(); }

    // An operator with the given password (null: none stored) and flags 1..27.
    void addOperator(const QString& number, const QString& name, const QVariant& password,
                     std::initializer_list<int> flags = {}) {
        auto& conn = program.DM1().ADOConnection1;
        conn.exec("insert into 操作员 (操作员, 姓名, 密码) values (?, ?, ?)",
                  {number, name, password.isNull() ? db::Value() : db::Value(password.toString())});
        for (int f : flags) conn.exec(QString("update 操作员 set \"%1\"=1 where 操作员=?").arg(f), {number});
    }

    // Shows the login; the script drives it as the operator would.
    bool login(std::function<void(auth::Tloginform&)> script) {
        shell.modalScripts.push_back([script](kit::Form& f) { script(static_cast<auth::Tloginform&>(f)); });
        return auth::runLogin(shell, program.DM1(), program.mainWindow());
    }

    // Logs in as the operator with the password typed and Enter.
    bool loginAs(const QString& number, const QString& password) {
        return login([&](auth::Tloginform& f) {
            f.cbusername.choose(int(f.cbusername.items().indexOf(number)));
            f.typeText(password + "\r");
        });
    }
};

struct LoginFixture : ::testing::Test, LoginEnv {};
