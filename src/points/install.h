#pragma once
// Puts the points screens into a started program: the menu items of the
// main window that open them.

#include "app/startup.h"

namespace points {

// 系统设置 › 店铺名称及小票打印设置 shows a new receipt settings dialog,
// destroyed when it closes.
void install(app::Program& program);

}  // namespace points
