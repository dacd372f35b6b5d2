// The add and modify member dialogs, shown from the member list and driven as
// the operator uses them.

#include "members_env.h"

#include <QDir>
#include <QFile>

using kit::Answer;
using kit::Icon;
using members::Txinhuiyuan;
using members::Txinzenghuiyuan;
using members::Txiugaihuiyuan;

namespace {

const QString kReplaced = "此卡已经挂失，不能使用!";
const QString kWrongCategory =
    "必须为会员选择一个正确的卡类别！否则无法进行积分！如果你还没有设置卡类别，请到“卡类别设置”中进行设置！!";
const QString kSharedId =
    "该身份证号码已经存在，继续用此身份证号码请点“确定”！否则请点“取消”后重新输入身份证号码！";
const QString kStored = "会员卡号, 卡类别, 会员姓名, 性别, 身份证号, 生日类型, 生日, 会员生日, 积分, 地址, 固定电话, 手机, "
                        "起用日期, 照片";

// Replaces the text of a field or combo box as the operator does.
void put(kit::Form& f, kit::Control& c, const QString& text) {
    f.moveFocusTo(c);
    if (auto* e = dynamic_cast<kit::Edit*>(&c)) e->selectAll();
    if (auto* b = dynamic_cast<kit::ComboBox*>(&c)) b->selectAll();
    f.typeText(text.isEmpty() ? QStringLiteral("\b") : text);
}

QString focusName(const kit::Form& f) { return f.focused() ? f.focused()->name() : QString(); }

// An empty file where a picture would be (the test shell only asks that it exists).
QString pictureFile(const testing_support::TempHome& home, const QString& name) {
    QDir().mkpath(home.file("image"));
    const QString path = home.file("image/" + name);
    QFile(path).open(QIODevice::WriteOnly);
    return path;
}

struct MemberDialogFixture : ::testing::Test, MembersEnv {
    MemberDialogFixture() {
        addCategory("金卡");
        addCategory("银卡");
    }
};

// Both dialogs with the controls they share, for tables that cover both.
struct DialogCase {
    bool modify;
    const char* what;
};

}  // namespace

// --- add dialog ----------------------------------------------------------------

TEST_F(MemberDialogFixture, TheAddDialogOpensCleanSavesAndKeepsTheChoicesForTheNextMember) {
    const QString photo = pictureFile(home, "zhang.jpg");
    Txinhuiyuan& list = openMemberList();
    bool stayedOpen = false;
    inAddDialog(list, [&](Txinzenghuiyuan& d) {
        EXPECT_EQ(d.caption(), "新增会员");
        EXPECT_EQ(d.ComboBox1.items(), QStringList({"金卡", "银卡"}));
        EXPECT_EQ(d.ComboBox1.text(), "金卡");
        EXPECT_EQ(d.ComboBox2.text(), "男");
        EXPECT_EQ(d.RadioGroup1.itemIndex(), 0);
        EXPECT_FALSE(d.DateTimePicker2.enabled());
        EXPECT_EQ(d.DateTimePicker1.date(), QDate::currentDate());
        EXPECT_FALSE(d.Image1.visible());
        EXPECT_EQ(focusName(d), "Edit1");

        put(d, d.Edit1, "  A001 ");
        d.ComboBox1.choose(1);
        EXPECT_EQ(focusName(d), "Edit2") << "choosing a category moves on";
        d.typeText("O'Neil 张");
        d.ComboBox2.choose(1);
        EXPECT_EQ(focusName(d), "Edit3");
        put(d, d.Edit3, " ID-1 ");
        put(d, d.ComboBox3, "北京路1号");
        put(d, d.Edit4, "010-1234");
        put(d, d.Edit5, "13900001111");
        d.DateTimePicker1.pick(QDate(2026, 3, 1));
        d.RadioGroup1.choose(2);
        d.DateTimePicker2.pick(QDate(1990, 8, 5));
        put(d, d.Edit6, "12.5");
        shell.fileChoices.push_back(kit::FileChoice{photo});
        d.Button1.click();
        d.BitBtn1.click();

        stayedOpen = !d.isClosing();
        EXPECT_EQ(QStringList({d.Edit1.text(), d.Edit2.text(), d.Edit3.text(), d.Edit4.text(), d.Edit5.text(),
                               d.Edit6.text(), d.Edit7.text()})
                      .join('|'),
                  "||||||");
        EXPECT_FALSE(d.Image1.visible());
        EXPECT_EQ(focusName(d), "Edit1");
        EXPECT_EQ(QStringList({d.ComboBox1.text(), d.ComboBox2.text(), d.ComboBox3.text()}).join('|'),
                  "银卡|女|北京路1号");
        EXPECT_EQ(d.RadioGroup1.itemIndex(), 2);
        EXPECT_EQ(d.DateTimePicker1.date(), QDate(2026, 3, 1));
        EXPECT_EQ(d.DateTimePicker2.date(), QDate(1990, 8, 5));
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(shell.messageTexts(), QStringList{"新增会员成功！"});
    EXPECT_EQ(shell.messages[0].caption, "提示");
    EXPECT_EQ(shell.messages[0].icon, Icon::Information);
    EXPECT_EQ(memberRow("A001", kStored),
              "A001|银卡|O'Neil 张|女|ID-1|农历|1990-08-05|8-5|12.5|北京路1号|010-1234|13900001111|2026-03-01|" + photo);
    EXPECT_EQ(shownCards(list.DBGridEh1), QStringList{"A001"}) << "the list shows the new member";
}

TEST(MemberDialogEnterOrder, WalksTheFieldsAndFollowsTheBirthdayChoice) {
    const struct Case {
        DialogCase dialog;
        QStringList walk;          // from the card number, one Enter each
        QStringList afterBirthday; // after choosing 公历生日, one Enter each
        QString afterNoBirthday;   // where choosing 不管理生日 puts the focus
    } cases[] = {
        {{false, "add"},
         {"ComboBox1", "Edit2", "ComboBox2", "Edit3", "ComboBox3", "Edit4", "Edit5", "DateTimePicker1", "RadioGroup1",
          "RadioGroup1"},
         {"Edit6", "BitBtn1"},
         "Edit6"},
        {{true, "modify"},
         {"ComboBox1", "Edit2", "ComboBox2", "Edit3", "Edit6", "Edit4", "Edit5", "DateTimePicker1", "RadioGroup1",
          "RadioGroup1"},
         {"BitBtn1"},
         "BitBtn1"},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.addCategory("金卡");
        env.addMember({.card = "A001", .name = "张三"});
        Txinhuiyuan& list = env.openMemberList();
        env.shell.modalScripts.push_back([&](kit::Form& d) {
            auto& m = dynamic_cast<members::MemberDialog&>(d);
            EXPECT_EQ(enterWalk(d, int(c.walk.size())), c.walk) << c.dialog.what;
            m.RadioGroup1.choose(1);
            EXPECT_EQ(focusName(d), "DateTimePicker2") << c.dialog.what;
            EXPECT_EQ(enterWalk(d, int(c.afterBirthday.size())), c.afterBirthday) << c.dialog.what;
            m.RadioGroup1.choose(0);
            EXPECT_EQ(focusName(d), c.afterNoBirthday) << c.dialog.what;
            EXPECT_FALSE(m.DateTimePicker2.enabled()) << c.dialog.what;
        });
        (c.dialog.modify ? list.BitBtn2 : list.BitBtn1).click();
        EXPECT_TRUE(env.shell.messages.empty()) << c.dialog.what;
    }
}

TEST_F(MemberDialogFixture, OnlyTheAddDialogMovesOnWhenAnItemIsChosen) {
    addMember({.card = "A001", .name = "张三", .address = "北京路1号"});
    Txinhuiyuan& list = openMemberList();
    inAddDialog(list, [&](Txinzenghuiyuan& d) {
        put(d, d.ComboBox1, "银卡");
        EXPECT_EQ(focusName(d), "ComboBox1") << "typing a whole name is not choosing it";
        d.ComboBox3.dropDown();
        d.ComboBox3.choose(0);
        EXPECT_EQ(focusName(d), "Edit4");
    });
    inModifyDialog(list, [&](Txiugaihuiyuan& d) {
        d.ComboBox1.choose(1);
        d.ComboBox2.choose(1);
        EXPECT_EQ(focusName(d), "Edit1");
    });
}

TEST_F(MemberDialogFixture, TheAddressListIsRefilledOnEachDropDown) {
    addMember({.card = "A001", .name = "甲", .address = "北京路1号"});
    addMember({.card = "A002", .name = "乙", .address = "北京路1号"});
    Txinhuiyuan& list = openMemberList();
    inAddDialog(list, [&](Txinzenghuiyuan& d) {
        EXPECT_TRUE(d.ComboBox3.items().isEmpty());
        addMember({.card = "A003", .name = "丙", .address = "上海路2号"});
        addMember({.card = "A004", .name = "丁"});
        d.ComboBox3.dropDown();
        QStringList items = d.ComboBox3.items();
        items.sort();
        EXPECT_EQ(items, QStringList({"上海路2号", "北京路1号"}));
    });
}

TEST(AddDialogIdNumber, ReadsTheBirthdayOnLeavingTheField) {
    const int year = QDate::currentDate().year();
    auto fifteen = [](int year) {
        return "110105" + QStringLiteral("%1").arg(year % 100, 2, 10, QLatin1Char('0')) + "0315123";
    };
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QString todayKey = QStringLiteral("%1-%2").arg(QDate::currentDate().month()).arg(QDate::currentDate().day());
    const struct Case {
        const char* what;
        QString id;
        bool read;         // the birthday was read: picker enabled
        QString message;   // shown on leaving the field
        QString focus;     // after moving from the field to the landline
        QString stored;    // 生日|会员生日|生日类型 after saving
    } cases[] = {
        {"18 characters", "110105198503151234", true, "", "ComboBox3", "1985-03-15|3-15|公历"},
        {"15 characters, 50 years before this year", fifteen(year - 50), true, "", "ComboBox3",
         QStringLiteral("%1-03-15|3-15|公历").arg(year - 50)},
        {"15 characters, 51 years before this year", fifteen(year - 51), true, "", "ComboBox3",
         QStringLiteral("%1-03-15|3-15|公历").arg(year + 49)},
        {"a day that does not exist", "110105198502301234", false, "“1985-02-30”不是有效的日期！", "Edit4",
         today + "|" + todayKey + "|无"},
        {"another length", "1101051985031512", false, "", "ComboBox3", today + "|" + todayKey + "|无"},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.addCategory("金卡");
        Txinhuiyuan& list = env.openMemberList();
        env.inAddDialog(list, [&](Txinzenghuiyuan& d) {
            put(d, d.Edit1, "A001");
            put(d, d.Edit3, c.id);
            d.moveFocusTo(d.Edit4);
            EXPECT_EQ(focusName(d), c.focus) << c.what;
            EXPECT_EQ(d.DateTimePicker2.enabled(), c.read) << c.what;
            EXPECT_EQ(d.RadioGroup1.itemIndex(), c.read ? 1 : 0) << c.what;
            d.BitBtn1.click();
        });
        QStringList expected;
        if (!c.message.isEmpty()) expected << c.message;
        expected << "新增会员成功！";
        EXPECT_EQ(env.shell.messageTexts(), expected) << c.what;
        if (!c.message.isEmpty()) {
            EXPECT_EQ(env.shell.messages[0].caption, kit::kProductTitle);
            EXPECT_EQ(env.shell.messages[0].icon, Icon::Error);
        }
        EXPECT_EQ(env.memberRow("A001", "生日, 会员生日, 生日类型"), c.stored) << c.what;
    }
}

TEST(AddDialogSave, RefusalsLeaveTheDatabaseAlone) {
    const struct Case {
        const char* what;
        QString card, category, points, id;
        std::deque<Answer> answers;
        QString message, caption;
        QString focus;
        QString cardAfter;
    } cases[] = {
        {"blank card number", "   ", "金卡", "", "", {}, "卡号不能为空!", "系统提示", "Edit1", ""},
        {"points not a number, checked before the category", "A001", "铜卡", "1.2.3", "", {},
         "现有积分“1.2.3”不是有效的数字，请重新输入！", "提示", "Edit6", "A001"},
        {"typed unknown category", "A001", "铜卡", "", "", {}, kWrongCategory, "系统提示", "ComboBox1", "A001"},
        {"empty category", "A001", "", "", "", {}, kWrongCategory, "系统提示", "ComboBox1", "A001"},
        {"replaced card", "OLD1", "金卡", "", "", {}, kReplaced, "系统提示", "Edit1", ""},
        {"card number taken", "B001", "金卡", "", "", {}, "此卡号已经存在！", "提示", "Edit1", ""},
        {"shared identity number, cancelled", "A001", "金卡", "", "ID-9", {Answer::Cancel}, kSharedId, "提示",
         "Edit3", "A001"},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.addCategory("金卡");
        env.addMember({.card = "B001", .name = "乙", .idNumber = "ID-9"});
        env.replaceCard("OLD1", "B001");
        env.shell.answers = c.answers;
        Txinhuiyuan& list = env.openMemberList();
        env.inAddDialog(list, [&](Txinzenghuiyuan& d) {
            d.moveFocusTo(d.Edit2);   // the checks of the save, not those of leaving the field
            d.Edit1.setText(c.card);
            d.ComboBox1.setText(c.category);
            d.Edit3.setText(c.id);
            d.Edit6.setText(c.points);
            d.BitBtn1.click();
            EXPECT_EQ(focusName(d), c.focus) << c.what;
            EXPECT_EQ(d.Edit1.text(), c.cardAfter) << c.what;
            EXPECT_EQ(d.Edit6.text(), c.points) << c.what;
        });
        ASSERT_EQ(env.shell.messageTexts(), QStringList{c.message}) << c.what;
        EXPECT_EQ(env.shell.messages[0].caption, c.caption) << c.what;
        EXPECT_EQ(env.shell.messages[0].icon, c.answers.empty() ? Icon::Error : Icon::Question) << c.what;
        EXPECT_EQ(env.count("select * from 会员卡信息"), 1) << c.what;
    }
}

TEST_F(MemberDialogFixture, ASharedIdentityNumberIsStoredOnceConfirmedAndEmptyPointsAreZero) {
    addMember({.card = "B001", .name = "乙", .idNumber = "ID-9"});
    Txinhuiyuan& list = openMemberList();
    inAddDialog(list, [&](Txinzenghuiyuan& d) {
        put(d, d.Edit1, "A001");
        put(d, d.Edit3, "ID-9");
        // Leaving the identity number sends the focus to the address, so a
        // click on 保存 from there does not complete; the second one saves.
        d.BitBtn1.click();
        EXPECT_EQ(d.focused(), &d.ComboBox3);
        d.BitBtn1.click();
    });
    EXPECT_EQ(shell.messageTexts(), QStringList({kSharedId, "新增会员成功！"}));
    EXPECT_EQ(memberRow("A001", "身份证号, 积分"), "ID-9|0");
}

TEST(MemberCardNumberExit, RefusesAReplacedOrTakenNumberOnLeavingTheField) {
    const struct Case {
        DialogCase dialog;
        QString card;
        QString message, caption;
    } cases[] = {
        {{false, "add, replaced"}, "OLD1", kReplaced, "系统提示"},
        {{false, "add, taken"}, "B001", "此卡号已经存在！", "提示"},
        {{false, "add, free"}, "A009", "", ""},
        {{true, "modify, taken by another"}, "B001", "该会员卡号已经存在！", "提示"},
        {{true, "modify, its own"}, "A001", "", ""},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.addCategory("金卡");
        env.addMember({.card = "A001", .name = "甲"});
        env.addMember({.card = "B001", .name = "乙"});
        env.replaceCard("OLD1", "B001");
        Txinhuiyuan& list = env.openMemberList();
        env.shell.modalScripts.push_back([&](kit::Form& f) {
            auto& d = dynamic_cast<members::MemberDialog&>(f);
            put(d, d.Edit1, c.card);
            d.pressEnter();
            const bool refused = !c.message.isEmpty();
            EXPECT_EQ(focusName(d), refused ? "Edit1" : "ComboBox1") << c.dialog.what;
            EXPECT_EQ(d.Edit1.text(), refused ? QString() : c.card) << c.dialog.what;
        });
        (c.dialog.modify ? list.BitBtn2 : list.BitBtn1).click();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(env.shell.messages.empty()) << c.dialog.what;
            continue;
        }
        ASSERT_EQ(env.shell.messageTexts(), QStringList{c.message}) << c.dialog.what;
        EXPECT_EQ(env.shell.messages[0].caption, c.caption);
        EXPECT_EQ(env.shell.messages[0].icon, Icon::Error);
    }
}

TEST_F(MemberDialogFixture, PicturesShowOnlyWhenTheyLoad) {
    const QString photo = pictureFile(home, "a.jpg");
    addMember({.card = "A001", .name = "甲", .photo = photo});
    addMember({.card = "A002", .name = "乙", .photo = home.file("image/missing.jpg")});
    Txinhuiyuan& list = openMemberList();
    inAddDialog(list, [&](Txinzenghuiyuan& d) {
        shell.fileChoices = {kit::FileChoice{photo}};
        d.Button1.click();
        EXPECT_TRUE(shell.fileDialogs.at(0).filters.empty());
        EXPECT_EQ(d.Edit7.text(), photo);
        EXPECT_TRUE(d.Image1.visible());

        shell.fileChoices = {std::nullopt};
        d.Button1.click();
        EXPECT_EQ(d.Edit7.text(), photo) << "cancelled: nothing changes";
        EXPECT_TRUE(d.Image1.visible());

        shell.fileChoices = {kit::FileChoice{home.file("image/missing.jpg")}};
        d.Button1.click();
        EXPECT_EQ(d.Edit7.text(), home.file("image/missing.jpg"));
        EXPECT_FALSE(d.Image1.visible());

        put(d, d.Edit7, photo);
        EXPECT_FALSE(d.Image1.visible()) << "a typed path loads nothing";
    });
    list.DBGridEh1.selectRow(0);
    inModifyDialog(list, [&](Txiugaihuiyuan& d) { EXPECT_TRUE(d.Image1.visible()); });
    list.DBGridEh1.selectRow(1);
    inModifyDialog(list, [&](Txiugaihuiyuan& d) { EXPECT_FALSE(d.Image1.visible()); });
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(MemberDialogFixture, AFailedInsertIsShownAndTheDialogKeepsWhatWasTyped) {
    conn().exec("create trigger no_insert before insert on 会员卡信息 begin select raise(abort, '磁盘已满'); end");
    Txinhuiyuan& list = openMemberList();
    bool stayedOpen = false;
    inAddDialog(list, [&](Txinzenghuiyuan& d) {
        put(d, d.Edit1, "A001");
        put(d, d.Edit2, "张三");
        d.BitBtn1.click();
        stayedOpen = !d.isClosing();
        EXPECT_EQ(d.Edit1.text() + "|" + d.Edit2.text(), "A001|张三");
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_TRUE(shell.messages[0].text.contains("磁盘已满")) << shell.messages[0].text.toStdString();
    EXPECT_EQ(shell.messages[0].icon, Icon::None);
    EXPECT_EQ(count("select * from 会员卡信息"), 0);
}

// --- modify dialog -------------------------------------------------------------

TEST_F(MemberDialogFixture, TheModifyDialogShowsTheSelectedRow) {
    addMember({.card = "A001", .name = "甲", .birthdayType = "公历", .birthday = "1985-03-15"});
    addMember({.card = "A002", .name = "乙", .category = "银卡", .idNumber = "ID-2", .startDate = "",
               .address = "北京路1号", .birthdayType = "无", .birthday = "1990-12-01"});
    addMember({.card = "A003", .name = "丙", .birthdayType = "农历"});
    addMember({.card = "A004", .name = "丁", .birthdayType = ""});
    Txinhuiyuan& list = openMemberList();

    list.DBGridEh1.selectRow(1);
    inModifyDialog(list, [&](Txiugaihuiyuan& d) {
        EXPECT_EQ(d.caption(), "修改会员信息");
        EXPECT_EQ(QStringList({d.Edit1.text(), d.ComboBox1.text(), d.Edit2.text(), d.ComboBox2.text(), d.Edit3.text(),
                               d.Edit6.text(), d.Edit4.text(), d.Edit5.text()})
                      .join('|'),
                  "A002|银卡|乙|女|ID-2|北京路1号|010-1|139");
        EXPECT_EQ(d.ComboBox1.items(), QStringList({"金卡", "银卡"}));
        EXPECT_EQ(d.oldCardNumber() + "|" + d.oldIdNumber(), "A002|ID-2");
        EXPECT_EQ(d.DateTimePicker1.date(), QDate::currentDate()) << "an empty issue date gives today";
        EXPECT_EQ(d.DateTimePicker2.date(), QDate(1990, 12, 1));
        EXPECT_EQ(focusName(d), "Edit1");
    });

    // The birthday type picks the choice; any other value keeps the last one.
    const struct Step {
        int row;
        int choice;
        bool pickerEnabled;
    } steps[] = {{1, 0, false}, {0, 1, true}, {2, 2, true}, {3, 2, true}, {1, 0, false}, {3, 0, false}};
    for (const Step& s : steps) {
        list.DBGridEh1.selectRow(s.row);
        inModifyDialog(list, [&](Txiugaihuiyuan& d) {
            EXPECT_EQ(d.RadioGroup1.itemIndex(), s.choice) << "row " << s.row;
            EXPECT_EQ(d.DateTimePicker2.enabled(), s.pickerEnabled) << "row " << s.row;
        });
    }
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(MemberDialogFixture, ReSavingUnchangedRaisesNothing) {
    addMember({.card = "A001", .name = "甲", .idNumber = "ID-1", .birthdayType = "公历", .birthday = "1985-03-15",
               .monthDay = "3-15"});
    addMember({.card = "A002", .name = "乙", .idNumber = "ID-1"});
    const QString before = memberRow("A001", kStored);
    Txinhuiyuan& list = openMemberList();
    bool closed = false;
    inModifyDialog(list, [&](Txiugaihuiyuan& d) {
        d.BitBtn1.click();
        closed = d.isClosing();
    });
    EXPECT_TRUE(closed);
    ASSERT_EQ(shell.messageTexts(), QStringList{"修改会员信息成功！"});
    EXPECT_EQ(shell.messages[0].icon, Icon::Information);
    EXPECT_EQ(memberRow("A001", kStored), before);
}

TEST_F(MemberDialogFixture, ANewCardNumberChangesOnlyTheMemberRow) {
    addMember({.card = "A001", .name = "甲", .idNumber = "ID-1"});
    addMember({.card = "A002", .name = "乙", .idNumber = "ID-2"});
    conn().exec("insert into 流水记录 (编号, 会员卡号, 增减积分) values ('0000000001', 'A001', 10)");
    conn().exec("insert into 消费记录 (编号, 会员卡号, 消费金额) values ('0000000001', 'A001', 10)");
    Txinhuiyuan& list = openMemberList();
    list.DBGridEh1.selectRow(0);
    inModifyDialog(list, [&](Txiugaihuiyuan& d) {
        put(d, d.Edit1, " A009 ");
        put(d, d.Edit2, "O'Neil");
        put(d, d.Edit3, "ID-2");   // shared with 乙: asked, and confirmed
        d.RadioGroup1.choose(1);
        d.DateTimePicker2.pick(QDate(1990, 12, 1));
        d.BitBtn1.click();
    });
    EXPECT_EQ(shell.messageTexts(), QStringList({kSharedId, "修改会员信息成功！"}));
    EXPECT_EQ(memberRow("A009", "会员姓名, 身份证号, 生日类型, 生日, 会员生日"), "O'Neil|ID-2|公历|1990-12-01|12-1");
    EXPECT_EQ(count("select * from 会员卡信息 where 会员卡号='A001'"), 0);
    EXPECT_EQ(value("select 会员卡号 from 流水记录"), "A001");
    EXPECT_EQ(value("select 会员卡号 from 消费记录"), "A001");
    EXPECT_EQ(shownCards(list.DBGridEh1), QStringList({"A009", "A002"}));
}

TEST(ModifyDialogSave, RefusalsLeaveTheRowAndTheDialog) {
    const struct Case {
        const char* what;
        QString card, category, id;
        std::deque<Answer> answers;
        QString message, caption;
        Icon icon;
        QString focus;
        QString cardAfter;
    } cases[] = {
        {"blank card number", " ", "金卡", "ID-1", {}, "会员卡号不能为空！", "提示", Icon::Error, "Edit1", ""},
        {"replaced card", "OLD1", "金卡", "ID-1", {}, kReplaced, "系统提示", Icon::Question, "Edit1", ""},
        {"empty category", "A001", "", "ID-1", {}, "必须选择一种会员卡类别！", "提示", Icon::Error, "ComboBox1", "A001"},
        {"typed unknown category", "A001", "铜卡", "ID-1", {},
         "请选择正确的会员卡类型！如果会员卡类别还没有设置，请您设置“卡类别”！", "提示", Icon::Error, "ComboBox1", "A001"},
        {"card number of another member", "B001", "金卡", "ID-1", {}, "该会员卡号已经存在！", "提示", Icon::Error,
         "Edit1", ""},
        {"identity number of another member, cancelled", "A001", "金卡", "ID-9", {Answer::Cancel}, kSharedId, "提示",
         Icon::Question, "Edit3", "A001"},
    };
    for (const Case& c : cases) {
        MembersEnv env;
        env.addCategory("金卡");
        env.addMember({.card = "A001", .name = "甲", .idNumber = "ID-1"});
        env.addMember({.card = "B001", .name = "乙", .idNumber = "ID-9"});
        env.replaceCard("OLD1", "B001");
        const QString before = env.memberRow("A001", kStored);
        env.shell.answers = c.answers;
        Txinhuiyuan& list = env.openMemberList();
        bool stayedOpen = false;
        env.inModifyDialog(list, [&](Txiugaihuiyuan& d) {
            d.moveFocusTo(d.Edit2);
            d.Edit1.setText(c.card);
            d.ComboBox1.setText(c.category);
            d.Edit3.setText(c.id);
            d.BitBtn1.click();
            stayedOpen = !d.isClosing();
            EXPECT_EQ(focusName(d), c.focus) << c.what;
            EXPECT_EQ(d.Edit1.text(), c.cardAfter) << c.what;
        });
        EXPECT_TRUE(stayedOpen) << c.what;
        ASSERT_EQ(env.shell.messageTexts(), QStringList{c.message}) << c.what;
        EXPECT_EQ(env.shell.messages[0].caption, c.caption) << c.what;
        EXPECT_EQ(env.shell.messages[0].icon, c.icon) << c.what;
        EXPECT_EQ(env.memberRow("A001", kStored), before) << c.what;
    }
}
