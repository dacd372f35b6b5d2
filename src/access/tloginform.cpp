#include "access/tloginform.h"

#include "access/password.h"
#include "access/permissions.h"
#include "kit/shell.h"

namespace auth {

namespace {
const QString kCaption = QStringLiteral("提示");
}

Tloginform::Tloginform(kit::Shell& shell, db::TDM1& dm, app::TMAIN& main)
    : kit::Form(shell, QStringLiteral("Tloginform"), QStringLiteral("系统登陆"), Kind::Dialog),
      GroupBox1(*this, QStringLiteral("GroupBox1"), QString(), kit::Box::Kind::Fields),
      cbusername(*this, QStringLiteral("cbusername")),
      edtname(*this, QStringLiteral("edtname")),
      edtpassword(*this, QStringLiteral("edtpassword")),
      Label4(*this, QStringLiteral("Label4"), QStringLiteral("系统管理员初始密码为 空")),
      btnlogin(*this, QStringLiteral("btnlogin"), QStringLiteral("登陆")),
      btnexit(*this, QStringLiteral("btnexit"), QStringLiteral("退出")),
      dm_(dm),
      main_(main) {
    GroupBox1.content()
        .add(cbusername, QStringLiteral("操作员编号"))
        .add(edtname, QStringLiteral("操作员姓名"))
        .add(edtpassword, QStringLiteral("操作员密码"))
        .add(Label4);
    layout().add(GroupBox1);
    layout().box(kit::Box::Kind::Row).stretch().add(btnlogin).add(btnexit).stretch();
    edtname.setReadOnly(true);
    edtpassword.setMasked(true);
    Label4.setStyle({.color = QStringLiteral("blue")});

    onShow = [this] {
        loadOperators();
        cbusername.setItemIndex(cbusername.items().isEmpty() ? -1 : 0);
        edtpassword.clear();
        cbusername.setFocus();
        edtname.clear();
        showName();
    };
    cbusername.onChange = [this] {
        showName();
        edtpassword.setFocus();
    };
    cbusername.onExit = [this] { comboExit(); };
    edtpassword.onEnter = [this] { login(); };
    btnlogin.onClick = [this] { login(); };
    btnexit.onClick = [this] {
        modalResult = kit::ModalResult::Cancel;
        close();
    };
}

void Tloginform::loadOperators() {
    QStringList numbers;
    passwords_.clear();
    db::Query& q = dm_.ADOall;
    q.openWith(QStringLiteral("select * from 操作员"));
    for (q.first(); !q.eof(); q.next()) {
        numbers << q.fieldByName(QStringLiteral("操作员")).asString();
        passwords_ << q.fieldByName(QStringLiteral("密码")).asString();
    }
    q.close();
    cbusername.setItems(numbers);
}

void Tloginform::showName() {
    db::Query& q = dm_.ADOall;
    q.openWith(QStringLiteral("select * from 操作员 where 操作员=?"), {cbusername.text()});
    edtname.setText(q.fieldByName(QStringLiteral("姓名")).asString());
}

void Tloginform::comboExit() {
    const QStringList& items = cbusername.items();
    for (int i = 0; i < items.size(); ++i) {
        if (items[i].compare(cbusername.text(), Qt::CaseInsensitive) == 0) {
            cbusername.setItemIndex(i);
            return;
        }
    }
    if (focusDestination() == &edtpassword) {
        shell().message(QStringLiteral("不存在的用户！"), kCaption, kit::Icon::Error);
        cbusername.setFocus();
        cbusername.selectAll();
    }
}

void Tloginform::login() {
    const int index = cbusername.itemIndex();
    if (index < 0) {
        shell().message(QStringLiteral("不存在的用户！"), kCaption, kit::Icon::Error);
        cbusername.setFocus();
        cbusername.selectAll();
        return;
    }
    if (!loginPasswordMatches(edtpassword.text(), passwords_.value(index))) {
        ++failedAttempts_;
        if (failedAttempts_ > 4) {
            shell().message(QStringLiteral("密码错误超过五次，软件将被关闭！"), kCaption, kit::Icon::Error);
            modalResult = kit::ModalResult::Cancel;
            close();
        } else {
            shell().message(QStringLiteral("密码错误，请重新输入！"), kCaption, kit::Icon::Error);
            edtpassword.clear();
        }
        return;
    }
    main_.currentLogin = {cbusername.text(), edtpassword.text()};
    main_.operatorPane.setText(QStringLiteral("当前用户为:") + cbusername.text());

    Flags flags{};
    db::Query& q = dm_.ADOall;
    q.openWith(QStringLiteral("select * from 操作员 where 操作员=?"), {cbusername.text()});
    if (q.recordCount() > 0)
        for (int i = 0; i < kFlagCount; ++i) flags[i] = q.fieldByName(QString::number(i + 1)).asBoolean();
    q.close();
    gateMainWindow(main_, flags);

    modalResult = kit::ModalResult::Ok;
    close();
}

bool runLogin(kit::Shell& shell, db::TDM1& dm, app::TMAIN& main) {
    Tloginform dialog(shell, dm, main);
    return shell.showModal(dialog) == kit::ModalResult::Ok;
}

}  // namespace auth
