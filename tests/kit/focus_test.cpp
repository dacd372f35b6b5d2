// Enter order, exit handlers that know where the focus goes, key filters and
// the general error handler, on a small form driven as an operator would.

#include "fake_shell.h"
#include "kit/controls.h"
#include "kit/form.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace kit;
using testing_support::FakeShell;

namespace {

class SmallForm : public Form {
public:
    explicit SmallForm(Shell& shell) : Form(shell, "Tsmall", "小表单", Kind::Child) {
        layout().add(Edit1, "卡号").add(Amount, "金额").add(Memo1, "备注").add(Disabled, "停用").add(BitBtn1);
        Amount.setKeyFilter(KeyFilter::Numeric);
        Memo1.setMultiLine(true);
        Disabled.setEnabled(false);
        setEnterOrder({&Edit1, &Amount, &Disabled, &BitBtn1});
        BitBtn1.onClick = [this] { ++saves; };
    }
    Edit Edit1{*this, "Edit1"};
    Edit Amount{*this, "Amount"};
    Edit Memo1{*this, "Memo1"};
    Edit Disabled{*this, "Disabled"};
    Button BitBtn1{*this, "BitBtn1", "保存"};
    int saves = 0;
};

}  // namespace

TEST(Focus, EnterFollowsTheOrderSkippingDisabledAndEndsOnTheButton) {
    FakeShell shell;
    SmallForm f(shell);
    f.setFocus(&f.Edit1);
    f.pressEnter();
    EXPECT_EQ(f.focused(), &f.Amount);
    f.pressEnter();
    EXPECT_EQ(f.focused(), &f.BitBtn1) << "the disabled field is skipped";
    f.pressEnter();
    EXPECT_EQ(f.saves, 1) << "Enter on a button clicks it";
}

TEST(Focus, OwnEnterHandlerReplacesTheOrder) {
    FakeShell shell;
    SmallForm f(shell);
    int searched = 0;
    f.Edit1.onEnter = [&] { ++searched; };
    f.setFocus(&f.Edit1);
    f.pressEnter();
    EXPECT_EQ(searched, 1);
    EXPECT_EQ(f.focused(), &f.Edit1);
}

TEST(Focus, EnterInAMemoTypesALineBreak) {
    FakeShell shell;
    SmallForm f(shell);
    f.setFocus(&f.Memo1);
    f.typeText("甲\r乙");
    EXPECT_EQ(f.Memo1.text(), "甲\n乙");
}

TEST(Focus, ExitHandlerSeesTheDestinationAndMayKeepTheFocus) {
    FakeShell shell;
    SmallForm f(shell);
    std::vector<Control*> destinations;
    f.Edit1.onExit = [&] {
        destinations.push_back(f.focusDestination());
        if (f.focusDestination() == &f.Amount && f.Edit1.text().isEmpty()) {
            f.shell().message("不存在的用户！", "提示", Icon::Error);
            f.Edit1.setFocus();
            f.Edit1.selectAll();
        }
    };
    f.setFocus(&f.Edit1);
    f.moveFocusTo(f.Amount);
    EXPECT_EQ(f.focused(), &f.Edit1);
    EXPECT_TRUE(f.Edit1.allSelected());
    EXPECT_EQ(shell.lastMessage(), "不存在的用户！");

    f.moveFocusTo(f.BitBtn1);
    EXPECT_EQ(f.focused(), &f.BitBtn1) << "going elsewhere is not stopped";
    ASSERT_EQ(destinations.size(), 2u);
    EXPECT_EQ(destinations[0], &f.Amount);
    EXPECT_EQ(destinations[1], &f.BitBtn1);
    EXPECT_EQ(shell.messages.size(), 1u);
}

TEST(Focus, ClickingAButtonRunsTheExitHandlerFirst) {
    FakeShell shell;
    SmallForm f(shell);
    QStringList order;
    f.Edit1.onExit = [&] { order << "exit"; };
    f.BitBtn1.onClick = [&] { order << "click"; };
    f.setFocus(&f.Edit1);
    f.BitBtn1.click();
    EXPECT_EQ(order, QStringList({"exit", "click"}));
}

TEST(Focus, EnteringAOneLineFieldSelectsItsText) {
    FakeShell shell;
    SmallForm f(shell);
    f.Amount.setText("0");
    f.Memo1.setText("备注");
    f.setFocus(&f.Edit1);
    f.pressEnter();
    f.typeText("2");
    EXPECT_EQ(f.Amount.text(), "2") << "typing replaces what was there";
    f.setFocus(&f.Memo1);
    EXPECT_FALSE(f.Memo1.allSelected()) << "a memo keeps its text";
}

TEST(Focus, AClickIsCancelledWhenTheFieldBeingLeftKeepsTheFocus) {
    FakeShell shell;
    SmallForm f(shell);
    f.Edit1.onExit = [&] {
        f.shell().message("该卡类别名称已经存在！", "提示", Icon::Error);
        f.Edit1.setFocus();
    };
    f.setFocus(&f.Edit1);
    f.BitBtn1.click();
    EXPECT_EQ(f.saves, 0);
    EXPECT_EQ(shell.messages.size(), 1u) << "one refusal, not a second one from the save";
    f.Edit1.onExit = nullptr;
    f.BitBtn1.click();
    EXPECT_EQ(f.saves, 1);
}

TEST(Focus, CannotFocusDisabledOrHiddenControls) {
    FakeShell shell;
    SmallForm f(shell);
    f.setFocus(&f.Edit1);
    EXPECT_FALSE(f.Disabled.setFocus());
    f.Amount.setVisible(false);
    EXPECT_FALSE(f.Amount.setFocus());
    EXPECT_EQ(f.focused(), &f.Edit1);
}

TEST(KeyFilter, NumericFieldsDiscardOtherKeys) {
    struct Case {
        KeyFilter filter;
        QString typed;
        QString kept;
    } cases[] = {
        {KeyFilter::Numeric, "12a.5", "12.5"},
        {KeyFilter::Numeric, "1.2.3", "1.2.3"},   // several points get through
        {KeyFilter::Numeric, "-5", "5"},
        {KeyFilter::Numeric, "１２元", ""},        // full-width digits are not digits here
        {KeyFilter::Numeric, "12\b3", "13"},       // Backspace is a control key
        {KeyFilter::SignedNumeric, "-5x", "-5"},
        {KeyFilter::Any, "a'b", "a'b"},
    };
    for (const Case& c : cases) {
        FakeShell shell;
        SmallForm f(shell);
        f.Amount.setKeyFilter(c.filter);
        f.setFocus(&f.Amount);
        f.typeText(c.typed);
        EXPECT_EQ(f.Amount.text(), c.kept) << c.typed.toStdString();
    }
}

TEST(KeyFilter, TypingReplacesASelectedTextAndFiresChangeEachKey) {
    FakeShell shell;
    SmallForm f(shell);
    QStringList seen;
    f.Edit1.onChange = [&] { seen << f.Edit1.text(); };
    f.Edit1.setText("old");
    f.Edit1.selectAll();
    f.setFocus(&f.Edit1);
    f.typeText("ab");
    EXPECT_EQ(seen, QStringList({"old", "a", "ab"}));
}

TEST(KeyFilter, KeysGoToWhereverAHandlerMovedTheFocus) {
    FakeShell shell;
    SmallForm f(shell);
    f.Edit1.onChange = [&] { f.Amount.setFocus(); };
    f.setFocus(&f.Edit1);
    f.typeText("x12");
    EXPECT_EQ(f.Edit1.text(), "x");
    EXPECT_EQ(f.Amount.text(), "12");
}

TEST(GeneralErrorHandler, ShowsTheErrorsOwnTextAndKeepsWhatWasDone) {
    FakeShell shell;
    SmallForm f(shell);
    int after = 0;
    f.BitBtn1.onClick = [&] {
        f.Edit1.setText("written");
        throw std::runtime_error("no such table: 会员");
        ++after;
    };
    f.BitBtn1.click();
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "no such table: 会员");
    EXPECT_EQ(shell.messages[0].caption, "Korvana");
    EXPECT_EQ(shell.messages[0].icon, Icon::Error);
    EXPECT_EQ(f.Edit1.text(), "written") << "what ran before the error stays done";
    EXPECT_EQ(after, 0);

    f.BitBtn1.onClick = [&] { ++after; };
    f.BitBtn1.click();
    EXPECT_EQ(after, 1) << "the program goes on";
}
