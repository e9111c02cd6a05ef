// The window's tests need a QApplication; they run on the offscreen platform
// unless another one is asked for, with the screen most students have: a
// laptop's 1366 x 768 (at the scale QT_SCALE_FACTOR gives).
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include "ui/fonts.h"

int main(int argc, char** argv) {
  QTemporaryFile screens;
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if ((platform.isEmpty() || platform == "offscreen") && screens.open()) {
    screens.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,
                      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
  }
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
