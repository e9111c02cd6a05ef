#include "machine/trace_export.h"

#include "base/hex_text.h"

namespace orrin {

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

std::string TraceCsv(const Trace& t, BeatRange r) {
  const auto& signals = TraceSignals();
  std::string out = "step";
  for (const TraceSignal& s : signals) out.append(",").append(s.name);
  out += "\r\n";
  for (int64_t step = r.first; step <= r.last; ++step) {
    const TraceEntry& e = t.At(step);
    out.append(Dec(step).view());
    for (size_t i = 0; i < signals.size(); ++i) {
      out += ',';
      AppendValue(out, signals[i], TraceValue(e, i));
    }
    out += "\r\n";
  }
  return out;
}

std::string TraceVcd(const Trace& t, BeatRange r) {
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
    const TraceEntry& e = t.At(step);
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

std::string TraceWaveDrom(const Trace& t, BeatRange r) {
  const auto& signals = TraceSignals();
  std::string out = "{\"signal\": [\n";
  for (size_t i = 0; i < signals.size(); ++i) {
    std::string wave, data;
    int32_t last = -1;
    for (int64_t step = r.first; step <= r.last; ++step) {
      const int32_t v = TraceValue(t.At(step), i);
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
