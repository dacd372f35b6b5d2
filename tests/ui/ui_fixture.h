#pragma once
// What the Qt layer's tests share: a shell that records messages instead of
// showing them, a keyed database in a fresh home with a gift table, and a
// small screen with Chinese captions.

#include "db/connection.h"
#include "db/dm1.h"
#include "db/schema.h"
#include "kit/controls.h"
#include "kit/datagrid.h"
#include "kit/form.h"
#include "temp_home.h"
#include "ui/qtshell.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QStringList>
#include <QWidget>
#include <deque>
#include <memory>
#include <vector>

namespace ui_testing {

// The real shell, except that messages and file dialogs are answered from a
// script (OK and cancelled when it runs out) and the end of the program is
// only recorded.
class RecordingShell : public ui::QtShell {
public:
    kit::Answer message(const QString& text, const QString& caption, kit::Icon icon,
                        kit::Buttons buttons = kit::Buttons::Ok) override {
        messages << text;
        if (realBoxes) {
            // A real box, taking the focus away and giving it back, accepted
            // by a timer as an operator would.
            QTimer::singleShot(50, [] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
            });
            return ui::QtShell::message(text, caption, icon, buttons);
        }
        if (answers.empty()) return kit::Answer::Ok;
        const kit::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<kit::FileChoice> openFile(const kit::FileDialog&) override { return std::nullopt; }
    std::optional<kit::FileChoice> saveFile(const kit::FileDialog&) override { return std::nullopt; }
    void quit() override { quitCalled = true; }

    std::deque<kit::Answer> answers;
    bool realBoxes = false;
    QStringList messages;
    bool quitCalled = false;
};

// A fresh home with the program's database and some gifts in it.
struct GiftData {
    GiftData() {
        db::createInstallationIfMissing(home.path());
        dm1.openDatabase(home.path());
        for (int i = 1; i <= 5; ++i)
            dm1.ADOConnection1.exec(QStringLiteral("INSERT INTO 礼品 (礼品名称, 单位, 数量, 需要积分) VALUES (?, '个', ?, ?)"),
                                    {QStringLiteral("礼品%1").arg(i), i * 10, 100.0 * (6 - i)});
    }
    void openGifts(const QString& where = {}) {
        dm1.ADOQuery3.openWith(QStringLiteral("SELECT 礼品名称, 数量, 需要积分 FROM 礼品 ") + where +
                               QStringLiteral(" ORDER BY 礼品名称"));
    }
    testing_support::TempHome home;
    db::TDM1 dm1;
};

// A small screen as the program's screens are made.
class GiftScreen : public kit::Form {
public:
    GiftScreen(kit::Shell& shell, db::Query& gifts, Kind kind = Kind::Child)
        : kit::Form(shell, QStringLiteral("Tgift"), QStringLiteral("礼品兑换"), kind), Grid(*this, "DBGridEh1", gifts) {
        layout().text(QStringLiteral("会员积分兑换礼品"), kit::Style{"navy", {}, true, 14, kit::Align::Center});
        kit::Box& fields = layout().box(kit::Box::Kind::Fields);
        fields.add(CardNo, QStringLiteral("会员卡号"))
            .add(Points, QStringLiteral("兑换积分"))
            .add(Kind_, QStringLiteral("卡类别"))
            .add(Day, QStringLiteral("兑换日期"));
        layout().add(Grid);
        kit::Box& buttons = layout().box(kit::Box::Kind::Row);
        buttons.stretch().add(Save).add(Quit);
        Points.setKeyFilter(kit::KeyFilter::Numeric);
        Kind_.setItems({QStringLiteral("金卡"), QStringLiteral("银卡")});
        Grid.setColumns({{"礼品名称", "礼品名称", 0, kit::Align::Left},
                         {"数量", "库存数量", 0, kit::Align::Right},
                         {"需要积分", "所需积分", 0, kit::Align::Right}});
        Grid.setFooter({QStringLiteral("合计"), QString(), QString()});
        Grid.rowSelect = true;
        setEnterOrder({&CardNo, &Points, &Kind_, &Save});
        Save.onClick = [this] { ++saves; };
    }
    kit::Edit CardNo{*this, "Edit1"};
    kit::Edit Points{*this, "Edit2"};
    kit::ComboBox Kind_{*this, "ComboBox1"};
    kit::DatePicker Day{*this, "DateTimePicker1"};
    kit::DataGrid Grid;
    kit::Button Save{*this, "BitBtn1", QStringLiteral("保存")};
    kit::Button Quit{*this, "BitBtn2", QStringLiteral("退出")};
    int saves = 0;
};

}  // namespace ui_testing
