// Drawing wires with the mouse: a release on a jack starts a wire, releases on
// free spots fix bend points, a release on a jack of the other kind completes
// it (or removes the wire already joining the two), a right release abandons.
#include <algorithm>
#include <string>

#include "simulator/simulator.h"

namespace orrin {

using enum WidgetId;

namespace {
std::string PointText(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
}  // namespace

void Simulator::Image_WireDrawMouseUp(MouseButton button, int x, int y) {
  EndPlayback();
  // A release dragged outside the picture is taken at the nearest edge, so
  // every stored point lies on the picture and fits the wire file's fields.
  x = std::clamp(x, 0, Canvas::Width - 1);
  y = std::clamp(y, 0, Canvas::Height - 1);
  WireEditorState& e = machine.WireEditor;
  // The drawn lines must end exactly where the click is, or the picture and
  // the stored points would disagree and erasing the wire later would leave
  // stray pixels. Normally the last mouse move was already here.
  if (e.WireDrawing) MoveRubberBand(x, y);

  if (button == MouseButton::Right && e.WireDrawing) {
    EraseDrawnLines(x, y);
    view.ClearLines(Memo_LineMidWay);
    view.SetCursor(Image_WireDraw, Cursor::Arrow);
    EndDrawing();
    return;
  }
  const int j = wires.HitTest(x, y);
  if (j >= 0 && !e.WireDrawing) {
    if (machine.Console.PowerOn != 1) StartDrawing(j, x, y);
  } else if (j >= 0) {
    CompleteDrawing(j, x, y);
  } else if (e.WireDrawing) {
    AddBendPoint(x, y);
  }
}

void Simulator::StartDrawing(int j, int x, int y) {
  WireEditorState& e = machine.WireEditor;
  canvas.penColor = machine.Console.WireColor;
  canvas.penWidth = 2;
  e.RubberBand = {x, y, x, y};
  view.ClearLines(Memo_LineMidWay);
  view.AddLine(Memo_LineMidWay, PointText(x, y));
  for (MidwayPoint& p : e.MidwayPoints) p.Used = 0;
  e.MidwayPoints[0] = {1, x, y};
  e.DrawStartJack = j;
  e.DrawStartIsOutput = wires.IsOutput(j);
  AddPointLabel(x, y);
  e.WireDrawing = 1;
}

void Simulator::AddBendPoint(int x, int y) {
  WireEditorState& e = machine.WireEditor;
  // The last entry stays free, as the list of a wire being drawn always has.
  auto* free =
      std::find_if(e.MidwayPoints.begin(), e.MidwayPoints.end() - 1, [](const MidwayPoint& p) { return p.Used == 0; });
  if (free == e.MidwayPoints.end() - 1) return;
  *free = {1, x, y};
  // The segment drawn so far stays on the picture; the band starts afresh.
  e.RubberBand = {x, y, x, y};
  view.AddLine(Memo_LineMidWay, PointText(x, y));
  AddPointLabel(x, y);
}

void Simulator::CompleteDrawing(int j, int x, int y) {
  WireEditorState& e = machine.WireEditor;
  e.DrawEndJack = j;
  e.DrawEndIsOutput = wires.IsOutput(j);
  // Output to output, input to input, or back on the starting jack: ignored.
  if (e.DrawEndIsOutput == e.DrawStartIsOutput) return;
  if (e.DrawStartIsOutput == 0) std::swap(e.DrawStartJack, e.DrawEndJack);
  const int from = e.DrawStartJack, to = e.DrawEndJack;

  if (const int found = wires.Find(from, to); found >= 0) {
    // Joining two jacks a second time removes the wire between them.
    EraseDrawnLines(x, y);
    view.ClearLines(Memo_LineMidWay);
    DrawWire(found);
    e.WireDrawing = 0;
    wires.Delete(from, to);
    DestroyPointLabels();
  } else if (wires.CountInUse() >= WireCapacity) {
    // Every record is taken: the wire cannot be stored, so it is not kept on
    // the picture either.
    EraseDrawnLines(x, y);
    view.ClearLines(Memo_LineMidWay);
    view.SetCursor(Image_WireDraw, Cursor::Arrow);
    EndDrawing();
    host.Warn("连线数已达上限。");
  } else {
    view.AddLine(Memo_LineMidWay, PointText(x, y));
    const int k = wires.Add(from, to, machine.Console.WireColor);
    for (const MidwayPoint& p : e.MidwayPoints) {
      if (p.Used != 1) break;
      wires.AppendPoint(k, p.X, p.Y);
    }
    wires.AppendPoint(k, x, y);
    // The lines on the picture (the fixed segments and the last band, which
    // ends here) are the drawing of the new wire; nothing is redrawn.
    canvas.penColor = machine.Console.WireColor;
    canvas.penWidth = 2;
    EndDrawing();
  }
  CheckWiring();
  BoardEvaluation();
}

void Simulator::EraseDrawnLines(int x, int y) {
  WireEditorState& e = machine.WireEditor;
  canvas.penColor = machine.Console.WireColor;
  canvas.penWidth = 2;
  int px = e.MidwayPoints[0].X, py = e.MidwayPoints[0].Y;
  for (size_t i = 1; i < e.MidwayPoints.size(); ++i) {
    MidwayPoint& p = e.MidwayPoints[i];
    if (p.Used != 1) continue;
    p.Used = 0;
    canvas.DrawSegment(px, py, p.X, p.Y);
    px = p.X;
    py = p.Y;
  }
  canvas.DrawSegment(px, py, x, y);
}

void Simulator::EndDrawing() {
  DestroyPointLabels();
  machine.WireEditor.WireDrawing = 0;
}

void Simulator::MoveRubberBand(int x, int y) {
  auto& band = machine.WireEditor.RubberBand;
  if (band[2] == x && band[3] == y) return;
  // The band is always drawn in the colour of the wire being drawn, whatever
  // another drawing (a wire loaded meanwhile) left in the pen.
  canvas.penColor = machine.Console.WireColor;
  canvas.penWidth = 2;
  canvas.DrawSegment(band[0], band[1], band[2], band[3]);
  band[2] = x;
  band[3] = y;
  canvas.DrawSegment(band[0], band[1], band[2], band[3]);
}

void Simulator::DrawWire(int index) {
  const Wire& w = wires.WireAt(index);
  canvas.penColor = w.Color;
  canvas.penWidth = 2;
  for (size_t i = 1; i < w.Points.size(); ++i)
    canvas.DrawSegment(w.Points[i - 1].X, w.Points[i - 1].Y, w.Points[i].X, w.Points[i].Y);
}

// ---- coordinate labels at the points of the wire being drawn

void Simulator::AddPointLabel(int x, int y) {
  if (view.pointLabels.size() >= static_cast<size_t>(MidwayCapacity)) return;
  PointLabel label;
  label.x = x + 10;
  label.y = y - 10;
  label.text = PointText(x, y);
  label.fontColor = machine.Console.WireColor;
  // "宋体" at size 10: 7 pixels a character, 14 pixels high.
  label.width = 7 * static_cast<int>(label.text.size());
  label.height = 14;
  view.pointLabels.push_back(std::move(label));
  view.pointLabelsDirty = true;
}

void Simulator::DestroyPointLabels() {
  if (view.pointLabels.empty()) return;
  view.pointLabels.clear();
  view.pointLabelsDirty = true;
}

// The mouse went onto a coordinate label: hide the labels there, so none
// stays under the mouse where the user wants to click.
void Simulator::PointLabelMouseMove() {
  const int mx = machine.WireEditor.LastMousePos[0], my = machine.WireEditor.LastMousePos[1];
  for (PointLabel& l : view.pointLabels) {
    const bool under = mx >= l.x - 1 && mx <= l.x + l.width && my >= l.y - 1 && my <= l.y + l.height;
    if (under && l.visible) {
      l.visible = false;
      view.pointLabelsDirty = true;
    }
  }
}

// ---- clearing, colour

void Simulator::Button_delLineClick() {
  EndPlayback();
  if (machine.Console.PowerOn == 1) {
    host.Warn("通电状态不能删除连线。");
    return;
  }
  if (host.Ask("清除连线不可恢复，要继续吗？") != Answer::Yes) return;
  ClearAllWires();
}

void Simulator::ClearAllWires() {
  WireEditorState& e = machine.WireEditor;
  if (e.WireDrawing) {
    for (MidwayPoint& p : e.MidwayPoints) p.Used = 0;
    view.SetCursor(Image_WireDraw, Cursor::Arrow);
    EndDrawing();
  }
  wires.Clear();
  canvas.Load(cleanBoard);
  Timer_WrongLine.enabled = false;
  ShowWiringAlarm(false);
  view.ClearLines(Memo_LineMidWay);
  CheckWiring();
  BoardEvaluation();
}

void Simulator::Button_SetColorClick() {
  EndPlayback();
  if (machine.WireEditor.WireDrawing) return;
  if (const auto chosen = host.ChooseColor()) machine.Console.WireColor = *chosen;
  ShowWireColor();
}

// The colour sample is a short thick line in the wire colour on
// Image_colorset; the view carries it as that image's colour.
void Simulator::ShowWireColor() { view.SetColor(Image_colorset, machine.Console.WireColor); }

}  // namespace orrin
