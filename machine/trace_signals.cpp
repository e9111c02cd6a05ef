#include "machine/trace_signals.h"

#include <algorithm>

namespace orrin {

const std::vector<TraceSignal>& TraceSignals() {
  static const std::vector<TraceSignal> signals = [] {
    std::vector<TraceSignal> s = {{"phase", 3}, {"uAR", 6}, {"PC", 8}, {"AR", 8},     {"IR", 8},
                                  {"IAR", 8},   {"R0", 8},  {"R1", 8}, {"R2", 8},     {"R3", 8},
                                  {"BUS", 8},   {"C", 1},   {"Z", 1},  {"EN_INT", 1}, {"INTQ", 1}};
    for (const char* name : kSigNames) s.push_back({name, 1});
    return s;
  }();
  return signals;
}

BeatRange RecordedRange(const BeatGen& beat, int64_t from, int64_t to) {
  const int64_t newest = beat.StepCount;
  const int64_t oldest = std::max<int64_t>(1, newest - (HistoryDepth - 1));
  return {std::max(from, oldest), std::min(to, newest)};
}

}  // namespace orrin
