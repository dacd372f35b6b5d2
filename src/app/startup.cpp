#include "app/startup.h"

#include "app/home.h"
#include "app/settings.h"
#include "db/error.h"
#include "db/schema.h"

#include <QDate>
#include <QDir>

namespace app {

Program::Program(kit::Shell& shell, QString home, QString lockDir)
    : shell_(shell),
      home_(std::move(home)),
      lock_(QDir(lockDir.isEmpty() ? QDir::tempPath() : lockDir).filePath(kInstanceLockName + QStringLiteral(".lock"))) {
    lock_.setStaleLockTime(0);   // a lock left by a crashed copy is taken over
}

Program::~Program() {
    // Child windows show the data module's queries: they go before it does.
    shell_.destroyAllChildren();
}

Program::Outcome Program::start() {
    // Another copy holds the lock: end at once, no window, nothing created.
    if (!lock_.tryLock(0)) return Outcome::AlreadyRunning;

    dm1_ = std::make_unique<db::TDM1>();
    main_ = std::make_unique<TMAIN>(shell_, *dm1_, home_);
    main_->defaultBackupName = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    readDisplaySettings();

    if (!openDatabase()) {
        shell_.message(QStringLiteral("无法连接到指定的数据库！请重试！"), QStringLiteral("错误"), kit::Icon::Error);
        return Outcome::DatabaseFailed;
    }
    if (login && !login(*this)) return Outcome::LoginCancelled;
    return Outcome::Running;
}

void Program::readDisplaySettings() {
    const Settings settings(home_);
    main_->birthdayReminderAtStart = settings.readFlag(QStringLiteral("提醒"), true);
    main_->lowStockAlertAtStart = settings.readFlag(QStringLiteral("提醒1"), true);
    main_->setShopName(settings.readText(QStringLiteral("店铺名称")));
    QString background = settings.readText(QStringLiteral("背景"));
    if (background.isEmpty()) background = defaultBackgroundPath(home_);
    main_->setBackground(background);
    main_->setSlogan(settings.readText(QStringLiteral("广告语")));
}

bool Program::openDatabase() {
    try {
        // A home without a database folder is a new installation. A database
        // folder whose file is missing is not: that file was moved or lost,
        // and an empty new one in its place would hide it.
        if (!QDir(home_).exists(QStringLiteral("database")) && db::createInstallationIfMissing(home_)) {
            seedHomeFiles(home_);
            if (!main_->Image1.visible()) main_->setBackground(main_->backgroundPath);
        }
        dm1_->openDatabase(home_);
        return true;
    } catch (const db::Error&) {
        return false;
    }
}

}  // namespace app
