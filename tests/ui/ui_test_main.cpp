// The window's tests need a QApplication; they run on the offscreen platform
// unless another one is asked for.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/fonts.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orrin::ui::InstallFontSubstitutes();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
