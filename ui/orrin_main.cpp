// orrin: the simulator's window.
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <exception>
#include <string>
#include <vector>

#include "asm/isa.h"
#include "base/text_files.h"
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
    std::string text;
    std::vector<std::string> errors;
    orrin::InstructionSet isa;
    const std::string path = args[at + 1].toStdString();
    if (orrin::files::ReadWholeFile(path, 1 << 20, text) != orrin::files::ReadResult::Ok) {
      errors.push_back(orrin::files::CannotReadWarning(path));
    } else if (orrin::ParseInstructionSet(text, isa, errors)) {
      form.Sim().isa = isa;
    }
    if (!errors.empty()) {
      std::string message = "指令集文件有错误，使用标准指令集：";
      for (const std::string& e : errors) message += "\n" + path + ":" + e;
      form.Sim().host.Warn(message);
    }
  }
  form.UseSettings();
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
