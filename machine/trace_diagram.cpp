#include "machine/trace_diagram.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/microword_text.h"

namespace orrin {

int64_t DiagramView::BeatAt(int x) const {
  if (x < kLabelWidth) return 0;
  return firstBeat + static_cast<int64_t>(std::floor((x - kLabelWidth) / beatWidth));
}

double DiagramView::XOf(int64_t b) const { return kLabelWidth + static_cast<double>(b - firstBeat) * beatWidth; }

int DiagramView::RowAt(int y) const {
  if (y < kRulerHeight) return -1;
  const int r = (y - kRulerHeight) / kRowHeight;
  return r < static_cast<int>(rows.size()) ? r : -1;
}

std::string DiagramValueText(size_t index, int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, index == column::Phase ? "%d" : "%02X", static_cast<int>(v));
  return buf;
}

namespace {

Ink RowInk(size_t index) {
  if (index == column::Phase) return Ink::Phase;
  if (index <= column::Bus) return Ink::Register;
  if (index < column::FirstSignal) return Ink::Flag;
  return Ink::Signal;
}

double TextWidth(const std::string& s) { return static_cast<double>(s.size()) * DiagramView::kCharWidth; }

// The smallest of 1, 2, 5, 10, 20, 50 ... units that puts `need` pixels
// between two labels: the thinning of the ruler's numbers.
int64_t NiceStep(double pixelsPerUnit, double need) {
  for (int64_t decade = 1; decade < INT64_MAX / 10; decade *= 10)
    for (int64_t m : {1, 2, 5})
      if (static_cast<double>(m * decade) * pixelsPerUnit >= need) return m * decade;
  return INT64_MAX / 10;
}

// A cell: one small beat when zoomed in, one pixel column when zoomed out.
struct Cell {
  double x0, x1;
  int64_t b0, b1;
};

// "#7", or "#7 uA 05" with the micro-address the cycle executed, or "#7
// fetch" when the word there has a label.
std::string CycleLabel(int64_t cycle, int microAddress, const ControlStoreEntry* store) {
  char buf[40];
  if (microAddress < 0) {
    std::snprintf(buf, sizeof buf, "#%lld", static_cast<long long>(cycle));
    return buf;
  }
  const std::string label = store ? LabelOfComment(store[microAddress & 63].CommentText) : std::string();
  if (!label.empty()) return std::string(1, '#').append(std::to_string(cycle)).append(" ").append(label);
  std::snprintf(buf, sizeof buf, "#%lld uA %02X", static_cast<long long>(cycle), microAddress);
  return buf;
}

// The ruler: small-beat numbers with ticks below, machine-cycle labels
// ("#7", or "#7 uA05" with the micro-address the cycle executed) above.
// A machine cycle is six small beats from phase 1, counted from the first
// small beat after power-on or CLR.
void DrawRuler(DiagramDrawing& d, const Trace& t, const DiagramView& v, int64_t first, int64_t last) {
  constexpr double kTop = 0, kBottom = DiagramView::kRulerHeight - 1, kMid = DiagramView::kRulerHeight / 2.0;
  const double numberNeed = TextWidth(std::to_string(last)) + 4;
  const int64_t step = NiceStep(v.beatWidth, numberNeed);
  for (int64_t b = (first + step - 1) / step * step; b <= last; b += step) {
    const double x = v.XOf(b);
    d.lines.push_back({x, kBottom - 5, x, kBottom, Ink::Ruler});
    const std::string text = std::to_string(b);
    if (x + 2 + TextWidth(text) <= v.width)  // never cut by the right edge
      d.texts.push_back({x + 2, kMid, numberNeed, kMid - 1, text, Ink::Ruler});
  }
  const int64_t firstCycle = (first - 1) / 6 + 1, lastCycle = (last - 1) / 6 + 1;
  std::string widest = CycleLabel(lastCycle, v.microAddresses ? 0 : -1, nullptr);
  if (v.microAddresses && v.microStore)
    for (int a = 0; a < ControlStoreSize; ++a)
      if (const std::string l = CycleLabel(lastCycle, a, v.microStore); l.size() > widest.size()) widest = l;
  const int64_t cycleStep = NiceStep(6 * v.beatWidth, TextWidth(widest) + 8);
  for (int64_t c = (firstCycle + cycleStep - 1) / cycleStep * cycleStep; c <= lastCycle; c += cycleStep) {
    const int64_t b = (c - 1) * 6 + 1;
    if (b < first || b > last || t.At(b).beat.BeatPhase != 1) continue;
    const std::string text = CycleLabel(c, v.microAddresses ? t.At(b).micro.MicroAddress & 0x3F : -1, v.microStore);
    const double x = v.XOf(b);
    d.lines.push_back({x, kTop, x, kMid, Ink::Ruler});
    if (x + 3 + TextWidth(text) <= v.width)
      d.texts.push_back({x + 3, kTop, TextWidth(text) + 4, kMid, text, Ink::Ruler});
  }
}

// One register's band: runs (stretches of one value, or pixel columns where
// the value changed more than once) between two lines that cross at each
// change. A value is written where it fits; runs too narrow for it are
// filled instead, neighbours merged into one box without crossings between.
struct Run {
  double x0, x1;
  int32_t value;
  bool narrow;
};

void DrawBand(DiagramDrawing& d, const std::vector<Run>& runs, size_t index, double y, Ink ink) {
  const double hi = y + 3, lo = y + DiagramView::kRowHeight - 4;
  d.lines.push_back({runs.front().x0, hi, runs.back().x1, hi, ink});
  d.lines.push_back({runs.front().x0, lo, runs.back().x1, lo, ink});
  double fillFrom = 0;
  for (size_t i = 0; i < runs.size(); ++i) {
    const Run& r = runs[i];
    const bool narrowBefore = i > 0 && runs[i - 1].narrow, narrowAfter = i + 1 < runs.size() && runs[i + 1].narrow;
    if (i > 0 && !(r.narrow && narrowBefore)) {
      const double w = std::clamp((r.x1 - r.x0) / 2, 1.0, 3.0);
      d.lines.push_back({r.x0, hi, r.x0 + w, lo, ink});
      d.lines.push_back({r.x0, lo, r.x0 + w, hi, ink});
    }
    if (!r.narrow) {
      d.texts.push_back({r.x0 + 3, y, r.x1 - r.x0 - 3, DiagramView::kRowHeight, DiagramValueText(index, r.value), ink});
      continue;
    }
    if (!narrowBefore) fillFrom = r.x0;
    if (!narrowAfter) d.boxes.push_back({fillFrom, y + 4, r.x1 - fillFrom, DiagramView::kRowHeight - 8.0, Ink::Narrow});
  }
}

}  // namespace

uint32_t InkRgb(Ink ink) {
  switch (ink) {
    case Ink::Grid:
      return 0xE0E0E0;
    case Ink::Label:
      return 0x000000;
    case Ink::Ruler:
      return 0x404040;
    case Ink::Cycle:
      return 0xB0B0D0;
    case Ink::Phase:
      return 0x606060;
    case Ink::Register:
      return 0x1050A0;
    case Ink::Flag:
      return 0xA03010;
    case Ink::Signal:
      return 0x108030;
    case Ink::Narrow:
      return 0xB8CCE4;
    case Ink::Cursor:
      return 0xE02020;
  }
  return 0x000000;
}

namespace {

// The cells of the view's recorded beats, left to right.
std::vector<Cell> LayCells(const DiagramView& v, const BeatRange& recorded) {
  std::vector<Cell> cells;
  const int64_t lastVisible = std::min(recorded.last, v.BeatAt(v.width - 1));
  for (int64_t b = std::max(v.firstBeat, recorded.first); b <= lastVisible;) {
    const double x0 = v.XOf(b);
    int64_t b1 = b;
    if (v.beatWidth < 1) b1 = std::min(lastVisible, v.BeatAt(static_cast<int>(x0) + 1) - 1);
    b1 = std::max(b1, b);
    cells.push_back({x0, v.XOf(b1 + 1), b, b1});
    b = b1 + 1;
  }
  return cells;
}

// Per row and cell: the value at its start and at its end, and whether it
// changed inside (when zoomed out); per cell, whether a machine cycle starts
// in it. Each entry is read once.
struct Summary {
  size_t n;  // rows
  std::vector<int32_t> first, last;
  std::vector<uint8_t> mixed, cycleStart;
  // The value changes at the cell's start, or more than once inside it.
  bool Changes(size_t c, size_t r) const {
    const size_t k = c * n + r;
    return (c > 0 && first[k] != last[k - n]) || mixed[k];
  }
};

Summary Summarise(const Trace& t, const DiagramView& v, const std::vector<Cell>& cells) {
  const size_t n = v.rows.size();
  Summary s{n, std::vector<int32_t>(n * cells.size()), std::vector<int32_t>(n * cells.size()),
            std::vector<uint8_t>(n * cells.size()), std::vector<uint8_t>(cells.size())};
  for (size_t c = 0; c < cells.size(); ++c) {
    for (int64_t b = cells[c].b0; b <= cells[c].b1; ++b) {
      const TraceEntry& e = t.At(b);
      if (e.beat.BeatPhase == 1) s.cycleStart[c] = 1;
      for (size_t r = 0; r < n; ++r) {
        const int32_t val = TraceValue(e, v.rows[r]);
        const size_t k = c * n + r;
        if (b == cells[c].b0)
          s.first[k] = val;
        else if (val != s.last[k])
          s.mixed[k] = 1;
        s.last[k] = val;
      }
    }
  }
  return s;
}

// A bit: a level, with a vertical step wherever it changes.
void DrawLevel(DiagramDrawing& d, const std::vector<Cell>& cells, const Summary& s, size_t r, double y, Ink ink) {
  const double hi = y + 3, lo = y + DiagramView::kRowHeight - 4;
  double runStart = cells.front().x0;
  int32_t runValue = s.first[r];
  for (size_t c = 0; c < cells.size(); ++c) {
    if (s.Changes(c, r)) {
      const double level = runValue ? hi : lo;
      d.lines.push_back({runStart, level, cells[c].x0, level, ink});
      d.lines.push_back({cells[c].x0, hi, cells[c].x0, lo, ink});
      runStart = cells[c].x0;
    }
    runValue = s.last[c * s.n + r];
  }
  const double level = runValue ? hi : lo;
  d.lines.push_back({runStart, level, cells.back().x1, level, ink});
}

// A register's runs: a pixel column where the value changed more than once
// is a run of its own, of no known value.
std::vector<Run> BandRuns(const std::vector<Cell>& cells, const Summary& s, size_t r, size_t index) {
  std::vector<Run> runs;
  auto run = [&](double x0, double x1, int32_t value, bool known) {
    if (x1 > x0) runs.push_back({x0, x1, value, !known || x1 - x0 < TextWidth(DiagramValueText(index, value)) + 4});
  };
  double runStart = cells.front().x0;
  int32_t runValue = s.first[r];
  for (size_t c = 0; c < cells.size(); ++c) {
    if (!s.Changes(c, r)) continue;
    const size_t k = c * s.n + r;
    run(runStart, cells[c].x0, runValue, true);
    runStart = cells[c].x0;
    runValue = s.first[k];
    if (s.mixed[k]) {
      run(cells[c].x0, cells[c].x1, 0, false);
      runStart = cells[c].x1;
      runValue = s.last[k];
    }
  }
  run(runStart, cells.back().x1, runValue, true);
  return runs;
}

}  // namespace

DiagramDrawing DrawDiagram(const Trace& t, const BeatGen& beat, const DiagramView& v) {
  DiagramDrawing d;
  d.width = v.width;
  d.height = v.height;
  const auto& signals = TraceSignals();
  constexpr double rowH = DiagramView::kRowHeight, labelW = DiagramView::kLabelWidth,
                   rulerH = DiagramView::kRulerHeight;
  const double width = v.width, height = v.height;
  d.lines.push_back({0, rulerH - 1, width, rulerH - 1, Ink::Grid});
  for (size_t r = 0; r < v.rows.size(); ++r) {
    const double y = rulerH + static_cast<double>(r) * rowH;
    d.lines.push_back({0, y + rowH - 1, width, y + rowH - 1, Ink::Grid});
    d.texts.push_back({4, y, labelW - 6.0, rowH, signals[v.rows[r]].name, Ink::Label});
  }
  d.lines.push_back({labelW - 1.0, 0, labelW - 1.0, height, Ink::Grid});
  const BeatRange recorded = RecordedRange(beat, 0, v.lastBeat);
  if (recorded.first > recorded.last) return d;
  const std::vector<Cell> cells = LayCells(v, recorded);
  if (cells.empty()) return d;
  DrawRuler(d, t, v, cells.front().b0, cells.back().b1);
  d.lines.reserve(d.lines.size() + v.rows.size() * 64);
  const Summary s = Summarise(t, v, cells);
  // Machine-cycle boundaries, where the cells are wide enough to show them.
  if (v.beatWidth >= 3)
    for (size_t c = 0; c < cells.size(); ++c)
      if (s.cycleStart[c] && cells[c].b0 == cells[c].b1)
        d.lines.push_back({cells[c].x0, rulerH, cells[c].x0, height, Ink::Cycle});
  for (size_t r = 0; r < v.rows.size(); ++r) {
    const double y = rulerH + static_cast<double>(r) * rowH;
    const size_t index = v.rows[r];
    if (signals[index].width == 1) {
      DrawLevel(d, cells, s, r, y, RowInk(index));
    } else {
      const std::vector<Run> runs = BandRuns(cells, s, r, index);
      if (!runs.empty()) DrawBand(d, runs, index, y, RowInk(index));
    }
  }
  // The playback position.
  const int64_t view = beat.ViewPos;
  if (view >= cells.front().b0 && view <= cells.back().b1) {
    const double x = v.XOf(view) + 0.5 * v.beatWidth;
    d.lines.push_back({x, 0, x, height, Ink::Cursor});
  }
  return d;
}

DiagramDrawing DrawExport(const Trace& t, const BeatGen& beat, const std::vector<size_t>& rows, int64_t from,
                          int64_t to, bool microAddresses, const ControlStoreEntry* microStore) {
  using L = ExportLayout;
  const BeatRange r = RecordedRange(beat, from, to);
  const int64_t beats = r.first > r.last ? 0 : r.last - r.first + 1;
  const int64_t perStrip = std::max<int64_t>(L::kStripBeats, (beats + L::kMaxStrips - 1) / L::kMaxStrips);
  const int64_t strips = std::max<int64_t>(1, (beats + perStrip - 1) / perStrip);
  DiagramView v;
  v.rows = rows;
  v.microAddresses = microAddresses;
  v.microStore = microStore;
  v.width = DiagramView::kLabelWidth + L::kStripBeats * L::kBeatWidth;
  v.beatWidth = static_cast<double>(L::kStripBeats * L::kBeatWidth) / static_cast<double>(perStrip);
  v.height = DiagramView::kRulerHeight + static_cast<int>(rows.size()) * DiagramView::kRowHeight;
  DiagramDrawing out;
  out.width = v.width;
  out.height = static_cast<int>(strips) * (v.height + L::kStripGap) - L::kStripGap;
  for (int64_t s = 0; s < strips; ++s) {
    v.firstBeat = std::max<int64_t>(1, r.first) + s * perStrip;
    v.lastBeat = beats ? std::min(r.last, v.firstBeat + perStrip - 1) : 0;
    DiagramDrawing strip = DrawDiagram(t, beat, v);
    const double dy = static_cast<double>(s * (v.height + L::kStripGap));
    for (DiagramLine& l : strip.lines) out.lines.push_back({l.x0, l.y0 + dy, l.x1, l.y1 + dy, l.ink});
    for (DiagramBox& b : strip.boxes) out.boxes.push_back({b.x, b.y + dy, b.w, b.h, b.ink});
    for (DiagramText& x : strip.texts) out.texts.push_back({x.x, x.y + dy, x.w, x.h, std::move(x.text), x.ink});
  }
  return out;
}

namespace {
// "#rrggbb" of an ink, for SVG.
std::string InkColor(Ink ink) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06x", static_cast<unsigned>(InkRgb(ink)));
  return buf;
}

std::string Xml(const std::string& t) {
  std::string x;
  for (char c : t) {
    if (c == '<')
      x += "&lt;";
    else if (c == '>')
      x += "&gt;";
    else if (c == '&')
      x += "&amp;";
    else
      x += c;
  }
  return x;
}
}  // namespace

std::string DiagramSvg(const DiagramDrawing& d) {
  std::string out;
  char buf[256];
  std::snprintf(buf, sizeof buf,
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n"
                "<rect width=\"100%%\" height=\"100%%\" fill=\"#ffffff\"/>\n",
                d.width, d.height, d.width, d.height);
  out += buf;
  for (const DiagramBox& b : d.boxes) {
    std::snprintf(buf, sizeof buf, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"%s\"/>\n", b.x,
                  b.y, b.w, b.h, InkColor(b.ink).c_str());
    out += buf;
  }
  for (const DiagramLine& l : d.lines) {
    std::snprintf(buf, sizeof buf, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\"%s/>\n", l.x0,
                  l.y0, l.x1, l.y1, InkColor(l.ink).c_str(),
                  l.ink == Ink::Cycle    ? " stroke-dasharray=\"1,2\""
                  : l.ink == Ink::Cursor ? " stroke-width=\"2\""
                                         : "");
    out += buf;
  }
  for (const DiagramText& t : d.texts) {
    std::snprintf(buf, sizeof buf,
                  "<text x=\"%.1f\" y=\"%.1f\" font-family=\"sans-serif\" font-size=\"11\" fill=\"%s\">", t.x,
                  t.y + t.h / 2 + 4, InkColor(t.ink).c_str());
    out += buf;
    out += Xml(t.text) + "</text>\n";
  }
  return out + "</svg>\n";
}

}  // namespace orrin
