#include "exec/trace_export.h"

#include <algorithm>

#include "base/hex_text.h"
#include "base/text_files.h"
#include "exec/trace_diagram.h"
#include "simulator/simulator.h"

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

BeatRange RecordedRange(const MachineState& m, int64_t from, int64_t to) {
  const int64_t newest = m.Beat.StepCount;
  const int64_t oldest = std::max<int64_t>(1, newest - (HistoryDepth - 1));
  return {std::max(from, oldest), std::min(to, newest)};
}

namespace {

// Registers, the bus and uAR as two hex digits; the phase and bits in decimal.
void AppendValue(std::string& out, const TraceSignal& s, int32_t v) {
  if (s.width >= 6) {
    out.append(Hex2(v).view());
  } else {
    out.append(Dec(v).view());
  }
}

}  // namespace

std::string TraceCsv(MachineState& m, BeatRange r) {
  const auto& signals = TraceSignals();
  std::string out = "step";
  for (const TraceSignal& s : signals) out.append(",").append(s.name);
  out += "\r\n";
  for (int64_t step = r.first; step <= r.last; ++step) {
    const TraceEntry& e = m.RingAt(step);
    out.append(Dec(step).view());
    for (size_t i = 0; i < signals.size(); ++i) {
      out += ',';
      AppendValue(out, signals[i], TraceValue(e, i));
    }
    out += "\r\n";
  }
  return out;
}

std::string TraceVcd(MachineState& m, BeatRange r) {
  const auto& signals = TraceSignals();
  // One printable identifier a signal: '!' onwards.
  auto id = [](size_t i) { return static_cast<char>('!' + i); };
  std::string out =
      "$comment Orrin simulator: the recorded small beats; the time of a value is its small-beat number $end\n"
      "$timescale 1 us $end\n$scope module board $end\n";
  for (size_t i = 0; i < signals.size(); ++i)
    out.append("$var wire ")
        .append(Dec(signals[i].width).view())
        .append(" ")
        .append(1, id(i))
        .append(" ")
        .append(signals[i].name)
        .append(" $end\n");
  out += "$upscope $end\n$enddefinitions $end\n";
  std::vector<int32_t> last(signals.size(), -1);
  for (int64_t step = r.first; step <= r.last; ++step) {
    const TraceEntry& e = m.RingAt(step);
    bool stamped = false;
    for (size_t i = 0; i < signals.size(); ++i) {
      const int32_t v = TraceValue(e, i);
      if (v == last[i]) continue;
      last[i] = v;
      if (!stamped) {
        out.append("#").append(Dec(step).view()).append("\n");
        if (step == r.first) out += "$dumpvars\n";
        stamped = true;
      }
      if (signals[i].width == 1) {
        out.append(1, v ? '1' : '0');
      } else {
        out += 'b';
        for (int bit = signals[i].width - 1; bit >= 0; --bit) out += ((v >> bit) & 1) ? '1' : '0';
        out += ' ';
      }
      out.append(1, id(i)).append("\n");
    }
    if (step == r.first && stamped) out += "$end\n";
  }
  return out;
}

std::string TraceWaveDrom(MachineState& m, BeatRange r) {
  const auto& signals = TraceSignals();
  std::string out = "{\"signal\": [\n";
  for (size_t i = 0; i < signals.size(); ++i) {
    std::string wave, data;
    int32_t last = -1;
    for (int64_t step = r.first; step <= r.last; ++step) {
      const int32_t v = TraceValue(m.RingAt(step), i);
      if (v == last) {
        wave += '.';
        continue;
      }
      last = v;
      if (signals[i].width == 1) {
        wave += v ? '1' : '0';
      } else {
        wave += '=';
        if (!data.empty()) data += ", ";
        data.append("\"");
        AppendValue(data, signals[i], v);
        data.append("\"");
      }
    }
    out.append("  {\"name\": \"").append(signals[i].name).append("\", \"wave\": \"").append(wave).append("\"");
    if (signals[i].width > 1) out.append(", \"data\": [").append(data).append("]");
    out.append(i + 1 < signals.size() ? "},\n" : "}\n");
  }
  out.append("],\n\"head\": {\"text\": \"Orrin small beats ")
      .append(Dec(r.first).view())
      .append("-")
      .append(Dec(r.last).view())
      .append("\"}}\n");
  return out;
}

}  // namespace orrin

namespace orrin {

// A read: the position shown stays shown (the diagram's cursor marks it).
std::optional<std::string> Simulator::TraceExport(const std::string& path, int64_t from, int64_t to) {
  const size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  const BeatRange r = RecordedRange(machine, from, to);
  if (ext == "csv") return TraceCsv(machine, r);
  if (ext == "vcd") return TraceVcd(machine, r);
  if (ext == "json") return TraceWaveDrom(machine, r);
  if (ext == "svg" || ext == "png") {
    const DiagramView v = WholeHistoryView(machine, from, to);
    const DiagramDrawing d = DrawDiagram(machine, v);
    return ext == "svg" ? DiagramSvg(d, v) : DiagramPng(d, v);
  }
  return std::nullopt;
}

Simulator::ExportResult Simulator::ExportTrace(const std::string& path, int64_t from, int64_t to) {
  const std::optional<std::string> text = TraceExport(path, from, to);
  if (!text) return ExportResult::UnknownFormat;
  if (!host.WriteFile(path, *text)) {
    host.Warn(files::CannotWriteWarning(path));
    return ExportResult::NotWritten;
  }
  return ExportResult::Written;
}

}  // namespace orrin
