#include "machine/trace_signals.h"

#include <algorithm>

namespace orrin {

const std::vector<TraceSignal>& TraceSignals() {
  static const std::vector<TraceSignal> signals = [] {
    std::vector<TraceSignal> s = {
#define ORRIN_TRACE_SIGNAL(column, name, width) {name, width},
        ORRIN_TRACE_COLUMNS(ORRIN_TRACE_SIGNAL)
#undef ORRIN_TRACE_SIGNAL
    };
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
