#include "app/querywindow.h"

namespace app {

QueryWindow::QueryWindow(kit::Shell& shell, const QString& caption, db::Query& query)
    : kit::Form(shell, QStringLiteral("QueryWindow"), caption, Kind::Child),
      DBGridEh1(*this, QStringLiteral("DBGridEh1"), query),
      BitBtn1(*this, QStringLiteral("BitBtn1"), QStringLiteral("退出")) {
    layout().add(DBGridEh1);
    layout().box(kit::Box::Kind::Row).stretch().add(BitBtn1);
    DBGridEh1.setHint(QStringLiteral("单击列头可实现排序"));
    BitBtn1.onClick = [this] { close(); };
}

}  // namespace app
