#include "members/txinhuiyuan.h"

#include "kit/gridexport.h"
#include "kit/shell.h"
#include "members/categoryform.h"

namespace members {

namespace {

const QStringList kSearchColumns = {QStringLiteral("会员卡号"), QStringLiteral("会员姓名"), QStringLiteral("卡类别"),
                                    QStringLiteral("地址"),     QStringLiteral("固定电话"), QStringLiteral("手机")};

// The typed text matches as it stands: the pattern's wildcards are escaped.
QString containsPattern(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

}  // namespace

Txinhuiyuan::Txinhuiyuan(kit::Shell& shell, db::TDM1& dm, MemberDialogs dialogs)
    : kit::Form(shell, QStringLiteral("Txinhuiyuan"), QStringLiteral("新增/修改会员信息"), Kind::Child),
      GroupBox1(*this, QStringLiteral("GroupBox1"), QStringLiteral("快速检索"), kit::Box::Kind::Row),
      ComboBox1(*this, QStringLiteral("ComboBox1")),
      Edit1(*this, QStringLiteral("Edit1")),
      GroupBox2(*this, QStringLiteral("GroupBox2"), QStringLiteral("操作导航"), kit::Box::Kind::Row),
      BitBtn1(*this, QStringLiteral("BitBtn1"), QStringLiteral("新增会员")),
      BitBtn2(*this, QStringLiteral("BitBtn2"), QStringLiteral("修改会员")),
      BitBtn3(*this, QStringLiteral("BitBtn3"), QStringLiteral("删除会员")),
      BitBtn4(*this, QStringLiteral("BitBtn4"), QStringLiteral("导出会员档案到EXCEL")),
      BitBtn5(*this, QStringLiteral("BitBtn5"), QStringLiteral("批量导入会员档案")),
      BitBtn6(*this, QStringLiteral("BitBtn6"), QStringLiteral("退出")),
      GroupBox3(*this, QStringLiteral("GroupBox3"), QStringLiteral("会员列表")),
      DBGridEh1(*this, QStringLiteral("DBGridEh1"), dm.ADOQuery5),
      dm_(dm),
      dialogs_(dialogs),
      memberGrid_(DBGridEh1, QStringLiteral("口头挂失标志")) {
    position = std::make_pair(0, 0);
    minimizeButton = true;

    kit::Box& top = layout().box(kit::Box::Kind::Row);
    top.add(GroupBox1);
    GroupBox1.content().add(ComboBox1).text(QStringLiteral("包含")).add(Edit1);
    top.add(GroupBox2);
    GroupBox2.content().add(BitBtn1).add(BitBtn2).add(BitBtn3).add(BitBtn4).add(BitBtn5).add(BitBtn6);
    layout().add(GroupBox3);
    GroupBox3.content().add(DBGridEh1);

    // Only the listed columns can be searched: the name goes into the statement.
    ComboBox1.setEditable(false);
    DBGridEh1.rowSelect = true;

    onShow = [this] {
        ComboBox1.setItems(kSearchColumns);
        ComboBox1.setItemIndex(0);
        Edit1.clear();
        dm_.ADOQuery5.openWith(QStringLiteral("select * from 会员卡信息"));
    };
    Edit1.onChange = [this] { quickSearch(); };
    BitBtn1.onClick = [this] { this->shell().showModal(dialogs_.add); };
    BitBtn2.onClick = [this] { modifySelected(); };
    DBGridEh1.onDoubleClick = [this] { modifySelected(); };
    BitBtn3.onClick = [this] { deleteSelected(); };
    BitBtn4.onClick = [this] { kit::exportGrid(this->shell(), DBGridEh1, QStringLiteral("会员档案")); };
    BitBtn5.onClick = [this] { this->shell().showModal(dialogs_.import); };
    BitBtn6.onClick = [this] { close(); };
}

void Txinhuiyuan::quickSearch() {
    const QString column = ComboBox1.text();
    if (!kSearchColumns.contains(column)) return;
    dm_.ADOQuery5.openWith(QStringLiteral("select * from 会员卡信息 where %1 like ? escape '\\'").arg(column),
                           {containsPattern(Edit1.text())});
}

void Txinhuiyuan::modifySelected() {
    if (dm_.ADOQuery5.recordCount() == 0) return;
    shell().showModal(dialogs_.modify);
}

void Txinhuiyuan::deleteSelected() {
    db::Query& q = dm_.ADOQuery5;
    if (q.recordCount() == 0) return;
    if (shell().message(QStringLiteral("确实删除该会员？该操作不可恢复！请谨慎操作！"), kNoticeCaption,
                        kit::Icon::Question, kit::Buttons::OkCancel) != kit::Answer::Ok)
        return;
    // Only the member row goes; the history rows keep the card number.
    const db::Field card = q.fieldByName(QStringLiteral("会员卡号"));
    const db::Value key = card.isNull() ? db::Value() : db::Value(card.asString());
    const qsizetype row = q.recNo();
    dm_.ADOall.execWith(
        QStringLiteral("delete from 会员卡信息 where rowid=(select rowid from 会员卡信息 where 会员卡号 is ? limit 1)"),
        {key});
    q.open();
    q.moveTo(row);
    shell().message(QStringLiteral("会员删除成功！"), kNoticeCaption, kit::Icon::Information);
}

}  // namespace members
