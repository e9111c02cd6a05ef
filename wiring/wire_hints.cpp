// What the board says while the mouse moves: the coordinates, the jack under
// the mouse with its wires and level, and the wires of a level switch.
#include <cstdio>
#include <string>

#include "simulator/simulator.h"

namespace orrin {

using enum WidgetId;

namespace {
// "K3->LDC,LDZ" for an output, "K3->LDC" or "->LDC" for an input.
std::string JackHint(const Simulator& sim, int j) {
  const WireStore& wires = sim.wires;
  const Jack& jack = wires.JackAt(j);
  if (jack.IsOutput) {
    std::string text = jack.Name + "->";
    for (int n = 50; n < JackCount; ++n) {
      for (int32_t t : jack.Targets) {
        if (t == n) {
          text += wires.JackAt(n).Name + ",";
          break;
        }
      }
    }
    if (jack.WireCount > 0 && text.back() == ',') text.pop_back();
    return text;
  }
  if (jack.WireCount > 0) {
    const int w = wires.FirstInto(j);
    if (w >= 0) return wires.JackAt(wires.WireAt(w).From).Name + "->" + jack.Name;
  }
  return "->" + jack.Name;
}

std::string Coordinates(const char* format, int x, int y) {
  char buf[48];
  std::snprintf(buf, sizeof buf, format, x, y);
  return buf;
}
}  // namespace

void Simulator::Image_WireDrawMouseMove(int x, int y) {
  WireEditorState& e = machine.WireEditor;
  const bool power = machine.Console.PowerOn == 1;
  e.LastMousePos = {x, y};
  view.SetText(Label_NowMouseXY, Coordinates("(%d, %d)", x, y));
  if (!power) {
    view.SetText(Label_NowXY, Coordinates("%d,%d", x, y));
    view.Move(Label_NowXY, x + 10, y - 10);
    view.SetFontColor(Label_NowXY, machine.Console.WireColor);
  }
  view.SetVisible(Label_NowXY, !power);

  const int j = wires.HitTest(x, y);
  if (j < 0) {
    view.SetVisible(Label_ThisHoleName, false);
    view.SetVisible(Label_ThisHoleSign, false);
    view.SetCursor(Image_WireDraw, e.WireDrawing ? Cursor::Cross : Cursor::Arrow);
  } else {
    view.SetText(Label_ThisHoleName, JackHint(*this, j));
    view.Move(Label_ThisHoleName, x - 40, y - 24);
    view.SetVisible(Label_ThisHoleName, true);
    if (power) {
      const int32_t v = wires.Value(j);
      view.SetText(Label_ThisHoleSign, v == 0 ? "0" : v == 1 ? "1" : "X");
      view.Move(Label_ThisHoleSign, x + 10, y - 6);
      view.SetCursor(Image_WireDraw, Cursor::Arrow);
    } else {
      view.SetCursor(Image_WireDraw, Cursor::PointingHand);
    }
    view.SetVisible(Label_ThisHoleSign, power);
  }
  if (e.WireDrawing) MoveRubberBand(x, y);
}

// Upper row K15..K0 and lower row K31..K16 share their columns: four groups
// of four switches, 22 pixels apart within a group.
int LevelSwitchImageLeft(int n) {
  static constexpr int kColumnLeft[16] = {328, 350, 372, 394, 424, 446, 468, 490,
                                          521, 543, 565, 587, 618, 640, 662, 684};
  const int column = 15 - (n & 15);  // K15 and K31 stand leftmost
  return kColumnLeft[column];
}

void Simulator::Image_KMouseMove(int n, int x, int y) {
  if (n < 0 || n > 31) return;
  ShowSwitchWires(n, LevelSwitchImageLeft(n) + x - 4, n < 16 ? y - 4 : y + 44);
}

void Simulator::ShowSwitchWires(int n, int left, int top) {
  if (n < 0 || n > 31) return;
  std::string text;
  for (int i = 0; i < JackCount; ++i) {
    if (wires.IsInput(i) && wires.Find(n, i) >= 0) text += wires.JackAt(i).Name + ",";
  }
  if (text.empty()) return;
  // The switches drive nothing in microprogram mode, whatever they are wired to.
  if (MicroprogramMode()) text = "微程序方式无效,";
  text.pop_back();
  view.Move(Label_KeyThisHoleName, left, top);
  view.SetText(Label_KeyThisHoleName, text);
  view.SetVisible(Label_KeyThisHoleName, true);
}

void Simulator::Panel_KEYMouseMove() { view.SetVisible(Label_KeyThisHoleName, false); }

}  // namespace orrin
