// The wiring check: both wire lists, the count, and the one error the board
// knows, an input jack driven by more than one output.
#include <array>
#include <string>

#include "simulator/simulator.h"

namespace orrin {

using enum WidgetId;

void Simulator::CheckWiring() {
  // Which (output, input) pairs carry a wire: one pass over the store rather
  // than a search of it for each of the 1428 pairs.
  std::array<std::array<uint8_t, JackCount>, JackCount> wired{};
  for (const Wire& w : wires.Wires()) {
    if (w.InUse && w.From >= 0 && w.From < JackCount && w.To >= 0 && w.To < JackCount)
      wired[static_cast<size_t>(w.From)][static_cast<size_t>(w.To)] = 1;
  }
  auto isOutput = [&](int n) { return wires.IsOutput(n); };
  auto isInput = [&](int n) { return wires.IsInput(n); };
  auto name = [&](int n) -> const std::string& { return wires.JackAt(n).Name; };

  view.ClearLines(Memo_WireOut);
  int count = 0;
  for (int o = 0; o < JackCount; ++o) {
    if (!isOutput(o)) continue;
    for (int i = 0; i < JackCount; ++i) {
      if (!isInput(i) || !wired[static_cast<size_t>(o)][static_cast<size_t>(i)]) continue;
      view.AddLine(Memo_WireOut, name(o) + " --> " + name(i));
      ++count;
    }
  }
  view.SetText(Label_LineCount, Dec(count).view());

  std::array<int, JackCount> drivers{};
  for (int i = 0; i < JackCount; ++i) {
    if (!isInput(i)) continue;
    for (int o = 0; o < JackCount; ++o)
      if (isOutput(o) && wired[static_cast<size_t>(o)][static_cast<size_t>(i)]) ++drivers[static_cast<size_t>(i)];
  }
  int wrong = 0;
  for (int d : drivers) wrong += d > 1;
  machine.WireEditor.WrongInputCount = wrong;

  view.ClearLines(Memo_WireIn);
  auto driverLines = [&](int i) {
    for (int o = 0; o < JackCount; ++o)
      if (isOutput(o) && wired[static_cast<size_t>(o)][static_cast<size_t>(i)])
        view.AddLine(Memo_WireIn, name(i) + " <-- " + name(o));
  };
  if (wrong == 0) {
    view.SetFontColor(Memo_WireIn, color::WindowText);
    for (int i = 0; i < JackCount; ++i)
      if (drivers[static_cast<size_t>(i)] == 1) driverLines(i);
  } else {
    view.SetFontColor(Memo_WireIn, color::Red);
    view.AddLine(Memo_WireIn, "      ");
    view.AddLine(Memo_WireIn, "  错误插孔信息  ");
    for (int i = 0; i < JackCount; ++i) {
      const int k = drivers[static_cast<size_t>(i)];
      if (k <= 1) continue;
      view.AddLine(Memo_WireIn, "      ");
      view.AddLine(Memo_WireIn, "'" + name(i) + "'连" + std::string(Dec(k).view()) + "根线");
      driverLines(i);
    }
  }
  view.SetText(Label_wrongNum, Dec(wrong).view());

  if (wrong == 0) {
    Timer_WrongLine.enabled = false;
    ShowWiringAlarm(false);
  } else {
    // A running timer is left alone, so the blinking keeps its rhythm.
    Timer_WrongLine.enabled = true;
  }
}

void Simulator::Timer_WrongLineTimer() {
  int32_t& n = machine.WireEditor.WrongBlinkCounter;
  n = (n + 1) % 20000;
  ShowWiringAlarm(n % 10 >= 5);
}

void Simulator::ShowWiringAlarm(bool alarm) {
  if (alarm) {
    view.SetColor(Label_wrongwarn, color::Red);
    view.SetFontColor(Label_wrongwarn, color::BtnFace);
    view.SetColor(Label_wrongNum, color::Lime);
    view.SetFontColor(Label_wrongNum, color::Yellow);
  } else {
    view.SetColor(Label_wrongwarn, color::SkyBlue);
    view.SetFontColor(Label_wrongwarn, color::WindowText);
    view.SetColor(Label_wrongNum, color::BtnFace);
    view.SetFontColor(Label_wrongNum, color::WindowText);
  }
}

}  // namespace orrin
