// orrin-snapshot: opens the window as `orrin` does, optionally puts the board
// into a worked example, and saves pictures of it for the README.
//   orrin-snapshot [--lang en|zh] [--demo WIRES] [--micro] [--board FILE] [--window FILE] [--hold SECONDS]
//                  [--wires FILE] [--memory FILE] [--steps N] [--timing FILE] [--zoom PIXELS]
//                  [--lab LAB] [--script SCRIPT] [--hint] [--save-session FILE]
// The demo loads the wire file WIRES (the ALU experiment's wiring) and adds
// two registers as that experiment does. Otherwise --wires and --memory load
// those files, --steps takes N small beats with the power on, and --timing
// saves the timing diagram window at PIXELS a small beat (0: "fit all").
// --lab opens a lab, --script then performs a console script as the student
// (the lab's panel following), --hint asks for the current step's hint and
// --save-session saves the session recorded (Qt takes --session for itself).
#include <QApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/runner.h"
#include "base/widget_groups.h"
#include "ui/lab_panel.h"
#include "ui/main_form.h"
#include "ui/offscreen_screen.h"
#include "ui/timing_diagram.h"
#include "ui/translate.h"

namespace {

// Answers the file dialog with the demo's wire file and nothing else.
class DemoHost : public orrin::Host {
 public:
  std::string wires;  // what the next open dialog answers
  void Warn(const std::string& text) override { std::cerr << "warning: " << text << "\n"; }
  orrin::Answer Ask(const std::string&) override { return orrin::Answer::Yes; }
  std::string OpenFileName() override { return wires; }
  std::string SaveFileName() override { return {}; }
  std::optional<uint32_t> ChooseColor(uint32_t) override { return std::nullopt; }
};

// The ALU experiment in independent mode: R0 := 35 and R1 := 4A from the
// data switches, then R0 + R1 on its way to R0, stopped before the last beat.
void Demo(orrin::ui::TMainForm& form) {
  orrin::Simulator& s = form.Sim();
  s.N_ReadLineFileClick();
  s.SpeedButtonPOWERClick();
  auto steps = [&](int n) {
    for (int i = 0; i < n; ++i) s.Button_OneLittleStepClick();
  };
  for (int n : {0, 2, 4, 5}) s.ToggleDataSwitch(n);
  for (int n : {11, 12}) s.ToggleLevelSwitch(n);
  steps(6);
  for (int n : {0, 1, 2, 3, 4, 5, 6}) s.ToggleDataSwitch(n);
  s.ToggleLevelSwitch(2);
  steps(6);
  for (int n : {11, 2, 0, 4, 7, 9, 10, 13, 14}) s.ToggleLevelSwitch(n);
  steps(4);
  form.AfterAction();
}

// The script's lines as the student's actions, the window after each.
void Perform(orrin::ui::TMainForm& form, const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream out;
  orrin::ScriptHost host(out, nullptr);
  orrin::RunnerContext ctx{form.Sim(), host, out};
  form.Sim().hostRelay.Divert(host);
  std::string line, error;
  for (orrin::ScriptLines lines(file); lines.Next(line);) {
    // An answer is the lab panel's button, as the student gives it.
    if (line.starts_with("choose ")) {
      const QString name = QString("Lab_Choice") + QString::fromStdString(line.substr(7));
      if (auto* b = form.LabSide()->findChild<QPushButton*>(name)) b->click();
      continue;
    }
    bool acted = false;
    if (!orrin::RunLine(ctx, line, error, acted)) std::cerr << path << ": " << error << "\n";
    form.AfterAction();
  }
  form.Sim().hostRelay.Restore();
}

}  // namespace

int main(int argc, char** argv) {
  orrin::ui::OffscreenLaptopScreen laptop;
  QApplication app(argc, argv);
  DemoHost host;
  QString board, window, timing;
  std::string wires, memory;
  bool micro = false;
  int hold = 0, steps = 0;
  double zoom = 12;
  const char *lab = nullptr, *script = nullptr, *session = nullptr;
  bool hint = false;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--demo") && i + 1 < argc)
      host.wires = argv[++i];
    else if (!std::strcmp(argv[i], "--micro"))
      micro = true;
    else if (!std::strcmp(argv[i], "--board") && i + 1 < argc)
      board = argv[++i];
    else if (!std::strcmp(argv[i], "--window") && i + 1 < argc)
      window = argv[++i];
    else if (!std::strcmp(argv[i], "--lang") && i + 1 < argc)
      ++i;  // read by ChooseLanguage
    else if (!std::strcmp(argv[i], "--hold") && i + 1 < argc)
      hold = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--wires") && i + 1 < argc)
      wires = argv[++i];
    else if (!std::strcmp(argv[i], "--memory") && i + 1 < argc)
      memory = argv[++i];
    else if (!std::strcmp(argv[i], "--steps") && i + 1 < argc)
      steps = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--timing") && i + 1 < argc)
      timing = argv[++i];
    else if (!std::strcmp(argv[i], "--zoom") && i + 1 < argc)
      zoom = std::atof(argv[++i]);
    else if (!std::strcmp(argv[i], "--lab") && i + 1 < argc)
      lab = argv[++i];
    else if (!std::strcmp(argv[i], "--script") && i + 1 < argc)
      script = argv[++i];
    else if (!std::strcmp(argv[i], "--save-session") && i + 1 < argc)
      session = argv[++i];
    else if (!std::strcmp(argv[i], "--hint"))
      hint = true;
  }
  orrin::ui::UseLanguage(orrin::ui::ChooseLanguage(QApplication::arguments()));
  orrin::ui::TMainForm form(&host);
  if (!host.wires.empty()) Demo(form);
  orrin::Simulator& sim = form.Sim();
  if (!wires.empty()) {
    host.wires = wires;
    sim.N_ReadLineFileClick();
  }
  if (micro) sim.RadioButtonMicroProgramClick();
  if (steps > 0 || !memory.empty()) sim.SpeedButtonPOWERClick();
  if (!memory.empty()) {
    host.wires = memory;
    sim.N_File2MEMClick();
  }
  for (int i = 0; i < steps; ++i) sim.Button_OneLittleStepClick();
  form.AfterAction();
  if (lab != nullptr) form.OpenLab(lab);
  if (script != nullptr) Perform(form, script);
  if (hint) form.LabSide()->findChild<QPushButton*>("Lab_HintButton")->click();
  if (session != nullptr) form.WriteSession(session);
  form.show();
  if (!timing.isEmpty()) form.ShowTimingDiagram();
  QTimer::singleShot(300, [&] {
    if (!board.isEmpty()) form.ScrollBox()->widget()->grab().save(board);
    if (!window.isEmpty()) form.grab().save(window);
    if (!timing.isEmpty()) {
      orrin::ui::TimingDiagram* d = form.TimingDiagram()->Diagram();
      if (zoom > 0) {
        d->beatWidth = zoom;
        d->firstBeat = std::max<int64_t>(1, sim.machine.Beat.StepCount - d->VisibleBeats() + 1);
      } else {
        d->FitAll();
      }
      d->Moved();
      form.TimingDiagram()->grab().save(timing);
    }
    QTimer::singleShot(hold * 1000, &app, &QApplication::quit);
  });
  return QApplication::exec();
}
