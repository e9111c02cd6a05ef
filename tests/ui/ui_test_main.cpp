// The window's tests need a QApplication; they run on the offscreen platform
// unless another one is asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "ui/fonts.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
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
