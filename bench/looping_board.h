#pragma once
// The board the benchmarks run: powered on in microprogram mode with the IR,
// C and Z jacks wired as for a program run, and a small loop in memory.
#include <initializer_list>
#include <utility>

#include "base/host.h"
#include "simulator/access.h"
#include "simulator/simulator.h"

namespace orrin {

struct LoopingBoard {
  SilentHost host;
  Simulator sim{host};

  // `program` is put at address 00; the registers R1 and R2 get `r1`, `r2`.
  explicit LoopingBoard(std::initializer_list<uint8_t> program = {0x11, 0xB0}, int32_t r1 = 1, int32_t r2 = 0) {
    sim.Startup();
    for (auto [from, to] : {std::pair{jack::IR7O, jack::IR7I},
                            {jack::IR6O, jack::IR6I},
                            {jack::IR5O, jack::IR5I},
                            {jack::IR4O, jack::IR4I},
                            {jack::CO, jack::CI},
                            {jack::ZO, jack::ZI}}) {
      Access(sim).wires.Add(from, to, color::SkyBlue);
    }
    sim.RadioButtonMicroProgramClick();
    sim.SpeedButtonPOWERClick();
    size_t a = 0;
    for (uint8_t byte : program) Access(sim).machine.Mem.Cells[a++] = byte;
    Access(sim).machine.Mem.ShownCells = Access(sim).machine.Mem.Cells;
    Access(sim).panels.MemoryGridDirty = true;
    Access(sim).machine.Regs.R[1] = r1;
    Access(sim).machine.Regs.R[2] = r2;
  }
};

}  // namespace orrin
