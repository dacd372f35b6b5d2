// The card lookup shared by the transaction screens, on a small host screen.

#include "points/cardlookup.h"
#include "program_env.h"

#include <QFile>

using namespace points;
using kit::Answer;
using testing_support::ProgramEnv;

namespace {

// A transaction screen reduced to what the lookup needs from its host.
struct HostScreen : kit::Form {
    HostScreen(ProgramEnv& env, LookupScreen screen)
        : kit::Form(env.shell, "Thost", "交易", Kind::Child), lookup(*this, env.dm(), env.main(), screen) {
        lookup.placeCardNumber(layout());
        lookup.placeMemberPanel(layout().box(kit::Box::Kind::Fields));
        layout().add(amount, "本次消费金额").add(save);
        amount.setEnabled(false);
        save.setEnabled(false);
        lookup.unlockEntry = [this] {
            amount.setEnabled(true);
            save.setEnabled(true);
            amount.setFocus();
        };
        lookup.clearEntry = [this] { amount.clear(); };
        lookup.copyPoints = [this](const QString& p) { copied = p; };
        save.onClick = [this] { saveAllowed = lookup.checkAtSave(); };
    }
    CardLookup lookup;
    kit::Edit amount{*this, "Edit20"};
    kit::Button save{*this, "BitBtn1", "保存"};
    QString copied;
    bool saveAllowed = false;
};

struct LookupFixture : ::testing::Test, ProgramEnv {
    void addMember(const QString& card, const QString& name, bool verballyLost = false, const QString& photo = {}) {
        conn().exec("insert into 会员卡信息 (会员卡号, 卡类别, 会员姓名, 性别, 身份证号, 积分, 起用日期, 照片, 口头挂失标志) "
                    "values (?, '金卡', ?, '男', '110101199003071234', 120.5, '2025-01-02', ?, ?)",
                    {card, name, photo, verballyLost});
    }
    void addJournal(const QString& card, double points, const QString& reason) {
        conn().exec("insert into 流水记录 (编号, 会员卡号, 增减积分, 增减原因, 日期) values ('0000000001', ?, ?, ?, '2026-01-01')",
                    {card, points, reason});
    }
    void replace(const QString& oldCard, const QString& newCard) {
        conn().exec("insert into 挂失记录 (旧卡号, 新卡号) values (?, ?)", {oldCard, newCard});
    }
    void typeCard(HostScreen& s, const QString& card) {
        s.lookup.cardNumber.setFocus();
        s.lookup.cardNumber.setText(card);
        s.pressEnter();
    }
    std::vector<QString> openWindows() {
        std::vector<QString> out;
        for (kit::Form* f : shell.childWindows()) out.push_back(f->caption());
        return out;
    }
};

}  // namespace

TEST_F(LookupFixture, AFoundCardFillsThePanelAndUnlocksEntry) {
    addMember("A001", "张三");
    addJournal("A001", 10, "购物消费");
    addJournal("A001", -2.5, "退货减积分");
    addJournal("A001", -100, "兑换积分");   // redemptions do not count
    conn().exec("insert into 消费记录 (会员卡号, 商品, 增减原因, 日期) values ('A001', '旧货', '购物消费', '2025-05-01'), "
                "('A001', '新货', '购物消费', '2026-05-01'), ('A001', '退的', '退货减积分', '2026-06-01')");
    HostScreen s(*this, LookupScreen::Purchase);
    typeCard(s, "A001");
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(s.lookup.memberName.text(), "张三");
    EXPECT_EQ(s.lookup.category.text(), "金卡");
    EXPECT_EQ(s.lookup.balance.text(), "120.5");
    EXPECT_EQ(s.lookup.issueDate.text(), "2025-01-02");
    EXPECT_EQ(s.lookup.purchaseCount.text(), "2");
    EXPECT_EQ(s.lookup.totalPoints.text(), "7.5");
    EXPECT_EQ(s.lookup.lastGoods.text(), "新货");
    EXPECT_EQ(s.lookup.rememberedCard(), "A001");
    EXPECT_TRUE(s.save.enabled());
    EXPECT_EQ(s.focused(), &s.amount);
    EXPECT_FALSE(s.lookup.picture.visible()) << "no picture path";
    EXPECT_TRUE(s.copied.isEmpty()) << "only the redemption screen copies the balance";
}

TEST_F(LookupFixture, HistoryFiguresOfACardWithoutPurchases) {
    addMember("A001", "张三");
    addJournal("A001", -100, "兑换积分");
    HostScreen s(*this, LookupScreen::Return);
    typeCard(s, "A001");
    EXPECT_EQ(s.lookup.purchaseCount.text(), "0");
    EXPECT_EQ(s.lookup.totalPoints.text(), "0");
}

TEST(Lookup, ARefusedCardAsksAndOpensItsHistoryOnlyOnOk) {
    struct Case {
        const char* what;
        LookupScreen screen;
        bool replaced, verbal;
        Answer answer;
        QString question;
        std::vector<QString> opened;
    } cases[] = {
        {"replaced, OK", LookupScreen::Purchase, true, false, Answer::Ok,
         "此卡已经挂失，不能使用,需要打开挂失记录吗？", {"全部挂失历史记录"}},
        {"replaced, Cancel", LookupScreen::Return, true, false, Answer::Cancel,
         "此卡已经挂失，不能使用,需要打开挂失记录吗？", {}},
        {"replaced at the redemption screen", LookupScreen::Redemption, true, false, Answer::Cancel,
         "此卡已经挂失，不能查询,需要打开挂失记录吗？", {}},
        {"verbally lost, OK", LookupScreen::Purchase, false, true, Answer::Ok,
         "此卡已经口头挂失，不能使用,需要打开口头挂失记录吗？", {"口头挂失记录"}},
        {"verbally lost, Cancel", LookupScreen::Purchase, false, true, Answer::Cancel,
         "此卡已经口头挂失，不能使用,需要打开口头挂失记录吗？", {}},
    };
    for (const Case& c : cases) {
        ProgramEnv env;
        // A member row with the old number still exists: the replacement wins.
        env.conn().exec("insert into 会员卡信息 (会员卡号, 口头挂失标志) values ('B''7', ?)", {c.verbal});
        if (c.replaced) env.conn().exec("insert into 挂失记录 (旧卡号, 新卡号) values ('B''7', 'C9')");
        env.conn().exec("insert into 口头挂失记录 (会员卡号) values ('B''7')");
        HostScreen s(env, c.screen);
        env.shell.answers = {c.answer};
        s.lookup.cardNumber.setFocus();
        s.lookup.cardNumber.setText("B'7");
        s.pressEnter();
        ASSERT_EQ(env.shell.messages.size(), 1u) << c.what;
        EXPECT_EQ(env.shell.messages[0].text, c.question) << c.what;
        EXPECT_EQ(env.shell.messages[0].caption, "系统提示");
        std::vector<QString> opened;
        for (kit::Form* w : env.shell.childWindows()) opened.push_back(w->caption());
        EXPECT_EQ(opened, c.opened) << c.what;
        EXPECT_EQ(s.lookup.cardNumber.text(), "B'7") << c.what;
        EXPECT_FALSE(s.save.enabled()) << c.what;
        if (!c.opened.empty()) {
            db::Query& q = c.replaced ? env.dm().ADOQuery9 : env.dm().ADOQuery10;
            EXPECT_EQ(q.recordCount(), 1) << c.what << ": the history of exactly this card";
        }
    }
}

TEST_F(LookupFixture, AnUnknownCardIsRefusedWithTheScreensCaption) {
    const std::pair<LookupScreen, QString> cases[] = {
        {LookupScreen::Purchase, "提示"}, {LookupScreen::Return, "提示！"}, {LookupScreen::Redemption, "提示！"}};
    for (const auto& [screen, caption] : cases) {
        shell.messages.clear();
        HostScreen s(*this, screen);
        typeCard(s, "nobody");
        ASSERT_EQ(shell.messages.size(), 1u);
        EXPECT_EQ(shell.messages[0].text, "此卡号不存在！");
        EXPECT_EQ(shell.messages[0].caption, caption);
        EXPECT_EQ(shell.messages[0].icon, kit::Icon::Error);
    }
}

TEST_F(LookupFixture, SearchListsMatchesAndAPickLooksTheCardUp) {
    addMember("A001", "张三");
    addMember("A002", "张三丰");
    addMember("A003", "李四");
    HostScreen s(*this, LookupScreen::Purchase);
    typeCard(s, "A003");
    s.lookup.memberName.setText("张");
    s.lookup.memberName.setFocus();
    s.pressEnter();
    EXPECT_TRUE(s.lookup.searchBox.visible());
    EXPECT_EQ(dm().ADOQuery7.recordCount(), 2);
    EXPECT_EQ(s.lookup.cardNumber.text(), "") << "the search clears the panel";
    EXPECT_EQ(s.lookup.category.text(), "");
    EXPECT_EQ(s.lookup.memberName.text(), "张") << "but keeps its own field";
    EXPECT_EQ(s.focused(), &s.lookup.searchGrid);

    s.lookup.searchGrid.selectRow(1);
    s.pressEnter();
    EXPECT_FALSE(s.lookup.searchBox.visible());
    EXPECT_EQ(s.lookup.cardNumber.text(), dm().ADOQuery7.fieldByName("会员卡号").asString());
    EXPECT_EQ(s.lookup.category.text(), "金卡");

    s.lookup.memberName.setText("");
    s.lookup.searchNameButton.click();
    EXPECT_EQ(dm().ADOQuery7.recordCount(), 3) << "an empty text lists every member";
}

TEST_F(LookupFixture, AfterASearchTheSaveFailsAtTheCheck) {
    addMember("A001", "张三");
    HostScreen s(*this, LookupScreen::Purchase);
    typeCard(s, "A001");
    s.lookup.phone.setFocus();
    s.pressEnter();
    EXPECT_TRUE(s.save.enabled()) << "the search leaves the save button as it was";
    s.save.click();
    EXPECT_FALSE(s.saveAllowed);
    EXPECT_EQ(shell.lastMessage(), "此卡号不存在！");
    EXPECT_EQ(shell.messages.back().caption, "提示");
    EXPECT_EQ(s.focused(), &s.lookup.cardNumber);
}

TEST_F(LookupFixture, ACardLostAfterTheLookupIsRefusedAtSave) {
    addMember("A001", "张三");
    HostScreen s(*this, LookupScreen::Purchase);
    typeCard(s, "A001");
    conn().exec("update 会员卡信息 set 口头挂失标志=1");
    s.save.click();
    EXPECT_FALSE(s.saveAllowed);
    EXPECT_EQ(shell.lastMessage(), "此卡已经口头挂失，不能使用!");
    EXPECT_EQ(shell.messages.back().caption, "系统提示");
}

TEST_F(LookupFixture, ThePictureShowsOnlyWhenItLoads) {
    QFile pic(home.file("m.jpg"));
    ASSERT_TRUE(pic.open(QIODevice::WriteOnly));
    pic.write("jpg");
    pic.close();
    addMember("A001", "张三", false, home.file("m.jpg"));
    addMember("A002", "李四", false, home.file("gone.jpg"));
    HostScreen s(*this, LookupScreen::Purchase);
    typeCard(s, "A001");
    EXPECT_TRUE(s.lookup.picture.visible());
    typeCard(s, "A002");
    EXPECT_FALSE(s.lookup.picture.visible());
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(LookupFixture, TheRedemptionScreenCopiesTheBalanceAndChecksReplacedCardsAtPick) {
    addMember("A001", "张三");
    replace("A001", "A009");
    HostScreen s(*this, LookupScreen::Redemption);
    dm().ADOQuery7.openWith("select 会员卡号,会员姓名,身份证号 from 会员卡信息");
    shell.answers = {Answer::Cancel};
    s.lookup.pick();
    EXPECT_EQ(shell.lastMessage(), "此卡已经挂失，不能使用,需要打开挂失记录吗？");
    conn().exec("delete from 挂失记录");
    s.lookup.pick();
    EXPECT_EQ(s.copied, "120.5");
}

TEST_F(LookupFixture, DetailsNeedFlag16AndShowTheRememberedCard) {
    conn().exec("insert into 操作员 (操作员, 姓名) values ('0002', '收银员')");
    addMember("A001", "张三");
    addJournal("A001", 10, "购物消费");
    for (const auto& [op, enabled] : {std::pair{"0001", true}, std::pair{"0002", false}}) {
        main().currentLogin.operatorNumber = op;
        HostScreen s(*this, LookupScreen::Purchase);
        s.lookup.enableDetailsByFlag();
        EXPECT_EQ(s.lookup.detailsButton.enabled(), enabled) << op;
    }
    main().currentLogin.operatorNumber = "0001";
    HostScreen s(*this, LookupScreen::Purchase);
    typeCard(s, "A001");
    s.lookup.detailsButton.click();
    EXPECT_EQ(openWindows(), std::vector<QString>{"会员积分增减详细记录"});
    EXPECT_EQ(dm().ADOQuery8.recordCount(), 1);
}
