// "读取连线文件" and "备份连线到文件": the whole wiring to a text file and back.
#include "wiring/wire_file.h"

#include <cstdio>

#include "core/line_ends.h"
#include "core/simulator.h"
#include "panels/text_files.h"

namespace orrin {

std::string FormatWireLine(const Wire& w) {
  // Every field is cut to its width, so a value that does not fit can never
  // shift the fields after it.
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04X%04X%08X", static_cast<unsigned>(w.From) & 0xFFFFu,
                static_cast<unsigned>(w.To) & 0xFFFFu, static_cast<unsigned>(w.Color));
  std::string line = buf;
  line.reserve(16 + 8 * w.Points.size());
  for (const WirePoint& p : w.Points) {
    std::snprintf(buf, sizeof buf, "%04X%04X", static_cast<unsigned>(p.X) & 0xFFFFu,
                  static_cast<unsigned>(p.Y) & 0xFFFFu);
    line += buf;
  }
  return line;
}

void ForEachWireLine(std::string_view bytes, const std::function<void(std::string_view)>& take) {
  std::string line;
  bool pending = false;  // digits or a line end seen since the last line was taken
  const LineEnds ends(bytes);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (const size_t end = ends.At(i); end > 0) {
      take(line);
      line.clear();
      pending = false;
      i += end - 1;
    } else if (HexDigitValue(c) >= 0) {
      line += c;
      pending = true;
    }
  }
  if (pending) take(line);
}

void Simulator::TakeWireLine(std::string_view d, int& taken) {
  const size_t length = d.size();
  // A wire needs at least one point to be drawn or removed in the editor.
  if (length % 8 != 0 || length <= 16) return;
  const int from = ParseHex(d.substr(0, 4)), to = ParseHex(d.substr(4, 4));
  const auto color = static_cast<uint32_t>(ParseHex(d.substr(8, 8)));
  if (from < 0 || from >= JackCount || to < 0 || to >= JackCount) return;
  const Jack& out = machine.Jacks[static_cast<size_t>(from)];
  const Jack& in = machine.Jacks[static_cast<size_t>(to)];
  if (out.InUse != 1 || in.InUse != 1 || out.IsOutput != 1 || in.IsOutput != 0) return;
  if (FindWire(from, to) >= 0 || taken >= WireCapacity) return;
  const int k = AddWire(from, to, color);
  if (k < 0) return;
  for (size_t i = 0; 16 + 8 * i < length && i < static_cast<size_t>(MidwayCapacity); ++i)
    AppendWirePoint(k, ParseHex(d.substr(16 + 8 * i, 4)), ParseHex(d.substr(20 + 8 * i, 4)));
  DrawWire(k);
  ++taken;
}

void Simulator::N_ReadLineFileClick() {
  EndPlayback();
  if (machine.Console.PowerOn == 1) {
    host.Warn("通电状态不能读取连线文件。");
    return;
  }
  const std::string name = host.OpenFileName();
  if (name.empty()) return;
  // The file is read whole before the wiring is touched: a file that is too
  // big or cannot be read leaves the current wiring as it is.
  std::string bytes;
  switch (panels::ReadWholeFile(name, WireFileLimit, bytes)) {
    case panels::ReadResult::CannotRead:
      host.Warn(panels::CannotReadWarning(name));
      return;
    case panels::ReadResult::TooLarge:
      host.Warn("连线文件太大，未读取。");
      return;
    case panels::ReadResult::Ok:
      break;
  }

  if (WireCountInUse() > 0) {
    if (host.Ask("读连线文件前要清除现有连线，要继续吗？") != Answer::Yes) return;
    ClearAllWires();
  }
  int taken = 0;
  ForEachWireLine(bytes, [&](std::string_view line) { TakeWireLine(line, taken); });
  CheckWiring();
  BoardEvaluation();
}

void Simulator::N_SaveLineFileClick() {
  EndPlayback();
  const std::string name = host.SaveFileName();
  if (name.empty()) return;
  std::string text;
  for (const Wire& w : machine.Wires) {
    if (w.InUse != 1) continue;
    text += FormatWireLine(w);
    text += "\r\n";
  }
  if (!panels::WriteWholeFile(name, text)) host.Warn(panels::CannotWriteWarning(name));
}

}  // namespace orrin
