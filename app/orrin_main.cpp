// orrin: the simulator's window.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "ui/main_form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("orrin");
  QApplication::setApplicationDisplayName(QString::fromUtf8("Orrin 仿真软件"));
  QApplication::setDesktopFileName("orrin");
  orrin::ui::TMainForm form;
  form.show();
  try {
    return QApplication::exec();
  } catch (const std::exception& e) {
    // Nothing the program raises itself gets here; whatever does is shown
    // and the program ends normally.
    QMessageBox::critical(nullptr, "Orrin", QString::fromUtf8(e.what()));
    return 0;
  }
}
