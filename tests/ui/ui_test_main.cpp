// The window's tests need a QApplication; they run on the offscreen platform
// unless another one is asked for, with the screen most students have: a
// laptop's 1366 x 768 (at the scale QT_SCALE_FACTOR gives).
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "ui/fonts.h"
#include "ui/offscreen_screen.h"

int main(int argc, char** argv) {
  orrin::ui::OffscreenLaptopScreen laptop;
  QApplication app(argc, argv);
  // Each test process keeps its settings in a folder of its own, so tests
  // that remember things neither see the user's nor each other's.
  QTemporaryDir settings;
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  QApplication::setOrganizationName("orrin-tests");
  QApplication::setApplicationName("orrin");
  orrin::ui::InstallFontSubstitutes();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
