#pragma once
// The timing diagram as drawing primitives (lines, filled boxes and texts),
// computed from the trace without any toolkit: the window paints them, the
// SVG and PNG exports write them.
#include <cstdint>
#include <string>
#include <vector>

#include "machine/trace.h"
#include "machine/trace_signals.h"

namespace orrin {

struct DiagramView {
  std::vector<size_t> rows;      // indexes into TraceSignals(), top to bottom
  double beatWidth = 12;         // pixels a small beat
  int64_t firstBeat = 1;         // the beat at the left edge
  int64_t lastBeat = INT64_MAX;  // nothing after it is drawn (a strip of an export ends there)
  int width = 900, height = 800;
  // Each machine cycle's label also names the micro-address it executed
  // (meaningful in microprogram mode only).
  bool microAddresses = false;
  // With them, the store whose entries' labels (a microprogram source's,
  // kept in the comment) name the cycles instead: "#7 fetch".
  const ControlStoreEntry* microStore = nullptr;
  // The ruler on top: cycle labels above, small-beat numbers below.
  static constexpr int kLabelWidth = 64, kRowHeight = 18, kRulerHeight = 30;
  // What a character of a value or a number is given: wide enough for the
  // window's 11-pixel font and the PNG's 5 x 7 one.
  static constexpr double kCharWidth = 7;
  // The beat under x, or 0 left of the beats.
  int64_t BeatAt(int x) const;
  // The x where beat b starts.
  double XOf(int64_t b) const;
  // The index into `rows` of the row under y, or -1 on the ruler or below.
  int RowAt(int y) const;
};

enum class Ink : uint8_t { Grid, Label, Ruler, Cycle, Phase, Register, Flag, Signal, Narrow, Cursor };
// The colour of an ink as 0xRRGGBB, the same in the window, the SVG and the PNG.
uint32_t InkRgb(Ink ink);

struct DiagramLine {
  double x0, y0, x1, y1;
  Ink ink;
};
// A filled box: a band whose values are too close together to be written.
struct DiagramBox {
  double x, y, w, h;
  Ink ink;
};
struct DiagramText {
  double x, y, w, h;  // the box; text left-aligned, centred vertically
  std::string text;
  Ink ink;
};
struct DiagramDrawing {
  int width = 0, height = 0;
  std::vector<DiagramLine> lines;
  std::vector<DiagramBox> boxes;
  std::vector<DiagramText> texts;
};

DiagramDrawing DrawDiagram(const Trace& t, const BeatGen& beat, const DiagramView& v);
// The text a value of row `index` is written with ("3" for the phase, "0E").
std::string DiagramValueText(size_t index, int32_t v);

// An exported picture: beats FROM..TO (clamped to the ring) at a readable
// scale, wrapped into strips of kStripBeats, each with its own ruler. A range
// longer than kMaxStrips strips is spread over kMaxStrips, more beats a
// pixel, so that a whole ring stays a picture of bounded size.
struct ExportLayout {
  static constexpr int kBeatWidth = 32, kStripBeats = 48, kMaxStrips = 8, kStripGap = 12;
};
DiagramDrawing DrawExport(const Trace& t, const BeatGen& beat, const std::vector<size_t>& rows, int64_t from,
                          int64_t to, bool microAddresses, const ControlStoreEntry* microStore = nullptr);

// The drawing as an SVG document of its size (texts stay text).
std::string DiagramSvg(const DiagramDrawing& d);
// The same as a PNG file's bytes, drawn without a toolkit (a small pixel font).
std::string DiagramPng(const DiagramDrawing& d);

}  // namespace orrin
