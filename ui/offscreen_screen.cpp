#include "ui/offscreen_screen.h"

namespace orrin::ui {

OffscreenLaptopScreen::OffscreenLaptopScreen() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!(platform.isEmpty() || platform == "offscreen") || !screens_.open()) return;
  screens_.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,
                     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  screens_.flush();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens_.fileName().toLocal8Bit());
}

}  // namespace orrin::ui
