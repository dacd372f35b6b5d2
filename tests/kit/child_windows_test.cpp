// Child windows are found by their exact caption and brought back.

#include "fake_shell.h"
#include "kit/form.h"

#include <gtest/gtest.h>

using namespace kit;
using testing_support::FakeShell;

namespace {
struct Child : Form {
    explicit Child(Shell& s) : Form(s, "Tchild", "默认标题", Kind::Child) { onShow = [this] { ++shows; }; }
    int shows = 0;
};
}  // namespace

TEST(ChildWindows, OpenBringsBackTheWindowWithExactlyThatCaption) {
    FakeShell shell;
    int made = 0;
    auto factory = [&] {
        ++made;
        return std::make_unique<Child>(shell);
    };
    Form& first = shell.openChildWindow("操作人员设置", factory);
    EXPECT_EQ(first.caption(), "操作人员设置") << "the caller's caption, not the window's own";
    Form& again = shell.openChildWindow("操作人员设置", factory);
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(shell.raised, std::vector<QString>{"操作人员设置"});

    shell.openChildWindow("操作人员设置 ", factory);   // a trailing blank is another caption
    shell.openChildWindow("Abc", factory);
    shell.openChildWindow("abc", factory);              // letter case counts
    EXPECT_EQ(made, 4);
    EXPECT_EQ(shell.childWindows().size(), 4u);
}

TEST(ChildWindows, AClosedWindowIsMadeAgain) {
    FakeShell shell;
    int made = 0;
    auto factory = [&] {
        ++made;
        return std::make_unique<Child>(shell);
    };
    Form& w = shell.openChildWindow("积分兑换", factory);
    w.close();
    EXPECT_EQ(shell.childWindow("积分兑换"), nullptr);
    shell.runTimers();   // the closed window is destroyed once back in the loop
    auto& fresh = static_cast<Child&>(shell.openChildWindow("积分兑换", factory));
    EXPECT_EQ(made, 2);
    EXPECT_EQ(fresh.shows, 1);
}
