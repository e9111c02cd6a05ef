// The wiring board's actions: the mouse over the board picture, clearing
// the wires, the wire colour, the hints of the level switches, and the wire
// file ("读取连线文件", "备份连线到文件").
#include "base/text_files.h"
#include "base/wire_format.h"
#include "simulator/commands.h"
#include "simulator/file_reading.h"
#include "simulator/simulator.h"

namespace orrin {

void Simulator::Image_WireDrawMouseMove(int x, int y) {
  const auto recorded = Record([=] { return CommandLine(Cmd::Hover, x, y); });
  editor_.MouseMove(x, y, console_.PowerOn);
}

void Simulator::Image_WireDrawMouseUp(MouseButton button, int x, int y) {
  const auto recorded = Record([=] {
    const char* which = button == MouseButton::Right ? " right" : button == MouseButton::Middle ? " middle" : "";
    return CommandLine(Cmd::Release, x, y) + which;
  });
  EndPlayback();
  const WireEditor::Release r = editor_.MouseUp(button, x, y, console_.PowerOn);
  if (r == WireEditor::Release::Nothing) return;
  if (r == WireEditor::Release::Full) host.Warn("连线数已达上限。");
  editor_.Check();
  editor_.RefreshHint();
  BoardEvaluation();
}

void Simulator::Button_delLineClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::ClearWires); });
  EndPlayback();
  if (console_.PowerOn) {
    host.Warn("通电状态不能删除连线。");
    return;
  }
  if (host.Ask("清除连线不可恢复，要继续吗？") != Answer::Yes) return;
  ClearAllWires();
}

void Simulator::ClearAllWires() {
  editor_.ClearAll(cleanBoard);
  editor_.Check();
  BoardEvaluation();
}

void Simulator::Button_SetColorClick() {
  const auto recorded = Record([this] { return CommandLine(Cmd::WireColour, session.ColorWord()); });
  EndPlayback();
  if (editor_.WireDrawing) return;
  if (const auto chosen = host.ChooseColor(editor_.WireColor)) editor_.WireColor = *chosen;
  editor_.ShowWireColor();
}

void Simulator::Image_KMouseMove(int n, int x, int y) {
  if (n < 0 || n > 31) return;
  const auto recorded = Record([=] { return CommandLine(Cmd::HoverK, n, x, y); });
  editor_.ShowSwitchWires(n, LevelSwitchImageLeft(n) + x - 4, n < 16 ? y - 4 : y + 44, console_.Microprogram());
}

namespace {
// One line of a wire file into the store; false when it gives no wire.
// Whether the digits of a line are a wire the board could take: at least
// one point (to be drawn or removed in the editor), from an output to an input.
bool IsWireLine(const WireStore& wires_, std::string_view d) {
  if (d.size() % 8 != 0 || d.size() <= 16) return false;
  return wires_.IsOutput(ParseHex(d.substr(0, 4))) && wires_.IsInput(ParseHex(d.substr(4, 4)));
}

bool TakeWireLine(WireStore& wires_, WireEditor& editor_, std::string_view d) {
  const size_t length = d.size();
  if (!IsWireLine(wires_, d)) return false;
  const int from = ParseHex(d.substr(0, 4)), to = ParseHex(d.substr(4, 4));
  const auto color = static_cast<uint32_t>(ParseHex(d.substr(8, 8)));
  // The store refuses a pair already joined and anything but output to input.
  const int k = wires_.Add(from, to, color);
  if (k < 0) return false;
  for (size_t i = 0; 16 + 8 * i < length && i < static_cast<size_t>(MidwayCapacity); ++i)
    wires_.AppendPoint(k, ParseHex(d.substr(16 + 8 * i, 4)), ParseHex(d.substr(20 + 8 * i, 4)));
  editor_.DrawWire(k);
  return true;
}
}  // namespace

void Simulator::Image_WireDrawMouseLeave() {
  const auto recorded = Record([] { return CommandLine(Cmd::Leave); });
  editor_.MouseLeave();
}

void Simulator::PointLabelMouseMove() {
  const auto recorded = Record([] { return CommandLine(Cmd::HoverLabel); });
  editor_.PointLabelMouseMove();
}

void Simulator::Panel_KEYMouseMove() {
  const auto recorded = Record([] { return CommandLine(Cmd::HoverConsole); });
  editor_.HideSwitchWires();
}

void Simulator::Timer_WrongLineTimer() {
  const auto recorded = Record([] { return CommandLine(Cmd::Blink); });
  editor_.BlinkTick();
}

void Simulator::N_ReadLineFileClick() {
  const auto recorded = Record([this] { return CommandLine(Cmd::LoadWires, session.FileWord()); });
  EndPlayback();
  if (console_.PowerOn) {
    host.Warn("通电状态不能读取连线文件。");
    return;
  }
  const std::string name = host.OpenFileName();
  if (name.empty()) return;
  // The file is read whole before the wiring is touched: a file that is too
  // big or cannot be read leaves the current wiring as it is.
  std::string bytes;
  if (!ReadForLoading(host, name, WireFileLimit, "连线文件太大，未读取。", bytes)) return;
  // A file that holds no wire at all (another kind of file, picked by
  // mistake) must not cost the wiring on the board: refused before the
  // question. An empty file is what the board writes for no wires, and loads.
  bool any = false;
  ForEachWireLine(bytes, [&](std::string_view line, int64_t) { any = any || IsWireLine(wires_, line); });
  if (!any && !files::IsBlank(bytes)) {
    host.WarnAboutFile(name, "连线文件中没有一条能读出的连线，连线未改变：" + name);
    return;
  }
  if (wires_.CountInUse() > 0) {
    if (host.Ask("读连线文件前要清除现有连线，要继续吗？") != Answer::Yes) return;
    ClearAllWires();
  }
  // A line that gave no wire (malformed, a jack that is not there, a pair
  // already joined, the store full) is named afterwards, so no wire goes
  // missing unnoticed; a line without a single digit is a blank line.
  std::vector<int64_t> skipped;
  ForEachWireLine(bytes, [&](std::string_view line, int64_t number) {
    if (!line.empty() && !TakeWireLine(wires_, editor_, line)) skipped.push_back(number);
  });
  editor_.Check();
  BoardEvaluation();
  if (!skipped.empty()) host.WarnAboutFile(name, "连线文件第 " + files::LineList(skipped) + " 行无法读取，已跳过。");
}

void Simulator::N_SaveLineFileClick() {
  const auto recorded = Record([this] { return CommandLine(Cmd::SaveWires, session.FileWord()); });
  EndPlayback();
  const std::string name = host.SaveFileName();
  if (name.empty()) return;
  std::string text;
  for (const Wire& w : wires_.Wires()) {
    if (!w.InUse) continue;
    text += FormatWireLine(w);
    text += "\r\n";
  }
  if (!host.WriteFile(name, text)) host.Warn(files::CannotWriteWarning(name));
}

}  // namespace orrin
