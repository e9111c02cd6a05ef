#pragma once
// The timing diagram as drawing primitives (lines and texts), computed from
// the trace without any toolkit: the window paints them, the SVG export
// writes them.
#include <cstdint>
#include <string>
#include <vector>

#include "machine/trace.h"
#include "machine/trace_signals.h"

namespace orrin {

struct DiagramView {
  std::vector<size_t> rows;  // indexes into TraceSignals(), top to bottom
  double beatWidth = 12;     // pixels a small beat
  int64_t firstBeat = 1;     // the beat at the left edge
  int width = 900, height = 800;
  static constexpr int kLabelWidth = 64, kRowHeight = 18;
  // The beat under x, or 0 left of the beats.
  int64_t BeatAt(int x) const;
};

enum class Ink : uint8_t { Grid, Label, Cycle, Phase, Register, Flag, Signal, Cursor };
// The colour of an ink as 0xRRGGBB, the same in the window, the SVG and the PNG.
uint32_t InkRgb(Ink ink);

struct DiagramLine {
  double x0, y0, x1, y1;
  Ink ink;
};
struct DiagramText {
  double x, y, w, h;  // the box; text left-aligned, centred vertically
  std::string text;
  Ink ink;
};
struct DiagramDrawing {
  std::vector<DiagramLine> lines;
  std::vector<DiagramText> texts;
};

DiagramDrawing DrawDiagram(const Trace& t, const BeatGen& beat, const DiagramView& v);
// The drawing as an SVG document of the view's size.
std::string DiagramSvg(const DiagramDrawing& d, const DiagramView& v);
// The same as a PNG file's bytes, drawn without a toolkit (a small pixel font).
std::string DiagramPng(const DiagramDrawing& d, const DiagramView& v);
// Every row, and a width that fits the whole recorded history at 12 px a beat
// (at most 4000 px, decimated beyond): what `export-trace x.svg` draws.
DiagramView WholeHistoryView(const BeatGen& beat, int64_t from, int64_t to);

}  // namespace orrin
