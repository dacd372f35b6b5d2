// A screen rendered as widgets follows its kit state, and the operator's keys,
// clicks and focus moves on the widgets reach the kit as the operator's own.

#include "kit/controls.h"
#include "kit/stringgrid.h"
#include "ui/formwidget.h"
#include "ui_fixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>

using ui_testing::GiftData;
using ui_testing::GiftScreen;
using ui_testing::RecordingShell;

namespace {

struct Rendered : testing::Test {
    GiftData data;
    RecordingShell shell;
    GiftScreen screen{shell, data.dm1.ADOQuery3};
    std::unique_ptr<ui::FormWidget> view;

    void SetUp() override {
        data.openGifts();
        view = std::make_unique<ui::FormWidget>(screen);
        view->resize(640, 480);
        view->show();
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    template <class W>
    W* widget(const kit::Control& c) const {
        W* w = view->widgetAs<W>(c);
        EXPECT_NE(w, nullptr) << c.name().toStdString();
        return w;
    }
    QLineEdit* line(const kit::Control& c) const { return widget<QLineEdit>(c); }
    QTableView* table() const { return widget<QTableView>(screen.Grid); }
    void focusOn(const kit::Control& c) {
        QWidget* w = view->widgetFor(&c);
        w->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()));
    }
    QString cell(int row, int col) const { return table()->model()->index(row, col).data().toString(); }
    QString title(int col) const { return table()->model()->headerData(col, Qt::Horizontal).toString(); }
    void clickTitle(int col) {
        QHeaderView* h = table()->horizontalHeader();
        const QPoint at(h->sectionViewportPosition(col) + h->sectionSize(col) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
    }
};

}  // namespace

TEST_F(Rendered, KeysTypedIntoAnEditPassTheKitAndItsKeyFilter) {
    struct Case {
        kit::Edit* edit;
        std::function<void(QLineEdit*)> keys;
        QString kept;
    } cases[] = {
        {&screen.Points, [](QLineEdit* w) { QTest::keyClicks(w, "1a2"); }, "12"},
        {&screen.CardNo, [](QLineEdit* w) { QTest::keyClicks(w, "A-1"); }, "A-1"},
        {&screen.Points, [](QLineEdit* w) { QTest::keyClicks(w, "12"); QTest::keyClick(w, Qt::Key_Backspace); }, "1"},
        {&screen.Points, [](QLineEdit* w) {   // typing inside the text is filtered too
             QTest::keyClicks(w, "5");
             QTest::keyClick(w, Qt::Key_Home);
             QTest::keyClicks(w, "x9");
         }, "95"},
        {&screen.Points, [](QLineEdit* w) {   // a whole selection is replaced
             QTest::keyClicks(w, "77");
             w->selectAll();
             QTest::keyClicks(w, "3");
         }, "3"},
    };
    for (const Case& c : cases) {
        c.edit->clear();
        focusOn(*c.edit);
        c.keys(line(*c.edit));
        EXPECT_EQ(c.edit->text(), c.kept);
        EXPECT_EQ(line(*c.edit)->text(), c.kept);
    }
}

TEST_F(Rendered, EnterFollowsTheEnterOrderAndTakesTheWidgetFocusAlong) {
    focusOn(screen.CardNo);
    EXPECT_EQ(screen.focused(), &screen.CardNo);
    const kit::Control* expected[] = {&screen.Points, &screen.Kind_, &screen.Save};
    for (const kit::Control* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(screen.focused(), next) << next->name().toStdString();
        QWidget* w = view->widgetFor(next);
        EXPECT_TRUE(w == QApplication::focusWidget() || w->isAncestorOf(QApplication::focusWidget()))
            << next->name().toStdString();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(screen.saves, 1) << "Enter on the button clicks it";
}

TEST_F(Rendered, AButtonClickRunsTheExitHandlerThenTheClick) {
    QStringList order;
    screen.CardNo.onExit = [&] { order << "exit"; };
    screen.Save.onClick = [&] { order << "click"; };
    focusOn(screen.CardNo);
    QTest::mouseClick(widget<QPushButton>(screen.Save), Qt::LeftButton);
    EXPECT_EQ(order, QStringList({"exit", "click"}));
    EXPECT_EQ(screen.focused(), &screen.Save);
    EXPECT_EQ(QApplication::focusWidget(), view->widgetFor(&screen.Save));
}

TEST_F(Rendered, AnExitHandlerThatKeepsTheFocusWinsOverTheMouse) {
    shell.realBoxes = true;
    screen.CardNo.onExit = [&] {
        if (screen.CardNo.text().isEmpty()) {
            shell.message(QStringLiteral("请输入会员卡号！"), QStringLiteral("提示"), kit::Icon::Error);
            screen.CardNo.setFocus();
        }
    };
    focusOn(screen.CardNo);
    QTest::mouseClick(line(screen.Points), Qt::LeftButton);
    QTest::qWait(200);
    EXPECT_EQ(screen.focused(), &screen.CardNo);
    // The offscreen platform leaves the window inactive after a box; the
    // field that gets the focus on activation is the window's focus widget.
    EXPECT_EQ(view->focusWidget(), line(screen.CardNo));
    EXPECT_EQ(shell.messages, QStringList{QStringLiteral("请输入会员卡号！")}) << "asked once, not again and again";
}

TEST(ClickableTexts, ClicksOnATextAPictureAndTheBackgroundReachTheKit) {
    RecordingShell shell;
    struct Box : kit::Form {
        explicit Box(kit::Shell& s) : kit::Form(s, "Tbox", "关于本系统", Kind::Dialog) {
            layout().add(title).add(picture);
        }
        kit::Label title{*this, "Label1", "Korvana"};
        kit::PictureBox picture{*this, "Image1"};
    } form(shell);
    QStringList clicks;
    form.title.onClick = [&] { clicks << "text"; };
    form.picture.onClick = [&] { clicks << "picture"; };
    form.onClick = [&] { clicks << "background"; };
    form.picture.setVisible(true);
    ui::FormWidget view(form);
    view.resize(300, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::mouseClick(view.widgetFor(&form.title), Qt::LeftButton);
    QTest::mouseClick(view.widgetFor(&form.picture), Qt::LeftButton);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(view.width() - 2, view.height() - 2));
    EXPECT_EQ(clicks, QStringList({"text", "picture", "background"}));
}

TEST_F(Rendered, WidgetsFollowTheKitStateWithoutFiringHandlersTwice) {
    int dateChanges = 0;
    screen.Day.onChange = [&] { ++dateChanges; };
    screen.CardNo.setText(QStringLiteral("0001"));
    screen.CardNo.selectAll();
    screen.Points.setEnabled(false);
    screen.Quit.setVisible(false);
    screen.CardNo.setMasked(true);
    screen.Kind_.setItems({QStringLiteral("金卡"), QStringLiteral("银卡"), QStringLiteral("普通卡")});
    screen.Kind_.setItemIndex(2);
    screen.Save.setCaption(QStringLiteral("确认兑换"));
    screen.Day.setDate(QDate(2024, 2, 29));

    EXPECT_EQ(line(screen.CardNo)->text(), "0001");
    EXPECT_EQ(line(screen.CardNo)->selectedText(), "0001");
    EXPECT_EQ(line(screen.CardNo)->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(line(screen.Points)->isEnabled());
    EXPECT_TRUE(widget<QPushButton>(screen.Quit)->isHidden());
    EXPECT_EQ(widget<QComboBox>(screen.Kind_)->count(), 3);
    EXPECT_EQ(widget<QComboBox>(screen.Kind_)->currentText(), QStringLiteral("普通卡"));
    EXPECT_EQ(widget<QPushButton>(screen.Save)->text(), QStringLiteral("确认兑换"));
    EXPECT_EQ(widget<QDateEdit>(screen.Day)->date(), QDate(2024, 2, 29));
    EXPECT_EQ(dateChanges, 1) << "the widget's own change signal must not call back into the kit";
}

TEST_F(Rendered, AComboBoxListIsRefilledWhenItDropsDownAndAChoiceReachesTheKit) {
    int changes = 0;
    screen.Kind_.onDropDown = [&] { screen.Kind_.setItems({QStringLiteral("钻石卡"), QStringLiteral("金卡")}); };
    screen.Kind_.onChange = [&] { ++changes; };
    auto* combo = widget<QComboBox>(screen.Kind_);
    combo->showPopup();
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("钻石卡"));
    combo->hidePopup();
    emit combo->activated(1);
    EXPECT_EQ(screen.Kind_.text(), QStringLiteral("金卡"));
    EXPECT_EQ(changes, 1);
}

TEST_F(Rendered, TheGridShowsTheQueryAndFollowsAReopen) {
    EXPECT_EQ(table()->model()->rowCount(), 5);
    EXPECT_EQ(title(1), QStringLiteral("库存数量"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("礼品1"));
    EXPECT_EQ(cell(0, 2), "500");
    data.openGifts(QStringLiteral("WHERE 数量 > 20"));
    EXPECT_EQ(table()->model()->rowCount(), 3);
    EXPECT_EQ(cell(0, 0), QStringLiteral("礼品3"));
    data.dm1.ADOQuery3.close();
    EXPECT_EQ(table()->model()->rowCount(), 0);
}

TEST_F(Rendered, AClickOnATitleSortsAndMarksIt) {
    clickTitle(2);
    EXPECT_EQ(cell(0, 2), "100");
    EXPECT_EQ(title(2), QStringLiteral("所需积分▲"));
    clickTitle(2);
    EXPECT_EQ(cell(0, 2), "500");
    EXPECT_EQ(title(2), QStringLiteral("所需积分▼"));
    EXPECT_EQ(data.dm1.ADOQuery3.fieldByName(QStringLiteral("需要积分")).asFloat(), 500)
        << "the query's current row is the grid's first row";
}

TEST_F(Rendered, TheCurrentRowFollowsTheQueryBothWays) {
    data.dm1.ADOQuery3.moveTo(3);
    EXPECT_EQ(table()->currentIndex().row(), 3);
    const QRect r = table()->visualRect(table()->model()->index(1, 0));
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(data.dm1.ADOQuery3.recNo(), 1);
    EXPECT_EQ(screen.focused(), &screen.Grid);
}


namespace {

class GoodsScreen : public kit::Form {
public:
    explicit GoodsScreen(kit::Shell& shell) : kit::Form(shell, "Tgoods", QStringLiteral("商品"), Kind::Child) {
        layout().add(Goods);
        Goods.setCell(1, 0, QStringLiteral("商品名"));
        Goods.setCell(2, 0, QStringLiteral("金额"));
        for (int r = 1; r < Goods.rowCount(); ++r) Goods.setCell(0, r, QString::number(r));
        Goods.setEditor(1, kit::StringGrid::Editor::Combo);
        Goods.setKeyFilter(2, kit::KeyFilter::Numeric);
        Goods.setEditor(3, kit::StringGrid::Editor::None);
        Goods.onComboList = [this](int, int, QStringList& items) {
            items = {QStringLiteral("苹果"), QStringLiteral("香蕉")};
        };
        Goods.onCellEdited = [this](int col, int row) { edited << QStringLiteral("%1,%2").arg(col).arg(row); };
    }
    kit::StringGrid Goods{*this, "AdvStringGrid1", 4, 6};
    QStringList edited;
};

}  // namespace

TEST(StringGridView, CellEditorsCommitThroughTheKitWithTheColumnsFilterAndList) {
    RecordingShell shell;
    GoodsScreen screen(shell);
    ui::FormWidget view(screen);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto* table = view.widgetAs<QTableView>(screen.Goods);
    ASSERT_NE(table, nullptr);
    const QAbstractItemModel* model = table->model();
    EXPECT_EQ(model->index(0, 2).data().toString(), QStringLiteral("金额"));
    EXPECT_FALSE(model->flags(model->index(0, 2)) & Qt::ItemIsEditable) << "title row";
    EXPECT_FALSE(model->flags(model->index(1, 3)) & Qt::ItemIsEditable) << "column without editor";

    table->setFocus();
    table->setCurrentIndex(model->index(1, 2));
    table->edit(model->index(1, 2));
    auto* line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(line, nullptr);
    QTest::keyClicks(line, "12a.5");
    QTest::keyClick(line, Qt::Key_Return);
    QApplication::processEvents();   // the editor commits once back in the loop
    EXPECT_EQ(screen.Goods.cell(2, 1), "12.5");
    EXPECT_EQ(screen.edited, QStringList{"2,1"});

    table->setCurrentIndex(model->index(2, 1));
    table->edit(model->index(2, 1));
    auto* combo = table->viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 2) << "the list is asked for when the editor opens";
    combo->setCurrentIndex(1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(screen.Goods.cell(1, 2), QStringLiteral("香蕉"));
    EXPECT_EQ(model->index(2, 1).data().toString(), QStringLiteral("香蕉"));
    EXPECT_EQ(screen.Goods.row(), 2);

    screen.Goods.setCell(2, 3, QStringLiteral("8"));
    EXPECT_EQ(model->index(3, 2).data().toString(), "8");
}
