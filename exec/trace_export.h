#pragma once
// The recorded history as signals over small beats, for the timing diagram
// and its exports. The value of a signal at beat S is what the board shows
// at that position: what a playback to S shows and what `dump` printed there.
#include <cstdint>
#include <string>
#include <string_view>
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
// The value of signal `index` in a recorded entry.
int32_t TraceValue(const TraceEntry& e, size_t index);

// The beats still in the ring, FROM..TO clamped to them; empty (first > last)
// when nothing is recorded or the range misses the ring.
struct BeatRange {
  int64_t first, last;
};
BeatRange RecordedRange(const MachineState& m, int64_t from, int64_t to);

std::string TraceCsv(MachineState& m, BeatRange r);
std::string TraceVcd(MachineState& m, BeatRange r);
std::string TraceWaveDrom(MachineState& m, BeatRange r);

}  // namespace orrin
