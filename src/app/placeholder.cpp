#include "app/placeholder.h"

namespace app {

Placeholder::Placeholder(kit::Shell& shell, const QString& caption, Kind kind)
    : kit::Form(shell, QStringLiteral("Placeholder"), caption, kind),
      Label1(*this, QStringLiteral("Label1"), QStringLiteral("此功能尚未开放，将在后续版本中提供。")),
      BitBtn1(*this, QStringLiteral("BitBtn1"), QStringLiteral("退出")) {
    layout().add(Label1).box(kit::Box::Kind::Row).stretch().add(BitBtn1);
    BitBtn1.modalResult = kit::ModalResult::Cancel;
    BitBtn1.onClick = [this] {
        if (this->kind() == Kind::Child) close();
    };
}

}  // namespace app
