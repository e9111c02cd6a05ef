// orrin: the simulator's window.
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <exception>
#include <string>
#include <vector>

#include "ui/main_form.h"
#include "ui/translate.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("orrin");
  QApplication::setApplicationName("orrin");
  QApplication::setDesktopFileName("org.orrin.Orrin");
  // --lang en|zh, else the language chosen last time, else the locale's.
  orrin::ui::UseLanguage(orrin::ui::ChooseLanguage(QApplication::arguments()));
  orrin::ui::TMainForm form;
  // --isa FILE: the instruction set of a changed microprogram, for the
  // assembler command and the listing.
  const QStringList args = QApplication::arguments();
  if (const qsizetype at = args.indexOf("--isa"); at >= 0 && at + 1 < args.size()) {
    form.Sim().UseInstructionSetFile(args[at + 1].toStdString());
  }
  form.UseSettings();
  // --faults FILE: a teacher's faults (lines of `fault …`), laid on the board
  // unseen; --lab FILE opens a lab at once.
  if (const qsizetype at = args.indexOf("--faults"); at >= 0 && at + 1 < args.size())
    form.UseFaults(args[at + 1].toStdString());
  if (const qsizetype at = args.indexOf("--lab"); at >= 0 && at + 1 < args.size())
    form.OpenLab(args[at + 1].toStdString());
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
