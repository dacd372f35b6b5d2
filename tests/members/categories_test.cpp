// The category screen and the category modify dialog, driven as the
// operator uses them.

#include "members_env.h"

using kit::Answer;
using kit::Icon;
using members::Tkaleibiexiugai;
using members::Tleibie;

namespace {

const QString kExists = "该卡类别名称已经存在！请重新设定一个新的卡类别名称！";
const QString kNoName = "卡类别名称不能为空！";
const QString kRatio = "积分比例必须大于零！";
const QString kOrder = "积分上限必须大于下限！";
const QString kOverlap = "请正确分配积分下限和上限，确定全部卡类别的积分下限和上限不重叠！";

struct CategoryFixture : ::testing::Test, MembersEnv {};

struct Range {
    const char* name;
    double lower, upper;
};

// What the operator enters on the add form; bounds only while they are enabled.
struct Entry {
    QString name, ratio = "1", lower, upper;
    bool gifts = true, cash = true;
};

void fillAndSave(Tleibie& f, const Entry& e) {
    f.moveFocusTo(f.Edit1);
    f.typeText(e.name + "\r");
    retype(f, f.Edit2, e.ratio);
    if (f.CheckBox1.checked() != e.gifts) f.CheckBox1.click();
    if (f.CheckBox2.checked() != e.cash) f.CheckBox2.click();
    if (f.boundsEnabled()) {
        retype(f, f.Edit3, e.lower);
        retype(f, f.Edit4, e.upper);
    }
    f.BitBtn1.click();
}

QString fields(const members::CategoryForm& f) {
    return QStringList{f.Edit1.text(), f.Edit2.text(), f.Edit3.text(), f.Edit4.text()}.join('|');
}

}  // namespace

TEST_F(CategoryFixture, OpensFromTheMenuWithAFreshFormOncePerCaption) {
    addCategory("金卡");
    Tleibie& f = openCategories();
    EXPECT_EQ(f.caption(), "会员卡类别设置");
    EXPECT_EQ(fields(f), "|1||");
    EXPECT_TRUE(f.CheckBox1.checked() && f.CheckBox2.checked());
    EXPECT_EQ(f.focused(), &f.Edit1);
    EXPECT_EQ(f.DBGridEh1.query().recordCount(), 1);
    EXPECT_FALSE(f.boundsEnabled()) << "a new database has the automatic change off";
    EXPECT_FALSE(f.Edit3.canFocus() || f.Edit4.canFocus());

    openCategories();
    EXPECT_EQ(shell.childWindows().size(), 1u);
    EXPECT_EQ(shell.raised, std::vector<QString>{"会员卡类别设置"});
}

TEST(CategoryEnterOrder, FollowsTheBoundsSwitchOnBothScreens) {
    const struct Case {
        bool automatic;
        bool modifyDialog;
        QStringList walk;   // from the name field
    } cases[] = {
        {false, false, {"Edit2", "CheckBox1", "CheckBox2", "BitBtn1"}},
        {true, false, {"Edit2", "CheckBox1", "CheckBox2", "Edit3", "Edit4", "BitBtn1"}},
        {false, true, {"Edit2", "CheckBox1", "CheckBox2", "BitBtn1"}},
        {true, true, {"Edit2", "CheckBox1", "CheckBox2", "Edit3", "Edit4", "BitBtn1"}},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.setAutomatic(c.automatic);
        env.addCategory("金卡", 0, 100);
        Tleibie& list = env.openCategories();
        if (!c.modifyDialog) {
            list.typeText("新卡");
            EXPECT_EQ(enterWalk(list, int(c.walk.size())), c.walk) << "list, automatic " << c.automatic;
            continue;
        }
        env.shell.modalScripts.push_back([&](kit::Form& d) {
            EXPECT_EQ(d.focused()->name(), "Edit2") << "the name cannot change";
            d.moveFocusTo(*d.controlByName("Edit1"));
            EXPECT_EQ(enterWalk(d, int(c.walk.size())), c.walk) << "dialog, automatic " << c.automatic;
        });
        list.BitBtn3.click();
        EXPECT_TRUE(env.shell.messages.empty());
    }
}

TEST(CategoryAdd, StoresAcceptedCategoriesAndResetsTheForm) {
    const struct Case {
        const char* what;
        bool automatic;
        std::vector<Range> existing;
        Entry entry;
        QString row;   // ratio|gifts|cash|lower|upper
    } cases[] = {
        {"bounds off store 0 and 0, an empty ratio is 1, a quote is kept",
         false, {{"金卡", 0, 100}}, {.name = "O'Neil卡", .ratio = "", .gifts = false}, "1|0|1|0|0"},
        {"next to an existing range", true, {{"金卡", 0, 100}},
         {.name = "银卡", .ratio = "2.5", .lower = "101", .upper = "200", .cash = false}, "2.5|1|0|101|200"},
        {"bounds compare as numbers, not as texts", true, {{"金卡", 20, 30}},
         {.name = "银卡", .ratio = "10", .lower = "100", .upper = "200"}, "10|1|1|100|200"},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.setAutomatic(c.automatic);
        for (const Range& r : c.existing) env.addCategory(r.name, r.lower, r.upper);
        Tleibie& f = env.openCategories();
        fillAndSave(f, c.entry);

        EXPECT_EQ(env.categoryRow(c.entry.name), c.row) << c.what;
        ASSERT_EQ(env.shell.messageTexts(), QStringList{"新增卡类别成功！"}) << c.what;
        EXPECT_EQ(env.shell.messages[0].caption, "提示");
        EXPECT_EQ(env.shell.messages[0].icon, Icon::Information);
        EXPECT_EQ(fields(f), "|1||") << c.what;
        EXPECT_TRUE(f.CheckBox1.checked() && f.CheckBox2.checked()) << c.what;
        EXPECT_EQ(f.focused(), &f.Edit1) << c.what;
        EXPECT_EQ(f.DBGridEh1.query().recordCount(), qsizetype(c.existing.size() + 1)) << c.what;
    }
}

TEST(CategoryAdd, RefusalsLeaveTheDatabaseAlone) {
    const struct Case {
        const char* what;
        bool automatic;
        std::vector<Range> existing;
        Entry entry;
        QString message;
        QString focus;
        QString fieldsAfter;   // name|ratio|lower|upper
    } cases[] = {
        {"empty name", false, {}, {.name = "", .ratio = "2"}, kNoName, "Edit1", "|2||"},
        {"ratio 0", false, {}, {.name = "金卡", .ratio = "0"}, kRatio, "Edit2", "金卡|0||"},
        {"ratio not a number", false, {}, {.name = "金卡", .ratio = "1.2.3"},
         "积分比例“1.2.3”不是有效的数字，请重新输入！", "Edit2", "金卡|1.2.3||"},
        {"empty bounds become 0 and 0", true, {}, {.name = "金卡"}, kOrder, "Edit4", "金卡|1|0|0"},
        {"equal bounds", true, {}, {.name = "金卡", .lower = "5", .upper = "5"}, kOrder, "Edit4", "金卡|1|5|5"},
        {"lower bound not a number", true, {}, {.name = "金卡", .lower = "1..5", .upper = "9"},
         "积分下限“1..5”不是有效的数字，请重新输入！", "Edit3", "金卡|1|1..5|9"},
        {"upper bound not a number", true, {}, {.name = "金卡", .lower = "1", .upper = "2.0.0"},
         "积分上限“2.0.0”不是有效的数字，请重新输入！", "Edit4", "金卡|1|1|2.0.0"},
        {"shared end", true, {{"金卡", 0, 100}}, {.name = "银卡", .lower = "100", .upper = "200"}, kOverlap, "Edit4",
         "银卡|1|100|200"},
        {"another's lower bound inside", true, {{"金卡", 100, 200}}, {.name = "银卡", .lower = "0", .upper = "150"},
         kOverlap, "Edit4", "银卡|1|0|150"},
        {"another's upper bound inside", true, {{"金卡", 0, 100}}, {.name = "银卡", .lower = "50", .upper = "150"},
         kOverlap, "Edit4", "银卡|1|50|150"},
        {"range inside another", true, {{"金卡", 0, 100}}, {.name = "银卡", .lower = "10", .upper = "20"}, kOverlap,
         "Edit4", "银卡|1|10|20"},
        {"numeric, not text, comparison", true, {{"金卡", 20, 30}}, {.name = "银卡", .lower = "3", .upper = "100"},
         kOverlap, "Edit4", "银卡|1|3|100"},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.setAutomatic(c.automatic);
        for (const Range& r : c.existing) env.addCategory(r.name, r.lower, r.upper);
        Tleibie& f = env.openCategories();
        fillAndSave(f, c.entry);

        EXPECT_EQ(env.categoryCount(), qsizetype(c.existing.size())) << c.what;
        ASSERT_EQ(env.shell.messageTexts(), QStringList{c.message}) << c.what;
        EXPECT_EQ(env.shell.messages[0].caption, "提示") << c.what;
        EXPECT_EQ(env.shell.messages[0].icon, Icon::Error) << c.what;
        EXPECT_EQ(f.focused()->name(), c.focus) << c.what;
        EXPECT_EQ(fields(f), c.fieldsAfter) << c.what;
    }
}

TEST_F(CategoryFixture, AnExistingNameIsClearedOnLeavingTheFieldAndAgainAtSave) {
    addCategory("金卡");
    Tleibie& f = openCategories();
    f.typeText("金卡\r");
    EXPECT_EQ(shell.messageTexts(), QStringList{kExists});
    EXPECT_EQ(shell.messages[0].icon, Icon::Error);
    EXPECT_EQ(f.Edit1.text(), "");
    EXPECT_EQ(f.focused(), &f.Edit1);

    // Another screen adds the name after it was tested on leaving the field.
    shell.messages.clear();
    f.typeText("银卡\r");
    EXPECT_EQ(f.focused(), &f.Edit2);
    addCategory("银卡", 0, 0, 7);
    f.BitBtn1.click();
    EXPECT_EQ(shell.messageTexts(), QStringList{kExists});
    EXPECT_EQ(f.Edit1.text(), "");
    EXPECT_EQ(f.focused(), &f.Edit1);
    EXPECT_EQ(categoryRow("银卡"), "7|1|1|0|0");
}

namespace {

// What the operator changes in the modify dialog (an empty optional keeps the field).
struct Change {
    std::optional<QString> ratio, lower, upper;
};

}  // namespace

TEST(CategoryModify, FillsTheDialogFromTheSelectedRow) {
    for (bool automatic : {true, false}) {
        MembersEnv env;
        env.setAutomatic(automatic);
        env.addCategory("金卡", 0, 100);
        env.addCategory("银卡", 100.5, 200, 2.5, false, true);
        Tleibie& f = env.openCategories();
        f.DBGridEh1.selectRow(1);
        env.shell.modalScripts.push_back([&](kit::Form& form) {
            auto& d = static_cast<Tkaleibiexiugai&>(form);
            EXPECT_EQ(d.caption(), "卡类别修改");
            EXPECT_EQ(fields(d), "银卡|2.5|100.5|200");
            EXPECT_TRUE(d.Edit1.readOnly());
            EXPECT_FALSE(d.CheckBox1.checked());
            EXPECT_TRUE(d.CheckBox2.checked());
            EXPECT_EQ(d.boundsEnabled(), automatic);
            EXPECT_EQ(d.Edit3.canFocus(), automatic);
            d.BitBtn2.click();
        });
        f.BitBtn3.click();
        EXPECT_EQ(env.shell.modalShown, std::vector<QString>{"Tkaleibiexiugai"});
        EXPECT_EQ(env.categoryRow("银卡"), "2.5|0|1|100.5|200") << "退出 writes nothing";
    }
}

TEST(CategoryModify, SavesOrRefuses) {
    const struct Case {
        const char* what;
        bool automatic;
        int row;   // selected: 0 金卡 0..100, 1 银卡 101..200
        Change change;
        QString message;   // empty: saved
        QString row0, row1;
        QString focus = {};   // after a refusal
    } cases[] = {
        {"bounds unchanged pass the range test", true, 0, {.ratio = "3"}, {}, "3|1|1|0|100", "1|1|1|101|200"},
        {"own range may shrink", true, 1, {.lower = "150"}, {}, "1|1|1|0|100", "1|1|1|150|200"},
        {"bounds off are written back as stored", false, 1, {.ratio = "4"}, {}, "1|1|1|0|100", "4|1|1|101|200"},
        {"grows into the next range", true, 0, {.upper = "150"}, kOverlap, "1|1|1|0|100", "1|1|1|101|200", "Edit4"},
        {"meets the previous range", true, 1, {.lower = "100"}, kOverlap, "1|1|1|0|100", "1|1|1|101|200", "Edit4"},
        {"equal bounds", true, 0, {.lower = "100"}, kOrder, "1|1|1|0|100", "1|1|1|101|200", "Edit4"},
        {"ratio 0", true, 0, {.ratio = "0"}, kRatio, "1|1|1|0|100", "1|1|1|101|200", "Edit2"},
        {"ratio not a number", true, 0, {.ratio = "1.2.3"}, "积分比例“1.2.3”不是有效的数字，请重新输入！",
         "1|1|1|0|100", "1|1|1|101|200", "Edit2"},
        {"upper bound not a number", true, 0, {.upper = "1.0.0"}, "积分上限“1.0.0”不是有效的数字，请重新输入！",
         "1|1|1|0|100", "1|1|1|101|200", "Edit4"},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.setAutomatic(true);
        env.addCategory("金卡", 0, 100);
        env.addCategory("银卡", 101, 200);
        env.setAutomatic(c.automatic);
        Tleibie& f = env.openCategories();
        f.DBGridEh1.selectRow(c.row);
        bool stayedOpen = false;
        QString focus;
        env.shell.modalScripts.push_back([&](kit::Form& form) {
            auto& d = static_cast<Tkaleibiexiugai&>(form);
            if (c.change.ratio) retype(d, d.Edit2, *c.change.ratio);
            if (c.change.lower) retype(d, d.Edit3, *c.change.lower);
            if (c.change.upper) retype(d, d.Edit4, *c.change.upper);
            d.BitBtn1.click();
            stayedOpen = !d.isClosing();
            if (d.focused()) focus = d.focused()->name();
        });
        f.BitBtn3.click();

        EXPECT_EQ(env.categoryRow("金卡"), c.row0) << c.what;
        EXPECT_EQ(env.categoryRow("银卡"), c.row1) << c.what;
        const QString expected = c.message.isEmpty() ? QString("修改卡类别成功！") : c.message;
        ASSERT_EQ(env.shell.messageTexts(), QStringList{expected}) << c.what;
        EXPECT_EQ(env.shell.messages[0].icon, c.message.isEmpty() ? Icon::Information : Icon::Error) << c.what;
        EXPECT_EQ(env.shell.messages[0].caption, "提示") << c.what;
        EXPECT_EQ(stayedOpen, !c.message.isEmpty()) << c.what;
        if (!c.message.isEmpty()) {
            EXPECT_EQ(focus, c.focus) << c.what;
        }
        // The list shows what the database holds.
        const db::Result& shown = f.DBGridEh1.query().result();
        ASSERT_EQ(shown.rowCount(), 2) << c.what;
        EXPECT_EQ(shown.text(c.row, shown.columnIndex("积分比例")), c.row == 0 ? c.row0.section('|', 0, 0)
                                                                                : c.row1.section('|', 0, 0))
            << c.what;
    }
}

TEST_F(CategoryFixture, ModifyAndDeleteDoNothingOnAnEmptyList) {
    Tleibie& f = openCategories();
    f.BitBtn3.click();
    f.BitBtn4.click();
    EXPECT_TRUE(shell.modalShown.empty());
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(CategoryFixture, DeleteAsksFirstAndLeavesMembersTheirCategoryName) {
    addCategory("金卡");
    addCategory("银卡");
    conn().exec("insert into 会员卡信息 (会员卡号, 卡类别) values ('A001', '金卡')");
    Tleibie& f = openCategories();
    f.DBGridEh1.selectRow(0);

    shell.answers = {Answer::Cancel};
    f.BitBtn4.click();
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "确实删除当前会员类别？该操作不可恢复！");
    EXPECT_EQ(shell.messages[0].caption, "删除提示");
    EXPECT_EQ(shell.messages[0].icon, Icon::Question);
    EXPECT_EQ(shell.messages[0].buttons, kit::Buttons::OkCancel);
    EXPECT_EQ(categoryCount(), 2);

    shell.messages.clear();
    f.BitBtn4.click();
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_EQ(shell.messages[1].text, "删除当前会员类别成功！");
    EXPECT_EQ(shell.messages[1].icon, Icon::Information);
    EXPECT_EQ(categoryRow("金卡"), "");
    EXPECT_EQ(categoryRow("银卡"), "1|1|1|0|0");
    EXPECT_EQ(f.DBGridEh1.query().recordCount(), 1);
    EXPECT_EQ(value("select 卡类别 from 会员卡信息 where 会员卡号='A001'"), "金卡");
}

TEST_F(CategoryFixture, AFailedWriteIsShownAndTheFormsKeepWhatWasTyped) {
    addCategory("金卡");
    conn().exec("create trigger no_insert before insert on 卡类别 begin select raise(abort, '磁盘已满'); end");
    conn().exec("create trigger no_update before update on 卡类别 begin select raise(abort, '磁盘已满'); end");
    Tleibie& f = openCategories();
    fillAndSave(f, {.name = "银卡", .ratio = "3"});
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_TRUE(shell.messages[0].text.contains("磁盘已满")) << shell.messages[0].text.toStdString();
    EXPECT_EQ(shell.messages[0].icon, Icon::None);
    EXPECT_EQ(fields(f), "银卡|3|0|0");
    EXPECT_EQ(categoryCount(), 1);

    shell.messages.clear();
    bool stayedOpen = false;
    shell.modalScripts.push_back([&](kit::Form& form) {
        auto& d = static_cast<Tkaleibiexiugai&>(form);
        retype(d, d.Edit2, "5");
        d.BitBtn1.click();
        stayedOpen = !d.isClosing();
        EXPECT_EQ(d.Edit2.text(), "5");
    });
    f.BitBtn3.click();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_TRUE(shell.messages[0].text.contains("磁盘已满"));
    EXPECT_EQ(categoryRow("金卡"), "1|1|1|0|0");
}
