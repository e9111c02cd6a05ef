// The window's own figures: how soon it is on screen, how closely a
// continuous run keeps the pace of 7 small beats per 5 ms with the view
// applied on screen, what processor time that costs, and the peak memory.
//   QT_QPA_PLATFORM=offscreen orrin_bench_window [SECONDS] [full|diagram|diagram-follow|en|lab]
// "full" first fills the trace ring (50 000 small beats) before the timed run;
// "diagram" does the same with the timing diagram open at "fit all", so the
// two peaks differ by what the open diagram costs; "diagram-follow" has it
// open at its own zoom, following the newest beats. "en" starts in English.
// "lab" runs with bench/never_done.lab open (from the repository's root): its
// step is checked at every frame and never holds.
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "ui/main_form.h"
#include "ui/timing_diagram.h"
#include "ui/translate.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Seconds since the process started, from the kernel's record of its start.
double SinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string field;
  for (int i = 0; i < 22 && stat >> field; ++i) {
  }
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double started = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 - started;
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const std::string extra = argc > 2 ? argv[2] : "";
  QApplication app(argc, argv);
  orrin::ui::UseLanguage(extra == "en" ? orrin::ui::Language::English : orrin::ui::Language::Chinese);
  orrin::ui::TMainForm form;
  form.show();
  while (!form.windowHandle() || !form.windowHandle()->isExposed()) QApplication::processEvents();
  QApplication::processEvents();
  const double visible = SinceProcessStart();

  // Power on, the microprogram controller, continuous mode: with the default
  // control store and nothing wired the machine fetches and dispatches
  // forever (00 -> 01 -> 20 -> 00 ...), never meeting a STOP.
  orrin::Simulator& sim = form.Sim();
  if (extra == "lab" && !form.OpenLab("bench/never_done.lab")) return 1;
  sim.SpeedButtonPOWERClick();
  sim.RadioButtonMicroProgramClick();
  sim.SpeedButtonQDClick();
  form.AfterAction();
  if (extra == "full" || extra.starts_with("diagram")) {
    while (sim.machine.Beat.StepCount < 50000) sim.Timer_RUNTimer();
    form.AfterAction();
  }
  if (extra.starts_with("diagram")) {
    form.ShowTimingDiagram();
    if (extra == "diagram") form.TimingDiagram()->Diagram()->FitAll();
    QApplication::processEvents();
  }

  const int64_t steps0 = sim.machine.Beat.StepCount;
  const double cpu0 = CpuSeconds();
  const auto t0 = Clock::now();
  QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &app, &QApplication::quit);
  QApplication::exec();
  const double elapsed = std::chrono::duration<double>(Clock::now() - t0).count();
  const double cpu = CpuSeconds() - cpu0;
  const int64_t steps = sim.machine.Beat.StepCount - steps0;

  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  const double beatsPerSecond = static_cast<double>(steps) / elapsed;
  std::printf("window visible after     %.3f s (from process start)\n", visible);
  std::printf("continuous run           %.1f s, %lld small beats, still running: %s\n", elapsed,
              static_cast<long long>(steps), sim.console.Running ? "yes" : "no");
  std::printf("pace                     %.0f small beats/s = %.1f %% of 1400/s\n", beatsPerSecond,
              100.0 * beatsPerSecond / 1400.0);
  std::printf("processor time           %.3f s = %.1f %% of one core\n", cpu, 100.0 * cpu / elapsed);
  std::printf("peak resident memory     %.1f MB\n", static_cast<double>(u.ru_maxrss) / 1024.0);
  return 0;
}
