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

int CompareController(const std::string& design, std::istream& script, std::ostream& out, std::ostream& err,
                      const FactSink& facts) {
  auto tell = [&](const RunFact& f) {
    if (facts) facts(f);
  };
  Side micro, wired;
  std::string error;
  if (!wired.Run("load-controller " + design, error) || !wired.sim.ModeAvailable(ControllerMode::HardWired)) {
    std::string why = wired.said.str().empty() ? error : wired.said.str();
    if (why.empty()) why = "cannot load " + design + "\n";
    err << files::PrintableLines(why);
    // Before the script's first line the design is loaded: "line 0".
    tell({RunFact::Kind::FileProblem, 0, 0, why, design});
    tell({RunFact::Kind::ExpectFailed, 0, 0,
          "line 0: load-controller " + files::PrintableText(design) + ": " +
              files::PrintableText(why.substr(0, why.find('\n')))});
    tell({RunFact::Kind::Tally, 0, 1});
    return 2;
  }
  wired.said.str("");
  // The first difference, printed and told: status 1.
  auto report = [&](int64_t number, const std::string& line, const std::string& what) {
    const std::string text = "line " + std::to_string(number) + ": " + files::PrintableText(line) + ": " + what;
    out << text << "\n";
    tell({RunFact::Kind::ExpectFailed, 0, number, text});
    tell({RunFact::Kind::Tally, 0, 1});
    return 1;
  };
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
      const std::string text = "line " + std::to_string(number) + ": " + files::PrintableText(error);
      err << text << "\n";
      tell({RunFact::Kind::Stopped, 0, number, text});
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
        std::ostringstream said;
        said << "small beat " << beat << " (machine cycle " << (beat - 1) / 6 + 1 << "): " << differ;
        return report(number, line, said.str());
      }
    }
    compared = std::max(compared, std::min(a, b));
    if (a != b)
      return report(number, line,
                    "the microprogram ran " + std::to_string(a) + " small beats, the design " + std::to_string(b));
    for (int addr = 0; addr < 256; ++addr) {
      const int32_t u = micro.sim.machine.Mem.Cells[static_cast<size_t>(addr)];
      const int32_t v = wired.sim.machine.Mem.Cells[static_cast<size_t>(addr)];
      if (u == v) continue;
      return report(number, line, "memory " + Hex(addr) + " microprogram=" + Hex(u) + " hardwired=" + Hex(v));
    }
  }
  out << "the design agrees with the microprogram over " << compared << " small beats\n";
  tell({RunFact::Kind::Tally, 1, 0});
  return 0;
}

}  // namespace orrin
