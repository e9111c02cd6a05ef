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
// phase, uAR, PC, AR, IR, IAR, R0-R3, BUS, C, Z, EN_INT, INTQ, then the 28
// control signals DRW ... RS0.
const std::vector<TraceSignal>& TraceSignals();
// The value of signal `index` in a recorded entry (inline: the diagram asks
// it for every row of every beat it draws).
inline int32_t TraceValue(const TraceEntry& e, size_t index) {
  switch (index) {
    case 0:
      return e.beat.BeatPhase;
    case 1:
      return e.micro.MicroAddress & 0x3F;
    case 2:
      return e.pc.PC & 0xFF;
    case 3:
      return e.ar.AR & 0xFF;
    case 4:
      return e.ir.IR & 0xFF;
    case 5:
      return e.iar.IAR & 0xFF;
    case 6:
    case 7:
    case 8:
    case 9:
      return e.regs.R[index - 6] & 0xFF;
    case 10:
      return e.bus.Value & 0xFF;
    case 11:
      return e.flags.C & 1;
    case 12:
      return e.flags.Z & 1;
    case 13:
      return e.intr.EN_INT & 1;
    case 14:
      return e.intr.INTQ & 1;
    default:
      return Active(e.signals[index - 15]) ? 1 : 0;
  }
}

// The beats still in the ring, FROM..TO clamped to them; empty (first > last)
// when nothing is recorded or the range misses the ring.
struct BeatRange {
  int64_t first, last;
};
BeatRange RecordedRange(const BeatGen& beat, int64_t from, int64_t to);

}  // namespace orrin
