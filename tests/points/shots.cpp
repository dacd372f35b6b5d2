// Renders receipts to PDF files with the real painter and saves a picture
// of the receipt settings dialog, to look at by eye.
// Usage: receipt_shots [folder]   (default /tmp/shots); runs offscreen.

#include "app/settings.h"
#include "points/install.h"
#include "points/journal.h"
#include "points/journalsave.h"
#include "points/receipt.h"
#include "program_env.h"
#include "shots_app.h"
#include "ui/formwidget.h"
#include "ui/qtshell.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <cstdio>

using namespace points;

namespace {

bool pdf(const kit::ReportDocument& doc, const QString& path) {
    QString failure;
    const bool ok = ui::QtShell::renderPdf(doc, path, &failure);
    std::printf("%s %s %s\n", ok ? "saved" : "FAILED", qPrintable(path), qPrintable(failure));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    testing_support::ShotsApp app(argc, argv);
    const QString& folder = app.folder();
    bool ok = true;

    testing_support::ProgramEnv env;
    const QString card = QStringLiteral("00012345");
    env.conn().exec("insert into 会员卡信息 (会员卡号, 会员姓名, 积分) values (?, '张小华', 1200)", {card});
    auto row = [&](const QString& number) {
        return TransactionRow{number, card, QStringLiteral("张小华"), QDate::currentDate(), QTime::currentTime(),
                              QStringLiteral("0001")};
    };
    ReceiptSettings settings;
    settings.shopName = QStringLiteral("幸福超市（人民路店）");
    settings.tail = QStringLiteral("谢谢惠顾，欢迎再次光临！\n会员积分可兑换精美礼品");
    settings.print = true;

    QString purchase;
    {
        JournalSave save(env.dm());
        purchase = save.number();
        writeJournalRow(env.dm(), row(purchase), 156.8, kPurchase);
        writeConsumptionRow(env.dm(), row(purchase), QStringLiteral("进口红富士苹果礼盒装（大）"), 128.8, kPurchase);
        writeConsumptionRow(env.dm(), row(purchase), QStringLiteral("鲜牛奶"), 28, kPurchase);
        addToBalance(env.dm(), card, 156.8);
        save.commit();
    }
    QString giveBack;
    {
        JournalSave save(env.dm());
        giveBack = save.number();
        writeJournalRow(env.dm(), row(giveBack), -28, kReturn);
        writeConsumptionRow(env.dm(), row(giveBack), QStringLiteral("鲜牛奶"), -28, kReturn);
        subtractFromBalance(env.dm(), card, 28);
        save.commit();
    }
    QString redemption;
    {
        JournalSave save(env.dm());
        redemption = save.number();
        writeRedemptionJournalRow(env.dm(), row(redemption), QStringLiteral("保温杯 雨伞"), 10, -300);
        writeGiftUsageRow(env.dm(), row(redemption), QStringLiteral("保温杯"), QStringLiteral("个"), 1);
        writeGiftUsageRow(env.dm(), row(redemption), QStringLiteral("雨伞"), QStringLiteral("把"), 2);
        subtractFromBalance(env.dm(), card, 300);
        save.commit();
    }

    const QDateTime now = QDateTime::currentDateTime();
    const struct {
        ReceiptKind kind;
        QString number;
        const char* width;
        const char* file;
    } receipts[] = {
        {ReceiptKind::Purchase, purchase, "58", "receipt-purchase-58"},
        {ReceiptKind::Return, giveBack, "241", "receipt-return-241"},
        {ReceiptKind::Purchase, purchase, "120", "receipt-purchase-120"},
        {ReceiptKind::Redemption, redemption, "76", "receipt-redemption-76"},
        {ReceiptKind::Redemption, redemption, "58", "receipt-redemption-58"},
    };
    for (const auto& r : receipts) {
        settings.width = QString::fromUtf8(r.width);
        const auto doc = buildReceipt(env.dm(), r.kind, r.number, card, settings, now);
        ok &= doc && pdf(*doc, folder + "/" + QString::fromUtf8(r.file) + ".pdf");
    }
    ok &= pdf(*buildTestReceipt(QStringLiteral("58"), settings.shopName), folder + "/receipt-test-58.pdf");

    // The settings dialog as the menu opens it.
    points::install(env.program);
    app::Settings(env.home.path()).writeText(QStringLiteral("店铺名称"), settings.shopName);
    app::Settings(env.home.path()).writeText(QStringLiteral("小票尾"), settings.tail);
    env.shell.modalScripts.push_back([&](kit::Form& form) {
        ui::FormWidget view(form);
        view.setWindowTitle(form.caption());
        view.resize(view.sizeHint());
        view.show();
        (void)QTest::qWaitForWindowExposed(&view);
        QApplication::processEvents();
        const QString path = folder + QStringLiteral("/receipt-settings.png");
        const bool saved = view.grab().save(path);
        std::printf("%s %s (%dx%d)\n", saved ? "saved" : "FAILED", qPrintable(path), view.width(), view.height());
        ok &= saved;
        view.detach();
    });
    env.main().menuItem(QStringLiteral("系统设置"), QStringLiteral("店铺名称及小票打印设置"))->click();
    return ok ? 0 : 1;
}
