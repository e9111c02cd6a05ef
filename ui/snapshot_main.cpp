// orrin-snapshot: opens the window as `orrin` does, optionally puts the board
// into a worked example, and saves pictures of it for the README.
//   orrin-snapshot [--demo] [--board FILE] [--window FILE] [--hold SECONDS]
#include <QApplication>
#include <QScrollArea>
#include <QTimer>
#include <cstring>

#include "core/widget_groups.h"
#include "ui/main_form.h"

namespace {

// Power on, a few switches up, the microprogram mode and one machine cycle.
void Demo(orrin::ui::TMainForm& form) {
  orrin::Simulator& s = form.Sim();
  for (int n : {0, 2, 5, 9, 16, 27}) s.ToggleLevelSwitch(n);
  for (int n : {0, 1, 4, 7}) s.ToggleDataSwitch(n);
  s.SpeedButtonPOWERClick();
  s.RadioButtonMicroProgramClick();
  for (int i = 0; i < 7; ++i) s.Button_OneLittleStepClick();
  form.AfterAction();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  bool demo = false;
  QString board, window;
  int hold = 0;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--demo"))
      demo = true;
    else if (!std::strcmp(argv[i], "--board") && i + 1 < argc)
      board = argv[++i];
    else if (!std::strcmp(argv[i], "--window") && i + 1 < argc)
      window = argv[++i];
    else if (!std::strcmp(argv[i], "--hold") && i + 1 < argc)
      hold = std::atoi(argv[++i]);
  }
  orrin::ui::TMainForm form;
  if (demo) Demo(form);
  form.show();
  QTimer::singleShot(300, [&] {
    if (!board.isEmpty()) form.ScrollBox()->widget()->grab().save(board);
    if (!window.isEmpty()) form.grab().save(window);
    QTimer::singleShot(hold * 1000, &app, &QApplication::quit);
  });
  return QApplication::exec();
}
