#pragma once
// The simulator's components, writable: for the façade's own helpers, the
// teacher's faults and the tests that set up a board no action reaches (a
// register mid-cycle, a full wire store). The window, the runner, the labs
// and the page go through the façade's actions instead.
#include "simulator/simulator.h"

namespace orrin {

struct SimulatorAccess {
  struct Components {
    Core& machine;
    WireStore& wires;
    Console& console;
    Controllers& controllers;
    Trace& trace;
    Canvas& canvas;
    WireEditor& editor;
    Panels& panels;
  };
  static Components Of(Simulator& s) {
    return {s.machine_, s.wires_, s.console_, s.controllers_, s.trace_, s.canvas_, s.editor_, s.panels_};
  }
};

inline SimulatorAccess::Components Access(Simulator& s) { return SimulatorAccess::Of(s); }

}  // namespace orrin
