// The receipt settings dialog, opened from the main window's menu, and the
// receipt settings as every save reads them.

#include "app/settings.h"
#include "points/install.h"
#include "points/receipt.h"
#include "points/tdayinshezhi.h"
#include "program_env.h"

#include <QDir>
#include <QFile>

using namespace points;
using testing_support::ProgramEnv;

namespace {

struct SettingsFixture : ::testing::Test, ProgramEnv {
    app::Settings file{home.path()};

    void write(std::initializer_list<std::pair<QString, QString>> keys) {
        for (const auto& [k, v] : keys) ASSERT_TRUE(file.writeText(k, v));
    }
    // Opens the dialog from the menu and drives it with the script.
    void openDialog(std::function<void(Tdayinshezhi&)> script) {
        shell.modalScripts.push_back([script](kit::Form& f) { script(static_cast<Tdayinshezhi&>(f)); });
        main().menuItem("系统设置", "店铺名称及小票打印设置")->click();
    }
    QString picture(const QString& name) {
        QFile f(home.file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("picture");
        return home.file(name);
    }
    SettingsFixture() { points::install(program); }
};

}  // namespace

TEST(ReceiptSettings, ReadDefaultsAndStoredValues) {
    testing_support::TempHome home;
    const ReceiptSettings none = ReceiptSettings::read(home.path());
    EXPECT_EQ(none.width, "58");
    EXPECT_EQ(none.copies, "1");
    EXPECT_EQ(none.preview, "是");
    EXPECT_FALSE(none.print);
    EXPECT_TRUE(none.shopName.isEmpty());
    EXPECT_TRUE(none.tail.isEmpty());

    app::Settings file(home.path());
    file.writeText("宽度", "241");
    file.writeText("店铺名称", "幸福超市");
    file.writeText("份数", "3");
    file.writeText("小票尾", "谢谢惠顾\n欢迎再次光临");
    file.writeText("打印小票", "2");
    file.writeText("预览", "否");
    const ReceiptSettings s = ReceiptSettings::read(home.path());
    EXPECT_EQ(s.width, "241");
    EXPECT_EQ(s.shopName, "幸福超市");
    EXPECT_EQ(s.copies, "3");
    EXPECT_EQ(s.tail, "谢谢惠顾\n欢迎再次光临");
    EXPECT_TRUE(s.print) << "any flag other than 0 is true";
    EXPECT_EQ(s.preview, "否");
}

TEST_F(SettingsFixture, ShowFillsTheFieldsFromTheFile) {
    write({{"店铺名称", "幸福超市"}, {"广告语", "会员日全场九折"}, {"背景", "/pics/bg.jpg"}, {"小票尾", "谢谢惠顾"},
           {"打印小票", "1"}});
    openDialog([](Tdayinshezhi& d) {
        EXPECT_EQ(d.caption(), "小票打印及店铺名称设置");
        EXPECT_EQ(d.Edit1.text(), "幸福超市");
        EXPECT_EQ(d.Memo1.text(), "会员日全场九折");
        EXPECT_EQ(d.Edit2.text(), "/pics/bg.jpg");
        EXPECT_EQ(d.Memo2.text(), "谢谢惠顾");
        EXPECT_EQ(d.Edit3.text(), "1") << "份数 defaults to 1";
        EXPECT_TRUE(d.CheckBox1.checked());
        EXPECT_EQ(d.RadioGroup1.itemIndex(), 0) << "width 58 by default";
        EXPECT_EQ(d.RadioGroup2.itemIndex(), 0) << "preview by default";
        EXPECT_EQ(d.focused(), &d.Edit1);
    });
    EXPECT_EQ(shell.modalShown, std::vector<QString>{"Tdayinshezhi"});

    const std::pair<QString, int> widths[] = {{"58", 0}, {"76", 1}, {"120", 2}, {"241", 3}, {"80", 1}};
    for (const auto& [width, index] : widths) {
        write({{"宽度", width}});
        openDialog([index = index, width = width](Tdayinshezhi& d) {
            EXPECT_EQ(d.RadioGroup1.itemIndex(), index) << width.toStdString();
        });
    }
    const std::pair<QString, int> previews[] = {{"是", 0}, {"否", 1}, {"maybe", 1}};
    for (const auto& [preview, index] : previews) {
        write({{"预览", preview}});
        openDialog([index = index, preview = preview](Tdayinshezhi& d) {
            EXPECT_EQ(d.RadioGroup2.itemIndex(), index) << preview.toStdString();
        });
    }
}

TEST_F(SettingsFixture, EnterMovesThroughTheFieldsToSave) {
    openDialog([](Tdayinshezhi& d) {
        const std::vector<kit::Control*> expected = {&d.Memo1, &d.Edit2, &d.RadioGroup1, &d.Memo2, &d.Edit3, &d.BitBtn1};
        std::vector<kit::Control*> visited;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            d.pressEnter();
            visited.push_back(d.focused());
        }
        EXPECT_EQ(visited, expected);
    });
}

TEST_F(SettingsFixture, SaveWritesEveryKeyAndKeepsTheDialogOpen) {
    openDialog([](Tdayinshezhi& d) {
        d.Edit1.setText("幸福超市");
        d.Memo1.setText("会员日全场九折");
        d.Edit2.setText("/pics/bg.jpg");
        d.Memo2.setText("谢谢惠顾\n欢迎再次光临");
        d.Edit3.clear();
        d.CheckBox1.click();
        d.RadioGroup1.choose(2);
        d.RadioGroup2.choose(1);
        d.BitBtn1.click();
        EXPECT_EQ(d.Edit3.text(), "1") << "empty copies are saved as 1";
        EXPECT_FALSE(d.isClosing());
    });
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "保存成功,修改后的软件界面效果重新启动软件后体现！");
    EXPECT_EQ(shell.messages[0].icon, kit::Icon::Information);
    const std::pair<QString, QString> keys[] = {
        {"店铺名称", "幸福超市"}, {"广告语", "会员日全场九折"}, {"背景", "/pics/bg.jpg"},
        {"小票尾", "谢谢惠顾\n欢迎再次光临"}, {"份数", "1"}, {"打印小票", "1"}, {"宽度", "120"}, {"预览", "否"}};
    for (const auto& [key, value] : keys) EXPECT_EQ(file.readText(key, "<missing>"), value) << key.toStdString();

    const ReceiptSettings s = ReceiptSettings::read(home.path());
    EXPECT_TRUE(s.print);
    EXPECT_EQ(s.width, "120");
    EXPECT_EQ(main().shopName, "") << "the main window shows the new name at the next start";
}

TEST_F(SettingsFixture, SaveRefusesAndWritesNothing) {
    struct Case {
        const char* what;
        QString shop, copies;
        QString message;
        bool focusOnCopies;
    } cases[] = {
        {"empty shop name", "", "1", "店铺名称不能为空！", false},
        {"blank shop name", "  ", "1", "店铺名称不能为空！", false},
        {"copies not a whole number", "幸福超市", "2.5", "小票同时打印的份数必须是整数，“2.5”不是整数！", true},
        {"copies with two points", "幸福超市", "1..", "小票同时打印的份数必须是整数，“1..”不是整数！", true},
    };
    for (const Case& c : cases) {
        shell.messages.clear();
        openDialog([&c](Tdayinshezhi& d) {
            d.Edit1.setText(c.shop);
            d.Edit3.setText(c.copies);
            d.BitBtn1.click();
            EXPECT_EQ(d.focused(), c.focusOnCopies ? static_cast<kit::Control*>(&d.Edit3) : &d.Edit1) << c.what;
        });
        ASSERT_EQ(shell.messages.size(), 1u) << c.what;
        EXPECT_EQ(shell.messages[0].text, c.message);
        EXPECT_EQ(shell.messages[0].caption, "提示");
        EXPECT_EQ(shell.messages[0].icon, kit::Icon::Error);
        EXPECT_FALSE(QFile::exists(file.path())) << c.what << ": nothing written";
    }
}

TEST_F(SettingsFixture, AFileThatCannotBeWrittenFailsTheSave) {
    ASSERT_TRUE(QDir(home.path()).mkdir("myini.ini"));
    openDialog([](Tdayinshezhi& d) {
        d.Edit1.setText("幸福超市");
        d.BitBtn1.click();
    });
    EXPECT_EQ(shell.messageTexts(), QStringList{"保存失败！"});
}

TEST_F(SettingsFixture, LongTextsAreCutAt250Characters) {
    openDialog([](Tdayinshezhi& d) {
        d.Memo1.setFocus();
        d.Memo1.type(QString(260, QChar(u'字')));
        d.Memo2.userEdited(QString(300, QChar(u'谢')));
        EXPECT_EQ(d.Memo1.text().size(), 250);
        EXPECT_EQ(d.Memo2.text().size(), 250);
    });
}

TEST_F(SettingsFixture, TheBackgroundButtonShowsThePictureAtOnce) {
    const QString bg = picture("bg.jpg");
    shell.fileChoices.push_back(kit::FileChoice{bg});
    openDialog([&](Tdayinshezhi& d) {
        d.Button1.click();
        EXPECT_EQ(d.Edit2.text(), bg);
    });
    EXPECT_EQ(file.readText("背景"), bg) << "written without saving";
    EXPECT_EQ(main().backgroundPath, bg);
    EXPECT_TRUE(main().Image1.visible());
    EXPECT_TRUE(shell.messages.empty());

    // Cancelled, with a field that names no picture: the main window is left
    // without a background, and nothing is said.
    shell.fileChoices.push_back(std::nullopt);
    openDialog([&](Tdayinshezhi& d) {
        d.Edit2.setText(home.file("missing.jpg"));
        d.Button1.click();
    });
    EXPECT_EQ(file.readText("背景"), home.file("missing.jpg"));
    EXPECT_FALSE(main().Image1.visible());
    EXPECT_TRUE(shell.messages.empty());

    // An empty field brings back the picture the main window starts with.
    shell.fileChoices.push_back(std::nullopt);
    openDialog([&](Tdayinshezhi& d) {
        d.Edit2.clear();
        d.Button1.click();
    });
    EXPECT_EQ(file.readText("背景", "<missing>"), "");
    EXPECT_EQ(main().backgroundPath, home.file("image/001.jpg"));
    EXPECT_TRUE(main().Image1.visible());
}

TEST_F(SettingsFixture, TestPrintPreviewsTheTestReceiptOfTheChosenWidth) {
    write({{"店铺名称", "旧名称"}});
    struct Case {
        int choice;
        double paper;
        QString sentence;
    } cases[] = {
        {0, 58, "    恭喜你，如果你能看到这段文字，说明58毫米宽的打印是正常的！"},
        {1, 76, "    恭喜你，如果你能看到这段完整的文字，说明76毫米宽的打印是正常的！"},
        {2, 115, "   恭喜你，如果你能看到这段完整的文字，那就说明120毫米宽的打印是正常的！"},
        {3, 240, "   恭喜你，如果你能看到这段完整的文字，那就说明241毫米宽的打印是正常的！"},
    };
    shell.printerInstalled = false;   // a preview needs no printer
    for (const Case& c : cases) {
        shell.printed.clear();
        openDialog([&c](Tdayinshezhi& d) {
            d.Edit1.setText("新名称");   // typed, not saved
            d.RadioGroup1.choose(c.choice);
            d.BitBtn2.click();
        });
        ASSERT_EQ(shell.printed.size(), 1u) << c.paper;
        const auto& [doc, preview] = shell.printed[0];
        EXPECT_TRUE(preview);
        ASSERT_EQ(doc.lines.size(), 4u);
        EXPECT_EQ(doc.lines[0].text, "欢迎光临");
        EXPECT_EQ(doc.lines[0].face, kit::ReportLine::Face::Hei);
        EXPECT_TRUE(doc.lines[0].bold);
        EXPECT_EQ(doc.lines[1].text, "新名称");
        EXPECT_EQ(doc.lines[2].text, c.sentence);
        EXPECT_TRUE(doc.lines[3].text.isEmpty());
        EXPECT_GT(doc.lines[3].minHeightMm, 0);
        EXPECT_EQ(doc.paperWidthMm, c.paper);
        EXPECT_EQ(doc.paperHeightMm, 0);
        for (double m : {doc.marginLeftMm, doc.marginRightMm, doc.marginTopMm}) EXPECT_EQ(m, 5.5);
        EXPECT_EQ(doc.marginBottomMm, 15);
    }
    EXPECT_EQ(file.readText("店铺名称"), "旧名称");
    EXPECT_EQ(ReceiptSettings::read(home.path()).shopName, "旧名称") << "receipts of saves keep the saved name";
    EXPECT_TRUE(shell.messages.empty());
}
