#pragma once
// The recorded small beats as text: a value change dump for GTKWave, CSV,
// WaveDrom JSON.
#include <string>

#include "machine/trace.h"
#include "machine/trace_signals.h"

namespace orrin {

std::string TraceCsv(const Trace& t, BeatRange r);
std::string TraceVcd(const Trace& t, BeatRange r);
std::string TraceWaveDrom(const Trace& t, BeatRange r);

}  // namespace orrin
