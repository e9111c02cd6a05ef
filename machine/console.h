#pragma once
// The console: the power switch, the run-mode switch DP, the operating-mode
// switches SWC SWB SWA, the controller mode and the run timer that paces a
// run. What a button does to the machine is the simulator's; the console
// keeps what was set and the rules of the run's pace.
#include <cstdint>

#include "machine/core.h"

namespace orrin {

// A timer of the window as state: the window starts or stops a QTimer to
// match after every action; the headless runner ticks it itself.
struct TimerRecord {
  bool enabled = false;
  int intervalMs = 0;
};

class Console {
 public:
  bool PowerOn = false;
  bool SingleBeat = false;  // DP up: a run stops after one machine cycle
  bool Running = false;     // QD's lamp
  bool TimerActive = false, KeepRunning = false;
  int32_t SWC = 0, SWB = 0, SWA = 0;
  int StepsPerTick = 1;
  ControllerMode Mode = ControllerMode::Independent;
  TimerRecord Timer_RUN{false, 5};

  bool Independent() const { return Mode == ControllerMode::Independent; }
  bool Microprogram() const { return Mode == ControllerMode::Microprogram; }
  bool HardWired() const { return Mode == ControllerMode::HardWired; }

  // QD: single-beat mode ticks every 50 ms one small beat at a time,
  // continuous mode every 5 ms seven at a time.
  void StartRun() {
    Running = true;
    StepsPerTick = SingleBeat ? 1 : 7;
    Timer_RUN.intervalMs = SingleBeat ? 50 : 5;
    Timer_RUN.enabled = TimerActive = KeepRunning = true;
  }
  // The timer off and nothing pending; `Running` is the caller's.
  void StopTimer() {
    Timer_RUN.enabled = false;
    TimerActive = KeepRunning = false;
  }
};

}  // namespace orrin
