// The member maintenance list and the member overview over their one shared
// member result set.

#include "members_env.h"

#include <QFileInfo>
#include <algorithm>

using kit::Answer;
using kit::Icon;
using members::Tquanbuhuiyuan;
using members::Txinhuiyuan;

namespace {

struct MemberListFixture : ::testing::Test, MembersEnv {
    MemberListFixture() { addCategory("金卡"); }
};

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

// The footer cells that carry something, as "column:text".
QStringList footerCells(const kit::DataGrid& grid) {
    QStringList cells;
    for (int i = 0; i < grid.footer().size(); ++i)
        if (!grid.footer()[i].isEmpty()) cells << QStringLiteral("%1:%2").arg(i).arg(grid.footer()[i]);
    return cells;
}

void search(Txinhuiyuan& list, const QString& column, const QString& text) {
    list.ComboBox1.choose(int(list.ComboBox1.items().indexOf(column)));
    list.moveFocusTo(list.Edit1);
    list.Edit1.selectAll();
    list.typeText(text.isEmpty() ? QStringLiteral("\b") : text);
}

}  // namespace

TEST_F(MemberListFixture, BothListsOpenWithEveryMemberAndTheFooter) {
    addMember({.card = "A001", .name = "甲", .points = 100});
    addMember({.card = "A002", .name = "乙", .points = 50.5});
    addMember({.card = "A003", .name = "丙", .points = std::nullopt});

    main().toolButton("会员管理")->click();
    Txinhuiyuan& list = dynamic_cast<Txinhuiyuan&>(*shell.childWindow("新增/修改会员信息"));
    EXPECT_EQ(list.position, std::make_pair(0, 0));
    EXPECT_EQ(list.ComboBox1.items(), QStringList({"会员卡号", "会员姓名", "卡类别", "地址", "固定电话", "手机"}));
    EXPECT_EQ(list.ComboBox1.text(), "会员卡号");
    EXPECT_EQ(shownCards(list.DBGridEh1), QStringList({"A001", "A002", "A003"}));
    EXPECT_EQ(footerCells(list.DBGridEh1), QStringList({"0:合计数量", "1:3", "6:合计积分", "7:150.5"}));
    QStringList titles;
    for (const auto& c : list.DBGridEh1.shownColumns()) titles << c.title;
    EXPECT_EQ(titles, QStringList({"会员卡号", "卡类别", "会员姓名", "性别", "身份证号", "生日类型", "生日", "积分", "地址",
                                   "固定电话", "手机", "起用日期", "照片路径", "口头挂失标志"}));

    Tquanbuhuiyuan& overview = openOverview();
    EXPECT_EQ(overview.position, std::make_pair(0, 0));
    EXPECT_EQ(overview.DBGridEh1.shownColumns().back().title, "口头挂失");
    EXPECT_TRUE(overview.CheckBox1.checked() && overview.CheckBox2.checked() && overview.CheckBox3.checked());
    EXPECT_EQ(overview.ComboBox1.text(), "金卡");
    EXPECT_EQ(overview.DateTimePicker1.date(), QDate::currentDate());
    EXPECT_EQ(footerCells(overview.DBGridEh1), QStringList({"0:合计数量", "1:3", "6:合计积分", "7:150.5"}));
    EXPECT_EQ(shell.childWindows().size(), 2u);
}

TEST_F(MemberListFixture, TheQuickSearchNarrowsTheListWithEachKeystroke) {
    addMember({.card = "A001", .name = "张三", .points = 10, .address = "打五折50%区"});
    addMember({.card = "A002", .name = "张三丰", .points = 20, .address = "5000号"});
    addMember({.card = "A003", .name = "李四", .points = 40});
    conn().exec("update 会员卡信息 set 地址=null where 会员卡号='A003'");
    Txinhuiyuan& list = openMemberList();

    // Each keystroke searches again: the footer count after each one.
    list.ComboBox1.choose(1);   // 会员姓名
    list.moveFocusTo(list.Edit1);
    QStringList counts;
    for (QChar ch : QStringLiteral("张三丰\b\b")) {
        list.typeText(QString(ch));
        counts << list.DBGridEh1.footer().value(1);
    }
    EXPECT_EQ(counts, QStringList({"2", "2", "1", "2", "2"}));

    const struct Step {
        QString column, typed;
        QStringList cards;
    } steps[] = {
        {"会员姓名", "张", {"A001", "A002"}},
        {"会员姓名", "张三丰", {"A002"}},
        {"地址", "50%", {"A001"}},        // the typed text matches as it stands
        {"地址", "", {"A001", "A002"}},   // every member with an address
        {"会员卡号", "O'", {}},
    };
    for (const Step& s : steps) {
        search(list, s.column, s.typed);
        EXPECT_EQ(shownCards(list.DBGridEh1), s.cards) << qPrintable(s.column + " " + s.typed);
    }
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(MemberListFixture, TheTwoListsShowOneResultSet) {
    addMember({.card = "A001", .name = "张三", .points = 100});
    addMember({.card = "A002", .name = "李四", .points = 200});
    Txinhuiyuan& list = openMemberList();
    Tquanbuhuiyuan& overview = openOverview();

    search(list, "会员姓名", "李");
    EXPECT_EQ(shownCards(overview.DBGridEh1), QStringList{"A002"});
    EXPECT_EQ(overview.DBGridEh1.footer().value(7), "200");

    overview.CheckBox2.click();
    retype(overview, overview.Edit1, "0");
    retype(overview, overview.Edit2, "150");
    overview.BitBtn1.click();
    EXPECT_EQ(shownCards(list.DBGridEh1), QStringList{"A001"});
    EXPECT_EQ(list.DBGridEh1.footer().value(1), "1");
}

TEST_F(MemberListFixture, AnAddKeepsTheQuickSearch) {
    addMember({.card = "A001", .name = "张三"});
    Txinhuiyuan& list = openMemberList();
    search(list, "会员姓名", "张");
    inAddDialog(list, [](members::Txinzenghuiyuan& d) {
        for (const char* member : {"A002|李四", "A003|张飞"}) {
            const QStringList parts = QString::fromUtf8(member).split('|');
            retype(d, d.Edit1, parts[0]);
            retype(d, d.Edit2, parts[1]);
            d.BitBtn1.click();
        }
    });
    EXPECT_EQ(shell.messageTexts(), QStringList({"新增会员成功！", "新增会员成功！"}));
    EXPECT_EQ(count("select * from 会员卡信息"), 3);
    EXPECT_EQ(shownCards(list.DBGridEh1), QStringList({"A001", "A003"}));
}

TEST_F(MemberListFixture, ModifyAndDeleteDoNothingOnAnEmptyList) {
    Txinhuiyuan& list = openMemberList();
    list.BitBtn2.click();
    list.DBGridEh1.doubleClick(0);
    list.BitBtn3.click();
    EXPECT_TRUE(shell.modalShown.empty());
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(MemberListFixture, ADoubleClickModifiesTheRowClicked) {
    addMember({.card = "A001", .name = "甲"});
    addMember({.card = "A002", .name = "乙"});
    Txinhuiyuan& list = openMemberList();
    QString shown;
    shell.modalScripts.push_back(
        [&](kit::Form& f) { shown = dynamic_cast<members::Txiugaihuiyuan&>(f).Edit1.text(); });
    list.DBGridEh1.doubleClick(1);
    EXPECT_EQ(shown, "A002");
}

TEST_F(MemberListFixture, DeleteAsksFirstAndLeavesTheHistory) {
    addMember({.card = "A001", .name = "甲", .points = 10});
    addMember({.card = "A002", .name = "乙", .points = 20});
    addMember({.card = "A003", .name = "丙", .points = 30});
    conn().exec("insert into 流水记录 (编号, 会员卡号, 增减积分) values ('0000000001', 'A002', 20)");
    Txinhuiyuan& list = openMemberList();
    list.DBGridEh1.selectRow(1);

    shell.answers = {Answer::Cancel};
    list.BitBtn3.click();
    EXPECT_EQ(shownCards(list.DBGridEh1).size(), 3);

    list.BitBtn3.click();
    EXPECT_EQ(shell.messageTexts(), QStringList({"确实删除该会员？该操作不可恢复！请谨慎操作！",
                                                 "确实删除该会员？该操作不可恢复！请谨慎操作！", "会员删除成功！"}));
    EXPECT_EQ(shell.messages[0].caption, "提示");
    EXPECT_EQ(shell.messages[0].icon, Icon::Question);
    EXPECT_EQ(shell.messages[2].icon, Icon::Information);
    EXPECT_EQ(shownCards(list.DBGridEh1), QStringList({"A001", "A003"}));
    EXPECT_EQ(footerCells(list.DBGridEh1), QStringList({"0:合计数量", "1:2", "6:合计积分", "7:40"}));
    EXPECT_EQ(count("select * from 流水记录 where 会员卡号='A002'"), 1);
}

TEST_F(MemberListFixture, TitleClicksSortWhatIsListedAndFindMovesToAMatch) {
    addMember({.card = "A001", .name = "甲", .points = 30});
    addMember({.card = "A002", .name = "乙", .points = 10});
    addMember({.card = "A003", .name = "丙", .points = 20});
    Txinhuiyuan& list = openMemberList();
    EXPECT_EQ(list.DBGridEh1.hint(), "单击列头可实现排序");
    list.DBGridEh1.clickTitle(7);   // 积分
    EXPECT_EQ(shownCards(list.DBGridEh1), QStringList({"A002", "A003", "A001"}));
    search(list, "会员卡号", "A00");
    EXPECT_EQ(shownCards(list.DBGridEh1), QStringList({"A002", "A003", "A001"})) << "a new search keeps the order";
    EXPECT_EQ(list.DBGridEh1.find("丙"), 1);
    EXPECT_EQ(list.DBGridEh1.footer().value(7), "60");
}

TEST_F(MemberListFixture, ExportsOfferTheScreensFileNames) {
    addMember({.card = "A001", .name = "甲"});
    Txinhuiyuan& list = openMemberList();
    const QString target = home.file("members");
    shell.fileChoices = {kit::FileChoice{target, 1}};
    list.BitBtn4.click();
    Tquanbuhuiyuan& overview = openOverview();
    shell.fileChoices = {std::nullopt};
    overview.BitBtn2.click();

    ASSERT_EQ(shell.fileDialogs.size(), 2u);
    EXPECT_EQ(shell.fileDialogs[0].defaultName, "会员档案");
    EXPECT_EQ(shell.fileDialogs[1].defaultName, "会员信息");
    EXPECT_EQ(shell.messageTexts(), QStringList{"导出数据成功！"});
    EXPECT_TRUE(QFileInfo::exists(target + ".csv"));
}

TEST(MemberOverview, ListsByTheTickedConditions) {
    const struct Case {
        bool allDates, allPoints, allCategories;
        QString from, to, category;
        QDate dateFrom, dateTo;
        QStringList cards;
    } cases[] = {
        {true, true, true, "", "", "", {}, {}, {"A", "B", "C", "D", "E", "F"}},
        {true, true, false, "", "", "金卡", {}, {}, {"A", "C", "D"}},
        {true, false, true, "100", "100", "", {}, {}, {"A", "B", "F"}},
        {true, false, false, "100", "100", "银卡", {}, {}, {"B"}},
        {false, true, true, "", "", "", {2026, 2, 10}, {2026, 3, 1}, {"B", "C", "E"}},
        {false, true, false, "", "", "金卡", {2026, 1, 10}, {2026, 2, 10}, {"A", "C", "D"}},
        {false, false, true, "50", "100", "", {2026, 1, 10}, {2026, 2, 10}, {"A", "B", "C", "F"}},
        {false, false, false, "100", "200.5", "银卡", {2026, 2, 10}, {2026, 3, 1}, {"B", "E"}},
        {true, true, false, "", "", "O'Neil卡", {}, {}, {"F"}},
        {false, true, true, "", "", "", {2026, 3, 1}, {2026, 2, 1}, {}},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.addCategory("金卡");
        env.addMember({.card = "A", .name = "甲", .category = "金卡", .points = 100, .startDate = "2026-01-10"});
        env.addMember({.card = "B", .name = "乙", .category = "银卡", .points = 100, .startDate = "2026-02-10"});
        env.addMember({.card = "C", .name = "丙", .category = "金卡", .points = 50, .startDate = "2026-02-10"});
        env.addMember({.card = "D", .name = "丁", .category = "金卡", .points = std::nullopt, .startDate = "2026-01-10"});
        env.addMember({.card = "E", .name = "戊", .category = "银卡", .points = 200.5, .startDate = "2026-03-01"});
        env.addMember({.card = "F", .name = "己", .category = "O'Neil卡", .points = 100, .startDate = "2026-01-10"});
        Tquanbuhuiyuan& f = env.openOverview();
        if (!c.allDates) {
            f.CheckBox1.click();
            f.DateTimePicker1.pick(c.dateFrom);
            f.DateTimePicker2.pick(c.dateTo);
        }
        if (!c.allPoints) {
            f.CheckBox2.click();
            retype(f, f.Edit1, c.from);
            retype(f, f.Edit2, c.to);
        }
        if (!c.allCategories) {
            f.CheckBox3.click();
            f.ComboBox1.setText(c.category);
        }
        f.BitBtn1.click();
        const QString what = QStringLiteral("%1%2%3 %4-%5 %6").arg(c.allDates).arg(c.allPoints).arg(c.allCategories)
                                 .arg(c.from, c.to, c.category);
        EXPECT_EQ(sorted(shownCards(f.DBGridEh1)), c.cards) << qPrintable(what);
        EXPECT_TRUE(env.shell.messages.empty()) << qPrintable(what + ": " + env.shell.lastMessage());
    }
}

TEST(MemberOverview, RefusesMissingOrNonNumberConditionsBeforeAnythingRuns) {
    const struct Case {
        const char* what;
        QString from, to;
        bool allCategories;
        QString category;
        QString message;
        QString focus;
    } cases[] = {
        {"points from empty", "", "100", true, "", "请填写积分条件！", "Edit1"},
        {"points to empty", "100", "", true, "", "请填写积分条件！", "Edit1"},
        {"points from not a number", "1.2.3", "100", true, "", "积分条件“1.2.3”不是有效的数字，请重新输入！", "Edit1"},
        {"points to not a number", "1", "..", true, "", "积分条件“..”不是有效的数字，请重新输入！", "Edit2"},
        {"category empty", "1", "2", false, "", "请填写卡类别条件！", "ComboBox1"},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.addCategory("金卡");
        env.addMember({.card = "A", .name = "甲", .points = 100});
        env.addMember({.card = "B", .name = "乙", .points = 5});
        Tquanbuhuiyuan& f = env.openOverview();
        f.CheckBox2.click();
        retype(f, f.Edit1, c.from);
        retype(f, f.Edit2, c.to);
        if (!c.allCategories) {
            f.CheckBox3.click();
            f.ComboBox1.setText(c.category);
        }
        f.BitBtn1.click();
        ASSERT_EQ(env.shell.messageTexts(), QStringList{c.message}) << c.what;
        EXPECT_EQ(env.shell.messages[0].caption, "提示") << c.what;
        EXPECT_EQ(env.shell.messages[0].icon, Icon::Error) << c.what;
        EXPECT_EQ(f.focused()->name(), c.focus) << c.what;
        EXPECT_EQ(shownCards(f.DBGridEh1), QStringList({"A", "B"})) << c.what << ": the list stays";
        EXPECT_EQ(env.dm().ADOQuery5.sql(), "select * from 会员卡信息") << c.what;
    }
}
