// Which state changes fire handlers, as the screens rely on.

#include "fake_shell.h"
#include "kit/controls.h"
#include "kit/form.h"
#include "temp_home.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kit;
using testing_support::FakeShell;

namespace {
struct Screen : Form {
    explicit Screen(Shell& s) : Form(s, "Tscreen", "屏幕", Kind::Dialog) {}
    Edit edit{*this, "Edit1"};
    ComboBox combo{*this, "ComboBox1"};
    CheckBox check{*this, "CheckBox1", "显示全部"};
    RadioGroup radio{*this, "RadioGroup1", "方式", {"一", "二"}};
    DatePicker date{*this, "DateTimePicker1"};
    PictureBox picture{*this, "Image1"};
    Button ok{*this, "BitBtn1", "确定"};
};
}  // namespace

TEST(Controls, ChangesFromCodeFireHandlersLikeTheOperatorsOwn) {
    FakeShell shell;
    Screen s(shell);
    int edits = 0, combos = 0, checks = 0, radios = 0, dates = 0;
    s.edit.onChange = [&] { ++edits; };
    s.combo.onChange = [&] { ++combos; };
    s.check.onClick = [&] { ++checks; };
    s.radio.onClick = [&] { ++radios; };
    s.date.onChange = [&] { ++dates; };

    s.edit.setText("a");
    s.edit.setText("a");          // unchanged: no event
    s.edit.clear();
    s.combo.setItems({"0001", "0002"});
    s.combo.setItemIndex(1);      // a combo box set from code stays quiet
    s.combo.setText("0001");
    s.check.setChecked(true);
    s.radio.setItemIndex(1);
    s.date.setDate(QDate(2020, 1, 2));
    EXPECT_EQ(edits, 2);
    EXPECT_EQ(combos, 0);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(radios, 1);
    EXPECT_EQ(dates, 1);
    EXPECT_EQ(s.combo.itemIndex(), 0) << "an exact text selects its entry";

    int chosen = 0;
    s.combo.onSelect = [&] { ++chosen; };
    s.combo.choose(1);
    s.combo.type("x");
    s.combo.userEdited("0001");   // typed to match an item: not a choice from the list
    EXPECT_EQ(combos, 3);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(s.combo.itemIndex(), 0) << "a typed text that matches an item selects it";
    s.combo.type("x");
    EXPECT_EQ(s.combo.text(), "0001x");
    EXPECT_EQ(s.combo.itemIndex(), -1);
}

TEST(Controls, DisabledControlsIgnoreTheOperator) {
    FakeShell shell;
    Screen s(shell);
    int clicks = 0;
    s.ok.onClick = [&] { ++clicks; };
    s.ok.setEnabled(false);
    s.ok.click();
    s.ok.performClick();
    s.edit.setEnabled(false);
    s.edit.type("1");
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(s.edit.text(), "");
}

TEST(Controls, ADialogButtonEndsTheDialogWithItsResult) {
    FakeShell shell;
    Screen s(shell);
    s.ok.modalResult = ModalResult::Ok;
    shell.modalScripts.push_back([](Form& f) { static_cast<Screen&>(f).ok.click(); });
    EXPECT_EQ(shell.showModal(s), ModalResult::Ok);
    EXPECT_EQ(shell.showModal(s), ModalResult::Cancel) << "shown again without a click";
}

TEST(Controls, ADialogShownAgainDoesNotRunTheExitOfItsLastField) {
    FakeShell shell;
    Screen s(shell);
    int exits = 0;
    s.edit.onExit = [&] { ++exits; };
    s.onShow = [&] { s.combo.setFocus(); };
    shell.modalScripts.push_back([](Form& f) { static_cast<Screen&>(f).edit.setFocus(); });
    shell.showModal(s);   // closed from the title bar while the edit has the focus
    shell.showModal(s);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(s.focused(), &s.combo);
}

TEST(Controls, APictureThatDoesNotLoadLeavesTheBoxHidden) {
    testing_support::TempHome home;
    FakeShell shell;
    Screen s(shell);
    EXPECT_FALSE(s.picture.load(home.file("missing.jpg")));
    EXPECT_FALSE(s.picture.visible());
    EXPECT_FALSE(s.picture.load(""));
    QFile f(home.file("a.jpg"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    EXPECT_TRUE(s.picture.load(home.file("a.jpg")));
    EXPECT_TRUE(s.picture.visible());
    EXPECT_TRUE(shell.messages.empty());
}
