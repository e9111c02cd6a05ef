#pragma once
// The recorded history as signals over small beats, for the timing diagram
// and the exports. The value of a signal at beat S is what the board shows
// at that position: what a playback to S shows and what `dump` printed there.
#include <cstdint>
#include <vector>

#include "base/machine_state.h"

namespace orrin {

struct TraceSignal {
  const char* name;
  int width;  // bits: 1 for a signal or flag, 8 for a register or the bus
};

// The columns of the recorded history before the 28 control signals:
// X(COLUMN, name, width).
// clang-format off
#define ORRIN_TRACE_COLUMNS(X)                                                                                      \
  X(Phase, "phase", 3)                                                                                              \
  X(MicroAddress, "uAR", 6) X(Pc, "PC", 8) X(Ar, "AR", 8) X(Ir, "IR", 8) X(Iar, "IAR", 8) X(R0, "R0", 8)            \
      X(R1, "R1", 8) X(R2, "R2", 8) X(R3, "R3", 8) X(Bus, "BUS", 8) X(C, "C", 1) X(Z, "Z", 1) X(EnInt, "EN_INT", 1) \
          X(Intq, "INTQ", 1)
// clang-format on
namespace column {
enum : size_t {
#define ORRIN_TRACE_COLUMN(column, name, width) column,
  ORRIN_TRACE_COLUMNS(ORRIN_TRACE_COLUMN)
#undef ORRIN_TRACE_COLUMN
      FirstSignal  // then the control signals in the order of Sig
};
}  // namespace column

// The columns, then the control signals DRW ... RS0.
const std::vector<TraceSignal>& TraceSignals();
// The value of column `index` in a recorded entry (inline: the diagram asks
// it for every row of every beat it draws).
inline int32_t TraceValue(const TraceEntry& e, size_t index) {
  switch (index) {
    case column::Phase:
      return e.beat.BeatPhase;
    case column::MicroAddress:
      return e.micro.MicroAddress & 0x3F;
    case column::Pc:
      return e.pc.PC & 0xFF;
    case column::Ar:
      return e.ar.AR & 0xFF;
    case column::Ir:
      return e.ir.IR & 0xFF;
    case column::Iar:
      return e.iar.IAR & 0xFF;
    case column::R0:
    case column::R1:
    case column::R2:
    case column::R3:
      return e.regs.R[index - column::R0] & 0xFF;
    case column::Bus:
      return e.bus.Value & 0xFF;
    case column::C:
      return e.flags.C & 1;
    case column::Z:
      return e.flags.Z & 1;
    case column::EnInt:
      return e.intr.EN_INT & 1;
    case column::Intq:
      return e.intr.INTQ & 1;
    default:
      return Active(e.signals[index - column::FirstSignal]) ? 1 : 0;
  }
}

// The beats still in the ring, FROM..TO clamped to them; empty (first > last)
// when nothing is recorded or the range misses the ring.
struct BeatRange {
  int64_t first, last;
};
BeatRange RecordedRange(const BeatGen& beat, int64_t from, int64_t to);

}  // namespace orrin
