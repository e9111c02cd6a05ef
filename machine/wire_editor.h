#pragma once
// The wire editor: drawing wires with the mouse on the board picture (a
// release on a jack starts a wire, releases on free spots fix bends, a
// release on a jack of the other kind completes it or removes the wire
// already there, a right release abandons it), the hints while the mouse
// moves, the wiring check with its two lists and blinking alarm, and the
// wire colour. It draws on the canvas and writes its labels and lists into
// the view; the store keeps the wires.
#include <array>
#include <cstdint>
#include <string>

#include "base/board_view.h"
#include "base/canvas.h"
#include "machine/console.h"
#include "machine/wire_store.h"

namespace orrin {

enum class MouseButton { Left, Right, Middle };

// A bend of the wire being drawn.
struct MidwayPoint {
  bool Used = false;
  int32_t X = 0, Y = 0;
};

// What the editor keeps between mouse events.
struct WireEditorState {
  bool WireDrawing = false;
  int32_t DrawStartJack = 0, DrawEndJack = 0;
  bool DrawStartIsOutput = false, DrawEndIsOutput = false;
  std::array<MidwayPoint, MidwayCapacity> MidwayPoints{};
  std::array<int32_t, 4> RubberBand{};
  std::array<int32_t, 2> LastMousePos{};
  int32_t WrongInputCount = 0;  // inputs driven by more than one output
  int32_t WrongBlinkCounter = 0;
  uint32_t WireColor = color::SkyBlue;
  TimerRecord Timer_WrongLine{false, 100};
};

class WireEditor : public WireEditorState {
 public:
  WireEditor(WireStore& wires, Canvas& canvas, BoardView& view) : wires_(wires), canvas_(canvas), view_(view) {}
  WireEditor(const WireEditor&) = delete;
  WireEditor& operator=(const WireEditor&) = delete;
  void Reset() { static_cast<WireEditorState&>(*this) = WireEditorState{}; }

  // What a release did to the wires.
  enum class Release { Nothing, Changed, Full };
  Release MouseUp(MouseButton button, int x, int y, bool power);
  void MouseMove(int x, int y, bool power);
  void PointLabelMouseMove();
  // The mouse left the board: the labels that follow it go.
  void MouseLeave();
  // A wire just made or removed: the hint of the jack under the mouse says so.
  void RefreshHint();
  // The wires of level switch n beside it, at (left, top) of the board.
  void ShowSwitchWires(int n, int left, int top, bool microprogram);
  void HideSwitchWires();
  // Every wire gone: the drawing abandoned, the clean picture back.
  void ClearAll(const std::vector<uint32_t>& cleanBoard);
  void DrawWire(int index);  // in its colour, not-xor: twice restores the picture
  void ShowWireColor();
  // The wiring check: both wire lists, the count, and the one error the
  // board knows, an input jack driven by more than one output.
  void Check();
  void BlinkTick();  // Timer_WrongLine: the alarm's colours alternate

 private:
  void StartDrawing(int jackNumber, int x, int y);
  void AddBendPoint(int x, int y);
  Release CompleteDrawing(int jackNumber, int x, int y);
  void EraseDrawnLines(int x, int y);  // the lines of the wire being drawn, up to (x, y)
  void EndDrawing();                   // labels gone, drawing flag cleared
  void MoveRubberBand(int x, int y);
  void AddPointLabel(int x, int y);
  void DestroyPointLabels();
  void ShowWiringAlarm(bool alarm);  // the two wrong-jack labels, normal or alarm look
  std::string JackHint(int j) const;

  WireStore& wires_;
  Canvas& canvas_;
  BoardView& view_;
};

// Left edge of the picture of level switch Kn in the console strip.
int LevelSwitchImageLeft(int n);

}  // namespace orrin
