#include "app/tguanyu.h"

#include "app/home.h"

namespace app {

Tguanyu::Tguanyu(kit::Shell& shell, const QString& home)
    : kit::Form(shell, QStringLiteral("Tguanyu"), QStringLiteral("关于本系统"), Kind::Dialog),
      Image1(*this, QStringLiteral("Image1")),
      Label1(*this, QStringLiteral("Label1"), kit::kProductTitle),
      Label2(*this, QStringLiteral("Label2"), QStringLiteral("程序版本：7.8")) {
    kit::Box& row = layout().box(kit::Box::Kind::Row);
    row.add(Image1);
    row.box(kit::Box::Kind::Column).stretch().add(Label1).add(Label2).stretch();
    Label1.setStyle({.color = QStringLiteral("maroon"), .bold = true, .pointSize = 18});
    Label2.setStyle({.color = QStringLiteral("blue")});
    onShow = [this, home] { Image1.load(defaultBackgroundPath(home)); };
    auto closeBox = [this] { close(); };
    Image1.onClick = closeBox;
    Label1.onClick = closeBox;
    Label2.onClick = closeBox;
    onClick = closeBox;
}

}  // namespace app
