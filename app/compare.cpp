#include "app/compare.h"

#include <ostream>
#include <sstream>

#include "app/runner.h"
#include "base/text_files.h"
#include "machine/trace_signals.h"

namespace orrin {

namespace {

// One board of the two: what it prints is kept, not shown.
struct Side {
  std::ostringstream said;
  ScriptHost host{said, nullptr};
  Simulator sim{host};
  RunnerContext ctx{sim, host, said};
  Side() { sim.Startup(); }
  bool Run(const std::string& line, std::string& error) {
    bool acted = false;
    return RunLine(ctx, line, error, acted);
  }
};

std::string Hex(int32_t v) { return std::string(Hex2(v).view()); }

}  // namespace

int CompareController(const std::string& design, std::istream& script, std::ostream& out, std::ostream& err) {
  Side micro, wired;
  std::string error;
  if (!wired.Run("load-controller " + design, error) || !wired.sim.ModeAvailable(ControllerMode::HardWired)) {
    err << files::PrintableLines(wired.said.str().empty() ? error : wired.said.str());
    if (wired.said.str().empty() && error.empty()) err << "cannot load " << files::PrintableText(design) << "\n";
    return 2;
  }
  wired.said.str("");
  int64_t compared = 0;  // the beats compared so far
  std::string line;
  int64_t number = 1;
  for (ScriptLines lines(script); lines.Next(line); ++number) {
    micro.ctx.lineNumber = wired.ctx.lineNumber = number;
    // The second board runs the design where the first runs the microprogram.
    std::istringstream words(line);
    std::string first, second, rest;
    words >> first >> second;
    const bool toHardwired = first == "mode" && second == "microprogram" && !(words >> rest);
    if (!micro.Run(line, error) || !wired.Run(toHardwired ? "mode hardwired" : line, error)) {
      err << "line " << number << ": " << files::PrintableText(error) << "\n";
      return 2;
    }
    const int64_t a = micro.sim.machine.Beat.StepCount, b = wired.sim.machine.Beat.StepCount;
    const BeatRange range = RecordedRange(micro.sim.machine.Beat, compared + 1, std::min(a, b));
    for (int64_t beat = std::max(range.first, compared + 1); beat <= range.last; ++beat) {
      const TraceEntry& x = micro.sim.trace.At(beat);
      const TraceEntry& y = wired.sim.trace.At(beat);
      std::string differ;
      for (size_t c = 0; c < TraceSignals().size(); ++c) {
        const int32_t u = TraceValue(x, c), v = TraceValue(y, c);
        if (u == v) continue;
        const bool wide = TraceSignals()[c].width > 1;
        differ += std::string(differ.empty() ? "" : ", ") + TraceSignals()[c].name +
                  " microprogram=" + (wide ? Hex(u) : std::to_string(u)) +
                  " hardwired=" + (wide ? Hex(v) : std::to_string(v));
      }
      if (!differ.empty()) {
        out << "line " << number << ": " << files::PrintableText(line) << ": small beat " << beat << " (machine cycle "
            << (beat - 1) / 6 + 1 << "): " << differ << "\n";
        return 1;
      }
    }
    compared = std::max(compared, std::min(a, b));
    if (a != b) {
      out << "line " << number << ": " << files::PrintableText(line) << ": the microprogram ran " << a
          << " small beats, the design " << b << "\n";
      return 1;
    }
    for (int addr = 0; addr < 256; ++addr) {
      const int32_t u = micro.sim.machine.Mem.Cells[static_cast<size_t>(addr)];
      const int32_t v = wired.sim.machine.Mem.Cells[static_cast<size_t>(addr)];
      if (u == v) continue;
      out << "line " << number << ": " << files::PrintableText(line) << ": memory " << Hex(addr)
          << " microprogram=" << Hex(u) << " hardwired=" << Hex(v) << "\n";
      return 1;
    }
  }
  out << "the design agrees with the microprogram over " << compared << " small beats\n";
  return 0;
}

}  // namespace orrin
