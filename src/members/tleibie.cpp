#include "members/tleibie.h"

#include "db/error.h"
#include "kit/shell.h"

namespace members {

namespace {
const QString kListSql = QStringLiteral("select * from 卡类别");
}

Tleibie::Tleibie(kit::Shell& shell, db::TDM1& dm, Tkaleibiexiugai& modifyDialog)
    : CategoryForm(shell, dm, QStringLiteral("Tleibie"), QStringLiteral("会员卡类别设置"), Kind::Child),
      BitBtn3(*this, QStringLiteral("BitBtn3"), QStringLiteral("修改卡类别")),
      BitBtn4(*this, QStringLiteral("BitBtn4"), QStringLiteral("删除卡类别")),
      GroupBox3(*this, QStringLiteral("GroupBox3"), QStringLiteral("卡类别列表")),
      DBGridEh1(*this, QStringLiteral("DBGridEh1"), dm.ADOQuery4),
      modifyDialog_(modifyDialog) {
    position = std::make_pair(20, 0);
    minimizeButton = true;

    kit::Box& row = layout().box(kit::Box::Kind::Row);
    kit::Box& left = row.box(kit::Box::Kind::Column);
    left.add(GroupBox1);
    left.box(kit::Box::Kind::Row).add(BitBtn1).add(BitBtn2).add(BitBtn3).add(BitBtn4);
    left.stretch();
    row.add(GroupBox3);
    GroupBox3.content().add(DBGridEh1);
    DBGridEh1.rowSelect = true;
    DBGridEh1.titleClick = kit::DataGrid::TitleClick::None;

    onShow = [this] {
        resetFields();
        reloadList();
        Edit1.setFocus();
        readBoundsSwitch();
    };
    Edit1.onExit = [this] { nameExit(); };
    BitBtn1.onClick = [this] { save(); };
    BitBtn2.onClick = [this] { close(); };
    BitBtn3.onClick = [this] { modifySelected(); };
    BitBtn4.onClick = [this] { deleteSelected(); };
}

void Tleibie::resetFields() {
    Edit1.clear();
    Edit3.clear();
    Edit4.clear();
    Edit2.setText(QStringLiteral("1"));
    CheckBox1.setChecked(true);
    CheckBox2.setChecked(true);
}

void Tleibie::reloadList() { dm_.ADOQuery4.openWith(kListSql); }

bool Tleibie::nameExists(const QString& name) {
    db::Query& q = dm_.ADOall;
    q.openWith(QStringLiteral("select * from 卡类别 where 卡类别=?"), {name});
    const bool found = q.recordCount() > 0;
    q.close();
    return found;
}

void Tleibie::refuseExistingName() {
    shell().message(QStringLiteral("该卡类别名称已经存在！请重新设定一个新的卡类别名称！"), kNoticeCaption,
                    kit::Icon::Error);
    Edit1.clear();
    Edit1.setFocus();
}

void Tleibie::nameExit() {
    if (nameExists(Edit1.text())) refuseExistingName();
}

void Tleibie::save() {
    if (Edit1.text().isEmpty()) {
        refuse(QStringLiteral("卡类别名称不能为空！"), Edit1);
        return;
    }
    if (Edit2.text().isEmpty()) Edit2.setText(QStringLiteral("1"));
    if (nameExists(Edit1.text())) {
        refuseExistingName();
        return;
    }
    const std::optional<CategoryValues> v = checkNumbers(std::nullopt);
    if (!v) return;

    try {
        db::Transaction tx(dm_.ADOConnection1);
        dm_.ADOall.execWith(QStringLiteral("insert into 卡类别(卡类别,积分比例,允许兑换礼品,允许返现金,自动变卡下限,自动变卡上限) "
                                           "values (?,?,?,?,?,?)"),
                            {v->name, v->ratio, v->gifts, v->cash, v->lower, v->upper});
        tx.commit();
    } catch (const db::Error& e) {
        shell().message(e.message(), kit::kProductTitle, kit::Icon::None);
        return;
    }
    shell().message(QStringLiteral("新增卡类别成功！"), kNoticeCaption, kit::Icon::Information);
    resetFields();
    reloadList();
    Edit1.setFocus();
}

void Tleibie::modifySelected() {
    db::Query& q = dm_.ADOQuery4;
    if (q.recordCount() == 0) return;
    Tkaleibiexiugai& d = modifyDialog_;
    d.Edit1.setText(q.fieldByName(QStringLiteral("卡类别")).asString());
    d.Edit2.setText(q.fieldByName(QStringLiteral("积分比例")).asString());
    d.CheckBox1.setChecked(q.fieldByName(QStringLiteral("允许兑换礼品")).asBoolean());
    d.CheckBox2.setChecked(q.fieldByName(QStringLiteral("允许返现金")).asBoolean());
    d.oldLower = q.fieldByName(QStringLiteral("自动变卡下限")).asString();
    d.oldUpper = q.fieldByName(QStringLiteral("自动变卡上限")).asString();
    d.Edit3.setText(d.oldLower);
    d.Edit4.setText(d.oldUpper);
    shell().showModal(d);
}

void Tleibie::deleteSelected() {
    db::Query& q = dm_.ADOQuery4;
    if (q.recordCount() == 0) return;
    if (shell().message(QStringLiteral("确实删除当前会员类别？该操作不可恢复！"), QStringLiteral("删除提示"),
                        kit::Icon::Question, kit::Buttons::OkCancel) != kit::Answer::Ok)
        return;
    // Only the category row goes; members keep the name they hold.
    const QString name = q.fieldByName(QStringLiteral("卡类别")).asString();
    dm_.ADOall.execWith(
        QStringLiteral("delete from 卡类别 where rowid=(select rowid from 卡类别 where 卡类别=? limit 1)"), {name});
    reloadList();
    shell().message(QStringLiteral("删除当前会员类别成功！"), kNoticeCaption, kit::Icon::Information);
}

}  // namespace members
