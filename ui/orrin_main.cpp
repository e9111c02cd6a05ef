// orrin: the simulator's window.
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <exception>
#include <string>
#include <vector>

#include "base/command_line.h"
#include "ui/main_form.h"
#include "ui/translate.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: orrin [--lang en|zh] [--isa FILE] [--faults FILE] [--controller FILE] [--lab LAB] [Qt options]\n"
    "Opens the simulator's window: the board of an 8-bit teaching computer to\n"
    "wire, switch, clock and watch, small beat by small beat.\n"
    "\n"
    "Options:\n"
    "  --lang en|zh    the window's language (default: the one chosen last time,\n"
    "                  else the desktop's)\n"
    "  --isa FILE      the instruction set of a changed microprogram, for the\n"
    "                  assembler and the listing\n"
    "  --faults FILE   lay a teacher's faults (lines of `fault ...`) on the board\n"
    "  --controller FILE  a hard-wired controller design: a Yosys JSON netlist, or\n"
    "                  Verilog (.v, .sv) that Yosys synthesises\n"
    "  --lab LAB       open the lab LAB at once\n"
    "  --help          show this help and exit\n"
    "  --version       show the version and exit\n"
    "\n"
    "Keys: F5 QD, F6 pause, F7 one small beat, F8 PULSE, F9 CLR, F12 POWER,\n"
    "Alt+Left and Alt+Right step back and forward through the recorded beats.\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before the window starts: no display is needed for them.
  if (const auto status = orrin::AnswerHelpOrVersion(argc, argv, "orrin", kHelp)) return *status;
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
  // --controller FILE: a hard-wired controller design (.json, or .v / .sv
  // through Yosys), so that the "硬连线" mode can be chosen.
  if (const qsizetype at = args.indexOf("--controller"); at >= 0 && at + 1 < args.size())
    form.LoadController(args[at + 1].toStdString());
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
