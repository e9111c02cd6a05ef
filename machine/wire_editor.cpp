// The wire editor: drawing with the mouse, the hints while it moves, the
// wiring check and the colour.
#include "machine/wire_editor.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/hex_text.h"

namespace orrin {

using enum WidgetId;

namespace {
std::string PointText(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

std::string Coordinates(const char* format, int x, int y) {
  char buf[48];
  std::snprintf(buf, sizeof buf, format, x, y);
  return buf;
}
}  // namespace

WireEditor::Release WireEditor::MouseUp(MouseButton button, int x, int y, bool power) {
  // A release dragged outside the picture is taken at the nearest edge, so
  // every stored point lies on the picture and fits the wire file's fields.
  x = std::clamp(x, 0, Canvas::Width - 1);
  y = std::clamp(y, 0, Canvas::Height - 1);
  // The drawn lines must end exactly where the click is, or the picture and
  // the stored points would disagree and erasing the wire later would leave
  // stray pixels. Normally the last mouse move was already here.
  if (WireDrawing) MoveRubberBand(x, y);

  if (button == MouseButton::Right && WireDrawing) {
    EraseDrawnLines(x, y);
    view_.ClearLines(Memo_LineMidWay);
    view_.SetCursor(Image_WireDraw, Cursor::Arrow);
    EndDrawing();
    return Release::Nothing;
  }
  const int j = wires_.HitTest(x, y);
  if (j >= 0 && !WireDrawing) {
    if (!power) StartDrawing(j, x, y);
  } else if (j >= 0) {
    return CompleteDrawing(j, x, y);
  } else if (WireDrawing) {
    AddBendPoint(x, y);
  }
  return Release::Nothing;
}

void WireEditor::StartDrawing(int j, int x, int y) {
  canvas_.penColor = WireColor;
  canvas_.penWidth = 2;
  RubberBand = {x, y, x, y};
  view_.ClearLines(Memo_LineMidWay);
  view_.AddLine(Memo_LineMidWay, PointText(x, y));
  for (MidwayPoint& p : MidwayPoints) p.Used = false;
  MidwayPoints[0] = {true, x, y};
  DrawStartJack = j;
  DrawStartIsOutput = wires_.IsOutput(j);
  AddPointLabel(x, y);
  WireDrawing = true;
}

void WireEditor::AddBendPoint(int x, int y) {
  // The last entry stays free, as the list of a wire being drawn always has.
  auto* free = std::find_if(MidwayPoints.begin(), MidwayPoints.end() - 1, [](const MidwayPoint& p) { return !p.Used; });
  if (free == MidwayPoints.end() - 1) return;
  *free = {true, x, y};
  // The segment drawn so far stays on the picture; the band starts afresh.
  RubberBand = {x, y, x, y};
  view_.AddLine(Memo_LineMidWay, PointText(x, y));
  AddPointLabel(x, y);
}

WireEditor::Release WireEditor::CompleteDrawing(int j, int x, int y) {
  DrawEndJack = j;
  DrawEndIsOutput = wires_.IsOutput(j);
  // Output to output, input to input, or back on the starting jack: ignored.
  if (DrawEndIsOutput == DrawStartIsOutput) return Release::Nothing;
  if (!DrawStartIsOutput) std::swap(DrawStartJack, DrawEndJack);
  const int from = DrawStartJack, to = DrawEndJack;

  if (const int found = wires_.Find(from, to); found >= 0) {
    // Joining two jacks a second time removes the wire between them.
    EraseDrawnLines(x, y);
    view_.ClearLines(Memo_LineMidWay);
    DrawWire(found);
    WireDrawing = false;
    wires_.Delete(from, to);
    DestroyPointLabels();
  } else if (wires_.CountInUse() >= WireCapacity) {
    // Every record is taken: the wire cannot be stored, so it is not kept on
    // the picture either.
    EraseDrawnLines(x, y);
    view_.ClearLines(Memo_LineMidWay);
    view_.SetCursor(Image_WireDraw, Cursor::Arrow);
    EndDrawing();
    return Release::Full;
  } else {
    view_.AddLine(Memo_LineMidWay, PointText(x, y));
    const int k = wires_.Add(from, to, WireColor);
    for (const MidwayPoint& p : MidwayPoints) {
      if (!p.Used) break;
      wires_.AppendPoint(k, p.X, p.Y);
    }
    wires_.AppendPoint(k, x, y);
    // The lines on the picture (the fixed segments and the last band, which
    // ends here) are the drawing of the new wire; nothing is redrawn.
    canvas_.penColor = WireColor;
    canvas_.penWidth = 2;
    EndDrawing();
  }
  return Release::Changed;
}

void WireEditor::EraseDrawnLines(int x, int y) {
  canvas_.penColor = WireColor;
  canvas_.penWidth = 2;
  int px = MidwayPoints[0].X, py = MidwayPoints[0].Y;
  for (size_t i = 1; i < MidwayPoints.size(); ++i) {
    MidwayPoint& p = MidwayPoints[i];
    if (!p.Used) continue;
    p.Used = false;
    canvas_.DrawSegment(px, py, p.X, p.Y);
    px = p.X;
    py = p.Y;
  }
  canvas_.DrawSegment(px, py, x, y);
}

void WireEditor::EndDrawing() {
  DestroyPointLabels();
  WireDrawing = false;
}

void WireEditor::MoveRubberBand(int x, int y) {
  auto& band = RubberBand;
  if (band[2] == x && band[3] == y) return;
  // The band is always drawn in the colour of the wire being drawn, whatever
  // another drawing (a wire loaded meanwhile) left in the pen.
  canvas_.penColor = WireColor;
  canvas_.penWidth = 2;
  canvas_.DrawSegment(band[0], band[1], band[2], band[3]);
  band[2] = x;
  band[3] = y;
  canvas_.DrawSegment(band[0], band[1], band[2], band[3]);
}

void WireEditor::DrawWire(int index) {
  const Wire& w = wires_.WireAt(index);
  canvas_.penColor = w.Color;
  canvas_.penWidth = 2;
  for (size_t i = 1; i < w.Points.size(); ++i)
    canvas_.DrawSegment(w.Points[i - 1].X, w.Points[i - 1].Y, w.Points[i].X, w.Points[i].Y);
}

// ---- coordinate labels at the points of the wire being drawn

void WireEditor::AddPointLabel(int x, int y) {
  if (view_.pointLabels.size() >= static_cast<size_t>(MidwayCapacity)) return;
  PointLabel label;
  label.x = x + 10;
  label.y = y - 10;
  label.text = PointText(x, y);
  label.fontColor = WireColor;
  // "宋体" at size 10: 7 pixels a character, 14 pixels high.
  label.width = 7 * static_cast<int>(label.text.size());
  label.height = 14;
  view_.pointLabels.push_back(std::move(label));
  view_.pointLabelsDirty = true;
}

void WireEditor::DestroyPointLabels() {
  if (view_.pointLabels.empty()) return;
  view_.pointLabels.clear();
  view_.pointLabelsDirty = true;
}

// The mouse went onto a coordinate label: hide the labels there, so none
// stays under the mouse where the user wants to click.
void WireEditor::PointLabelMouseMove() {
  const int mx = LastMousePos[0], my = LastMousePos[1];
  for (PointLabel& l : view_.pointLabels) {
    const bool under = mx >= l.x - 1 && mx <= l.x + l.width && my >= l.y - 1 && my <= l.y + l.height;
    if (under && l.visible) {
      l.visible = false;
      view_.pointLabelsDirty = true;
    }
  }
}

void WireEditor::MouseMove(int x, int y, bool power) {
  LastMousePos = {x, y};
  view_.SetText(Label_NowMouseXY, Coordinates("(%d, %d)", x, y));
  if (!power) {
    view_.SetText(Label_NowXY, Coordinates("%d,%d", x, y));
    view_.Move(Label_NowXY, x + 10, y - 10);
    view_.SetFontColor(Label_NowXY, WireColor);
  }
  view_.SetVisible(Label_NowXY, !power);

  const int j = wires_.HitTest(x, y);
  if (j < 0) {
    view_.SetVisible(Label_ThisHoleName, false);
    view_.SetVisible(Label_ThisHoleSign, false);
    view_.SetCursor(Image_WireDraw, WireDrawing ? Cursor::Cross : Cursor::Arrow);
  } else {
    view_.SetText(Label_ThisHoleName, JackHint(j));
    view_.Move(Label_ThisHoleName, x - 40, y - 24);
    view_.SetVisible(Label_ThisHoleName, true);
    if (power) {
      const int32_t v = wires_.Value(j);
      view_.SetText(Label_ThisHoleSign, v == 0 ? "0" : v == 1 ? "1" : "X");
      view_.Move(Label_ThisHoleSign, x + 10, y - 6);
      view_.SetCursor(Image_WireDraw, Cursor::Arrow);
    } else {
      view_.SetCursor(Image_WireDraw, Cursor::PointingHand);
    }
    view_.SetVisible(Label_ThisHoleSign, power);
  }
  if (WireDrawing) MoveRubberBand(x, y);
}

void WireEditor::MouseLeave() {
  for (WidgetId id : {Label_NowXY, Label_ThisHoleName, Label_ThisHoleSign}) view_.SetVisible(id, false);
}

void WireEditor::RefreshHint() {
  if (!view_[Label_ThisHoleName].visible) return;
  const int j = wires_.HitTest(LastMousePos[0], LastMousePos[1]);
  if (j >= 0) view_.SetText(Label_ThisHoleName, JackHint(j));
}

// Upper row K15..K0 and lower row K31..K16 share their columns: four groups
// of four switches, 22 pixels apart within a group.
int LevelSwitchImageLeft(int n) {
  static constexpr int kColumnLeft[16] = {328, 350, 372, 394, 424, 446, 468, 490,
                                          521, 543, 565, 587, 618, 640, 662, 684};
  const int column = 15 - (n & 15);  // K15 and K31 stand leftmost
  return kColumnLeft[column];
}

void WireEditor::ShowSwitchWires(int n, int left, int top, bool microprogram) {
  if (n < 0 || n > 31) return;
  std::string text;
  for (int i = 0; i < JackCount; ++i) {
    if (wires_.IsInput(i) && wires_.Find(n, i) >= 0) text += wires_.JackAt(i).Name + ",";
  }
  if (text.empty()) return;
  // The switches drive nothing in microprogram mode, whatever they are wired to.
  if (microprogram) text = "微程序方式无效,";
  text.pop_back();
  view_.Move(Label_KeyThisHoleName, left, top);
  view_.SetText(Label_KeyThisHoleName, text);
  view_.SetVisible(Label_KeyThisHoleName, true);
}

void WireEditor::HideSwitchWires() { view_.SetVisible(Label_KeyThisHoleName, false); }

void WireEditor::Check() {
  // Which (output, input) pairs carry a wire: one pass over the store rather
  // than a search of it for each of the 1428 pairs.
  std::array<std::array<uint8_t, JackCount>, JackCount> wired{};
  for (const Wire& w : wires_.Wires()) {
    if (w.InUse && w.From >= 0 && w.From < JackCount && w.To >= 0 && w.To < JackCount)
      wired[static_cast<size_t>(w.From)][static_cast<size_t>(w.To)] = 1;
  }
  auto isOutput = [&](int n) { return wires_.IsOutput(n); };
  auto isInput = [&](int n) { return wires_.IsInput(n); };
  auto name = [&](int n) -> const std::string& { return wires_.JackAt(n).Name; };

  view_.ClearLines(Memo_WireOut);
  int count = 0;
  for (int o = 0; o < JackCount; ++o) {
    if (!isOutput(o)) continue;
    for (int i = 0; i < JackCount; ++i) {
      if (!isInput(i) || !wired[static_cast<size_t>(o)][static_cast<size_t>(i)]) continue;
      view_.AddLine(Memo_WireOut, name(o) + " --> " + name(i));
      ++count;
    }
  }
  view_.SetText(Label_LineCount, Dec(count).view());

  std::array<int, JackCount> drivers{};
  for (int i = 0; i < JackCount; ++i) {
    if (!isInput(i)) continue;
    for (int o = 0; o < JackCount; ++o)
      if (isOutput(o) && wired[static_cast<size_t>(o)][static_cast<size_t>(i)]) ++drivers[static_cast<size_t>(i)];
  }
  int wrong = 0;
  for (int d : drivers) wrong += d > 1;
  WrongInputCount = wrong;

  view_.ClearLines(Memo_WireIn);
  auto driverLines = [&](int i) {
    for (int o = 0; o < JackCount; ++o)
      if (isOutput(o) && wired[static_cast<size_t>(o)][static_cast<size_t>(i)])
        view_.AddLine(Memo_WireIn, name(i) + " <-- " + name(o));
  };
  if (wrong == 0) {
    view_.SetFontColor(Memo_WireIn, color::WindowText);
    for (int i = 0; i < JackCount; ++i)
      if (drivers[static_cast<size_t>(i)] == 1) driverLines(i);
  } else {
    view_.SetFontColor(Memo_WireIn, color::Red);
    view_.AddLine(Memo_WireIn, "      ");
    view_.AddLine(Memo_WireIn, "  错误插孔信息  ");
    for (int i = 0; i < JackCount; ++i) {
      const int k = drivers[static_cast<size_t>(i)];
      if (k <= 1) continue;
      view_.AddLine(Memo_WireIn, "      ");
      view_.AddLine(Memo_WireIn, "'" + name(i) + "'连" + std::string(Dec(k).view()) + "根线");
      driverLines(i);
    }
  }
  view_.SetText(Label_wrongNum, Dec(wrong).view());

  if (wrong == 0) {
    Timer_WrongLine.enabled = false;
    ShowWiringAlarm(false);
  } else {
    // A running timer is left alone, so the blinking keeps its rhythm.
    Timer_WrongLine.enabled = true;
  }
}

void WireEditor::BlinkTick() {
  int32_t& n = WrongBlinkCounter;
  n = (n + 1) % 20000;
  ShowWiringAlarm(n % 10 >= 5);
}

void WireEditor::ShowWiringAlarm(bool alarm) {
  if (alarm) {
    view_.SetColor(Label_wrongwarn, color::Red);
    view_.SetFontColor(Label_wrongwarn, color::BtnFace);
    view_.SetColor(Label_wrongNum, color::Lime);
    view_.SetFontColor(Label_wrongNum, color::Yellow);
  } else {
    view_.SetColor(Label_wrongwarn, color::SkyBlue);
    view_.SetFontColor(Label_wrongwarn, color::WindowText);
    view_.SetColor(Label_wrongNum, color::BtnFace);
    view_.SetFontColor(Label_wrongNum, color::WindowText);
  }
}

// "K3->LDC,LDZ" for an output, "K3->LDC" or "->LDC" for an input.
std::string WireEditor::JackHint(int j) const {
  const Jack& jack = wires_.JackAt(j);
  if (jack.IsOutput) {
    std::string text = jack.Name + "->";
    for (int n = 50; n < JackCount; ++n) {
      for (int32_t t : jack.Targets) {
        if (t == n) {
          text += wires_.JackAt(n).Name + ",";
          break;
        }
      }
    }
    if (jack.WireCount > 0 && text.back() == ',') text.pop_back();
    return text;
  }
  if (jack.WireCount > 0) {
    const int w = wires_.FirstInto(j);
    if (w >= 0) return wires_.JackAt(wires_.WireAt(w).From).Name + "->" + jack.Name;
  }
  return "->" + jack.Name;
}

void WireEditor::ClearAll(const std::vector<uint32_t>& cleanBoard) {
  if (WireDrawing) {
    for (MidwayPoint& p : MidwayPoints) p.Used = false;
    view_.SetCursor(Image_WireDraw, Cursor::Arrow);
    EndDrawing();
  }
  wires_.Clear();
  canvas_.Load(cleanBoard);
  Timer_WrongLine.enabled = false;
  ShowWiringAlarm(false);
  view_.ClearLines(Memo_LineMidWay);
}

// The colour sample is a short thick line in the wire colour on
// Image_colorset; the view carries it as that image's colour.
void WireEditor::ShowWireColor() { view_.SetColor(Image_colorset, WireColor); }

}  // namespace orrin
