#pragma once
// Shared set-ups for tests that drive the whole board.
#include <string>

#include "simulator/access.h"
#include "tests/test_host.h"

namespace orrin {

inline void PowerOn(Simulator& sim) {
  if (sim.console.PowerOn == 0) sim.SpeedButtonPOWERClick();
}

inline void Steps(Simulator& sim, int n) {
  for (int i = 0; i < n; ++i) sim.Button_OneLittleStepClick();
}

// Runs console.Timer_RUN ticks while the timer is enabled; returns the ticks taken.
inline int RunTimer(Simulator& sim, int maxTicks = 1000000) {
  int ticks = 0;
  while (sim.console.Timer_RUN.enabled && ticks < maxTicks) {
    sim.Timer_RUNTimer();
    ++ticks;
  }
  return ticks;
}

inline void SetWord(Simulator& sim, int address, const std::string& word) {
  SetControlStoreEntry(Access(sim).machine, address, std::string(Hex2(address).view()) + word, word, "");
}

// The microprogram-mode wiring: flags and IR bits 7..4 to the sequencer's tests.
inline void WireSequencerInputs(Simulator& sim) {
  Join(sim, jack::CO, jack::CI);
  Join(sim, jack::ZO, jack::ZI);
  Join(sim, jack::IR7O, jack::IR7I);
  Join(sim, jack::IR6O, jack::IR6I);
  Join(sim, jack::IR5O, jack::IR5I);
  Join(sim, jack::IR4O, jack::IR4I);
}

}  // namespace orrin
