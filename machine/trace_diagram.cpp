#include "machine/trace_diagram.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orrin {

int64_t DiagramView::BeatAt(int x) const {
  if (x < kLabelWidth) return 0;
  return firstBeat + static_cast<int64_t>(std::floor((x - kLabelWidth) / beatWidth));
}

namespace {

Ink RowInk(size_t index) {
  if (index == 0) return Ink::Phase;
  if (index <= 10) return Ink::Register;
  if (index <= 14) return Ink::Flag;
  return Ink::Signal;
}

// A cell: one small beat when zoomed in, one pixel column when zoomed out.
struct Cell {
  double x0, x1;
  int64_t b0, b1;
};

std::string ValueText(size_t index, int32_t v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, index == 0 ? "%d" : "%02X", static_cast<int>(v));
  return buf;
}

}  // namespace

uint32_t InkRgb(Ink ink) {
  switch (ink) {
    case Ink::Grid:
      return 0xE0E0E0;
    case Ink::Label:
      return 0x000000;
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
    case Ink::Cursor:
      return 0xE02020;
  }
  return 0x000000;
}

DiagramDrawing DrawDiagram(const Trace& t, const BeatGen& beat, const DiagramView& v) {
  DiagramDrawing d;
  const auto& signals = TraceSignals();
  const BeatRange recorded = RecordedRange(beat, 0, INT64_MAX);
  const int rowH = DiagramView::kRowHeight, labelW = DiagramView::kLabelWidth;
  for (size_t r = 0; r < v.rows.size(); ++r) {
    const double y = static_cast<double>(r) * rowH;
    d.lines.push_back({0, y + rowH - 1, static_cast<double>(v.width), y + rowH - 1, Ink::Grid});
    d.texts.push_back({4, y, labelW - 6.0, static_cast<double>(rowH), signals[v.rows[r]].name, Ink::Label});
  }
  d.lines.push_back({labelW - 1.0, 0, labelW - 1.0, static_cast<double>(v.height), Ink::Grid});
  if (recorded.first > recorded.last) return d;

  std::vector<Cell> cells;
  const int64_t lastVisible = std::min(recorded.last, v.BeatAt(v.width - 1));
  for (int64_t b = std::max(v.firstBeat, recorded.first); b <= lastVisible;) {
    const double x0 = labelW + static_cast<double>(b - v.firstBeat) * v.beatWidth;
    int64_t b1 = b;
    if (v.beatWidth < 1) b1 = std::min(lastVisible, v.BeatAt(static_cast<int>(x0) + 1) - 1);
    b1 = std::max(b1, b);
    cells.push_back({x0, labelW + static_cast<double>(b1 + 1 - v.firstBeat) * v.beatWidth, b, b1});
    b = b1 + 1;
  }
  if (cells.empty()) return d;
  d.lines.reserve(v.rows.size() * 64);

  // Each entry is read once; per row and cell: the value at its start and at
  // its end, and whether it changed inside (when zoomed out).
  const size_t n = v.rows.size();
  std::vector<int32_t> first(n * cells.size()), last(n * cells.size());
  std::vector<uint8_t> mixed(n * cells.size()), cycleStart(cells.size());
  for (size_t c = 0; c < cells.size(); ++c) {
    for (int64_t b = cells[c].b0; b <= cells[c].b1; ++b) {
      const TraceEntry& e = t.At(b);
      if (e.beat.BeatPhase == 1) cycleStart[c] = 1;
      for (size_t r = 0; r < n; ++r) {
        const int32_t val = TraceValue(e, v.rows[r]);
        if (b == cells[c].b0)
          first[c * n + r] = val;
        else if (val != last[c * n + r])
          mixed[c * n + r] = 1;
        last[c * n + r] = val;
      }
    }
  }
  // Machine-cycle boundaries, where the cells are wide enough to show them.
  if (v.beatWidth >= 3)
    for (size_t c = 0; c < cells.size(); ++c)
      if (cycleStart[c] && cells[c].b0 == cells[c].b1)
        d.lines.push_back({cells[c].x0, 0, cells[c].x0, static_cast<double>(v.height), Ink::Cycle});

  for (size_t r = 0; r < n; ++r) {
    const double y = static_cast<double>(r) * rowH, hi = y + 3, lo = y + rowH - 4;
    const size_t index = v.rows[r];
    const bool bit = signals[index].width == 1;
    const Ink ink = RowInk(index);
    auto label = [&](double x, int32_t val) {
      if (!bit && v.beatWidth >= 14)
        d.texts.push_back({x + 3, y, 40, static_cast<double>(rowH), ValueText(index, val), ink});
    };
    double runStart = cells[0].x0;
    int32_t runValue = first[r];
    auto closeRun = [&](double x) {
      if (bit) {
        const double level = runValue ? hi : lo;
        d.lines.push_back({runStart, level, x, level, ink});
      } else {
        d.lines.push_back({runStart, hi, x, hi, ink});
        d.lines.push_back({runStart, lo, x, lo, ink});
      }
    };
    label(cells[0].x0, first[r]);
    for (size_t c = 0; c < cells.size(); ++c) {
      const size_t k = c * n + r;
      if ((c > 0 && first[k] != last[k - n]) || mixed[k]) {
        closeRun(cells[c].x0);
        if (bit) {
          d.lines.push_back({cells[c].x0, hi, cells[c].x0, lo, ink});
        } else {
          // A transition mark: the band's lines cross.
          const double w = std::clamp((cells[c].x1 - cells[c].x0) / 2, 1.0, 3.0);
          d.lines.push_back({cells[c].x0, hi, cells[c].x0 + w, lo, ink});
          d.lines.push_back({cells[c].x0, lo, cells[c].x0 + w, hi, ink});
        }
        runStart = cells[c].x0;
        if (!mixed[k]) label(cells[c].x0, first[k]);
      }
      runValue = last[k];
    }
    closeRun(cells.back().x1);
  }
  // The playback position.
  const int64_t view = beat.ViewPos;
  if (view >= cells.front().b0 && view <= cells.back().b1) {
    const double x = labelW + (static_cast<double>(view - v.firstBeat) + 0.5) * v.beatWidth;
    d.lines.push_back({x, 0, x, static_cast<double>(v.height), Ink::Cursor});
  }
  return d;
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

std::string DiagramSvg(const DiagramDrawing& d, const DiagramView& v) {
  std::string out;
  char buf[256];
  std::snprintf(buf, sizeof buf,
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n"
                "<rect width=\"100%%\" height=\"100%%\" fill=\"#ffffff\"/>\n",
                v.width, v.height, v.width, v.height);
  out += buf;
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

DiagramView WholeHistoryView(const BeatGen& beat, int64_t from, int64_t to) {
  DiagramView v;
  for (size_t i = 0; i < TraceSignals().size(); ++i) v.rows.push_back(i);
  const BeatRange r = RecordedRange(beat, from, to);
  const int64_t beats = r.first > r.last ? 1 : r.last - r.first + 1;
  v.firstBeat = std::max<int64_t>(1, r.first);
  v.width = static_cast<int>(std::min<int64_t>(4000, DiagramView::kLabelWidth + beats * 12));
  v.beatWidth = static_cast<double>(v.width - DiagramView::kLabelWidth) / static_cast<double>(beats);
  v.height = static_cast<int>(v.rows.size()) * DiagramView::kRowHeight + 4;
  return v;
}

}  // namespace orrin
