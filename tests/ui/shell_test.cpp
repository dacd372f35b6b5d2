// The real shell: message boxes, modal dialogs, timers, pictures, printing
// to PDF and the program's fonts.

#include "ui/fonts.h"
#include "ui/formwidget.h"
#include "ui/qtshell.h"
#include "ui/reportpreview.h"
#include "ui/reportpainter.h"
#include "ui_fixture.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QPrinterInfo>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using ui_testing::RecordingShell;

namespace {

QStringList buttonTexts(const QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* b : box.buttons()) texts << b->text();
    texts.sort();
    return texts;
}

class Confirm : public kit::Form {
public:
    explicit Confirm(kit::Shell& shell) : kit::Form(shell, "Tconfirm", QStringLiteral("确认"), Kind::Dialog) {
        layout().add(Note, QStringLiteral("说明")).add(Ok);
        Ok.modalResult = kit::ModalResult::Ok;
        onShow = [this] { ++shows; Note.setText(QStringLiteral("已显示")); };
    }
    kit::Edit Note{*this, "Edit1"};
    kit::Button Ok{*this, "BitBtn1", QStringLiteral("确定")};
    int shows = 0;
};

// Runs the work on the modal dialog once it is up.
void whenModal(std::function<void(QWidget*)> work) {
    QTimer::singleShot(0, [work = std::move(work)] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        work(dialog);
    });
}

// Width and height in points of the first page of a PDF file.
QSizeF pdfPageSize(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QString text = QString::fromLatin1(f.readAll());
    const auto m = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(text);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

constexpr double kPointsPerMm = 72.0 / 25.4;

}  // namespace

TEST(MessageBoxes, ShowChineseButtonsAndAnswerByTheButtonClicked) {
    struct Case {
        kit::Buttons buttons;
        QStringList texts;   // sorted
        kit::Answer closedWithoutButton;
    } cases[] = {
        {kit::Buttons::Ok, {"确定"}, kit::Answer::Ok},
        {kit::Buttons::OkCancel, {"取消", "确定"}, kit::Answer::Cancel},
        {kit::Buttons::YesNo, {"否", "是"}, kit::Answer::No},
        {kit::Buttons::YesNoCancel, {"取消", "否", "是"}, kit::Answer::Cancel},
    };
    for (const Case& c : cases) {
        std::unique_ptr<QMessageBox> box(
            ui::QtShell::makeMessageBox(QStringLiteral("确实要退出本系统吗？"), QStringLiteral("系统提示"),
                                        kit::Icon::Question, c.buttons));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("系统提示"));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        EXPECT_EQ(buttonTexts(*box), c.texts);
        EXPECT_EQ(ui::QtShell::answerFor(c.buttons, *box, nullptr), c.closedWithoutButton);
        for (QAbstractButton* b : box->buttons()) {
            const QString t = b->text();
            const kit::Answer expected = t == "确定" ? kit::Answer::Ok
                                         : t == "取消" ? kit::Answer::Cancel
                                         : t == "是"   ? kit::Answer::Yes
                                                       : kit::Answer::No;
            EXPECT_EQ(ui::QtShell::answerFor(c.buttons, *box, b), expected) << t.toStdString();
        }
    }
}

TEST(ModalDialogs, EndWithTheButtonsResultOrCancelFromTheTitleBar) {
    RecordingShell shell;
    Confirm form(shell);

    whenModal([](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QStringLiteral("已显示")) << "the show handler ran before the dialog appeared";
        for (auto* b : dialog->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("确定")) QTest::mouseClick(b, Qt::LeftButton);
    });
    EXPECT_EQ(shell.showModal(form), kit::ModalResult::Ok);

    whenModal([](QWidget* dialog) { dialog->close(); });
    EXPECT_EQ(shell.showModal(form), kit::ModalResult::Cancel);
    EXPECT_EQ(form.shows, 2);
    EXPECT_EQ(form.view(), nullptr) << "the dialog's widgets are gone, the form may live on";
}

TEST(Timers, RunOnceAndShowWhatTheyThrow) {
    RecordingShell shell;
    int runs = 0;
    shell.singleShot(10, [&] { ++runs; });
    shell.singleShot(20, [] { throw std::runtime_error("timer failed"); });
    QTest::qWait(100);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(shell.messages, QStringList{"timer failed"});
}

TEST(Pictures, LoadOnlyWhenTheFileIsARealPicture) {
    testing_support::TempHome home;
    QImage(8, 8, QImage::Format_RGB32).save(home.file("good.png"));
    QFile fake(home.file("fake.jpg"));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("not a picture");
    fake.close();
    RecordingShell shell;
    EXPECT_TRUE(shell.pictureLoads(home.file("good.png")));
    EXPECT_FALSE(shell.pictureLoads(home.file("fake.jpg")));
    EXPECT_FALSE(shell.pictureLoads(home.file("missing.jpg")));
    EXPECT_FALSE(shell.pictureLoads(QString()));
}

TEST(Reports, PrintOnPaperOfTheirWidthAndARollAsLongAsTheContent) {
    testing_support::TempHome home;
    kit::ReportDocument doc;
    doc.title = QStringLiteral("小票");
    doc.paperWidthMm = 58;
    doc.marginTopMm = 5;
    doc.marginBottomMm = 5;
    doc.lines.push_back({QStringLiteral("欢迎光临"), kit::ReportLine::Face::Hei, 12, true, kit::Align::Center});
    for (int i = 0; i < 10; ++i) doc.lines.push_back({QStringLiteral("商品%1    12.5").arg(i)});
    const double shortRoll = ui::reportContentHeightMm(doc);
    ASSERT_TRUE(ui::QtShell::renderPdf(doc, home.file("short.pdf")));
    const QSizeF page = pdfPageSize(home.file("short.pdf"));
    EXPECT_NEAR(page.width(), 58 * kPointsPerMm, 1.0);
    EXPECT_NEAR(page.height(), (shortRoll + 10 + 1) * kPointsPerMm, 2.0);

    for (int i = 0; i < 30; ++i) doc.lines.push_back({QStringLiteral("很长的一行文字会在窄纸上折成几行显示出来")});
    EXPECT_GT(ui::reportContentHeightMm(doc), shortRoll + 30 * 3.0) << "long lines wrap on narrow paper";

    doc.paperWidthMm = 210;
    doc.paperHeightMm = 297;
    ASSERT_TRUE(ui::QtShell::renderPdf(doc, home.file("a4.pdf")));
    const QSizeF a4 = pdfPageSize(home.file("a4.pdf"));
    EXPECT_NEAR(a4.width(), 210 * kPointsPerMm, 1.0);
    EXPECT_NEAR(a4.height(), 297 * kPointsPerMm, 1.0);
}

TEST(Reports, ThePreviewSavesAPdfAndPrintsOnlyWithAPrinter) {
    testing_support::TempHome home;
    kit::ReportDocument doc;
    doc.title = QStringLiteral("退货减积分");
    doc.paperWidthMm = 76;
    doc.lines.push_back({QStringLiteral("减少积分：-12.5")});
    ui::ReportPreview preview(doc);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    EXPECT_TRUE(preview.saveAsPdf(home.file("receipt.pdf")));
    EXPECT_NEAR(pdfPageSize(home.file("receipt.pdf")).width(), 76 * kPointsPerMm, 1.0);
    // Without a default printer the preview offers no printing.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        EXPECT_FALSE(preview.canPrint());
        EXPECT_FALSE(preview.printDirectly());
    }
}

TEST(Fonts, TheWindowsFaceNamesResolveToFacesWithChineseCharacters) {
    const QString names[] = {"黑体", "宋体", "华文行楷", "SimHei", "SimSun"};
    for (const QString& name : names) {
        const QFont font = ui::namedFont(name, 12);
        const QString resolved = QFontInfo(font).family();
        EXPECT_TRUE(resolved == ui::heiFamily() || resolved == ui::songFamily())
            << name.toStdString() << " -> " << resolved.toStdString();
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(u'积'))) << name.toStdString();
    }
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), ui::heiFamily());
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("黑体"))).family(), ui::heiFamily()) << "a plain QFont too";
}
