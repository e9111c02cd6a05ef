// The timing diagram as drawn: a value written in a band is the value of the
// run under it, a run too narrow for its value is filled instead, the ruler's
// beat numbers and cycle labels are right and never overlap, and an exported
// picture carries every value and beat number of its range.
#include "machine/trace_diagram.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>

#include "app/runner.h"
#include "base/microword_text.h"
#include "tests/slurp.h"

namespace orrin {
namespace {

// The sum program in microprogram mode for `beats` small beats, then `check`
// with the simulator and the script's further lines.
void WithSumProgram(int beats, const std::function<void(const Simulator&)>& check, const std::string& more = "") {
  std::string script = "load-wires " ORRIN_SOURCE_DIR
                       "/examples/wiring/microprogram.txt\nmode microprogram\npower\n"
                       "load-memory " ORRIN_SOURCE_DIR "/examples/memory/sum.txt\n";
  for (int i = 0; i < beats; ++i) script += "step\n";
  std::istringstream in(script + more);
  std::ostringstream out, err;
  RunOptions options;
  options.atEnd = check;
  ASSERT_EQ(RunScript(in, out, err, options), 0) << err.str();
}

std::vector<size_t> AllRows() {
  std::vector<size_t> rows(TraceSignals().size());
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = i;
  return rows;
}

DiagramView ViewOf(double beatWidth, int64_t firstBeat, int width) {
  DiagramView v;
  v.rows = AllRows();
  v.beatWidth = beatWidth;
  v.firstBeat = firstBeat;
  v.width = width;
  v.height = DiagramView::kRulerHeight + static_cast<int>(v.rows.size()) * DiagramView::kRowHeight;
  v.microAddresses = true;
  return v;
}

bool IsRegister(size_t row) { return row <= 10; }
int RowOf(const DiagramView& v, double y) { return v.RowAt(static_cast<int>(y + 1)); }

// With a microprogram source's labels, a cycle is named by the label of the
// word it executed ("#7 fetch"), by its micro-address where the word has none;
// the longer labels still never overlap.
TEST(TraceDiagram, CyclesAreNamedByTheSourcesLabels) {
  WithSumProgram(
      600,
      [](const Simulator& sim) {
        for (const double beatWidth : {40.0, 12.0, 3.0}) {
          DiagramView v = ViewOf(beatWidth, 1, 1200);
          v.microStore = sim.machine.Micro.Store.data();
          const DiagramDrawing d = DrawDiagram(sim.trace, sim.machine.Beat, v);
          std::vector<const DiagramText*> cycles;
          for (const DiagramText& t : d.texts)
            if (t.ink == Ink::Ruler && t.y < DiagramView::kRulerHeight / 2.0 - 1) cycles.push_back(&t);
          ASSERT_GE(cycles.size(), 2u) << beatWidth;
          bool fetch = false;
          for (size_t i = 0; i < cycles.size(); ++i) {
            const std::string& text = cycles[i]->text;
            const int64_t cycle = std::stoll(text.substr(1));
            const int a = sim.trace.At((cycle - 1) * 6 + 1).micro.MicroAddress & 63;
            const std::string label = LabelOfComment(sim.machine.Micro.Store[static_cast<size_t>(a)].CommentText);
            EXPECT_EQ(text,
                      "#" + std::to_string(cycle) + " " + (label.empty() ? "uA " + DiagramValueText(1, a) : label));
            fetch |= label == "fetch";
            if (i > 0) {
              EXPECT_GE(cycles[i]->x, cycles[i - 1]->x + DiagramView::kCharWidth * cycles[i - 1]->text.size());
            }
          }
          EXPECT_TRUE(fetch) << beatWidth;
        }
      },
      "load-micro-source " ORRIN_SOURCE_DIR "/examples/microprogram/standard.mc\n");
}

// Zoomed in, half-way and far out: each written value is the value at the
// start of its run; every pixel column of a register's band is either under
// a written value or filled; bits are high exactly where they were 1.
TEST(TraceDiagram, BandsWriteEveryValueThatFitsAndFillTheRest) {
  WithSumProgram(1500, [](const Simulator& sim) {
    for (const double beatWidth : {16.0, 3.0, 0.6}) {
      const DiagramView v = ViewOf(beatWidth, 50, 900);
      const DiagramDrawing d = DrawDiagram(sim.trace, sim.machine.Beat, v);
      const int64_t lastBeat = std::min<int64_t>(sim.machine.Beat.StepCount, v.BeatAt(v.width - 1));
      std::vector<std::vector<std::pair<double, double>>> covered(v.rows.size());
      int written = 0;
      for (const DiagramText& t : d.texts) {
        if (t.ink == Ink::Label || t.ink == Ink::Ruler) continue;
        const int row = RowOf(v, t.y);
        ASSERT_TRUE(row >= 0 && IsRegister(static_cast<size_t>(row))) << t.text;
        const int64_t beat = v.BeatAt(static_cast<int>(std::ceil(t.x - 3)));
        EXPECT_EQ(t.text,
                  DiagramValueText(static_cast<size_t>(row), TraceValue(sim.trace.At(beat), static_cast<size_t>(row))))
            << TraceSignals()[static_cast<size_t>(row)].name << " at beat " << beat << ", " << beatWidth << " px";
        EXPECT_GE(t.w, DiagramView::kCharWidth * static_cast<double>(t.text.size()) + 1);
        // The phase in its own ink, the registers and the bus in theirs.
        EXPECT_EQ(t.ink, row == static_cast<int>(column::Phase) ? Ink::Phase : Ink::Register) << t.text;
        covered[static_cast<size_t>(row)].push_back({t.x - 3, t.x + t.w});
        ++written;
      }
      for (const DiagramBox& b : d.boxes) covered[static_cast<size_t>(RowOf(v, b.y))].push_back({b.x, b.x + b.w});
      const double right = v.XOf(lastBeat + 1);
      for (size_t row = 0; row <= 10; ++row)
        for (double x = DiagramView::kLabelWidth + 0.5; x < right - 0.5; x += 1) {
          bool in = false;
          for (auto [x0, x1] : covered[row]) in |= x0 <= x && x <= x1;
          EXPECT_TRUE(in) << TraceSignals()[row].name << " at x " << x << ", " << beatWidth << " px";
        }
      EXPECT_GT(written, 11) << beatWidth << " px";
      if (beatWidth < 16) continue;
      for (size_t row = 11; row < v.rows.size(); ++row) {
        const double top = DiagramView::kRulerHeight + static_cast<double>(row) * DiagramView::kRowHeight;
        for (int64_t b = 50; b <= lastBeat; ++b) {
          const double x = v.XOf(b) + beatWidth / 2;
          const double want = TraceValue(sim.trace.At(b), row) ? top + 3 : top + DiagramView::kRowHeight - 4;
          bool drawn = false;
          for (const DiagramLine& l : d.lines)
            drawn |= l.y0 == want && l.y1 == want && l.x0 <= x && l.x1 >= x && l.ink != Ink::Grid;
          EXPECT_TRUE(drawn) << TraceSignals()[row].name << " at beat " << b;
        }
      }
    }
  });
}

// The ruler: beat numbers at a round step, each at its beat, none over the
// next; cycle labels at phase 1 of their cycle with the micro-address that
// cycle executed, none over the next; without micro-addresses only "#N".
TEST(TraceDiagram, TheRulerNumbersBeatsAndCyclesWithoutOverlap) {
  WithSumProgram(1500, [](const Simulator& sim) {
    for (const double beatWidth : {40.0, 16.0, 3.0, 0.6}) {
      for (const bool micro : {true, false}) {
        DiagramView v = ViewOf(beatWidth, 7, 1200);
        v.microAddresses = micro;
        const DiagramDrawing d = DrawDiagram(sim.trace, sim.machine.Beat, v);
        std::vector<const DiagramText*> numbers, cycles;
        for (const DiagramText& t : d.texts)
          if (t.ink == Ink::Ruler) (t.y < DiagramView::kRulerHeight / 2.0 - 1 ? cycles : numbers).push_back(&t);
        ASSERT_GE(numbers.size(), 3u) << beatWidth;
        ASSERT_GE(cycles.size(), 2u) << beatWidth;
        const int64_t step = std::stoll(numbers[1]->text) - std::stoll(numbers[0]->text);
        for (size_t i = 0; i < numbers.size(); ++i) {
          const int64_t b = std::stoll(numbers[i]->text);
          EXPECT_EQ(b % step, 0);
          EXPECT_DOUBLE_EQ(numbers[i]->x, v.XOf(b) + 2);
          if (i > 0) {
            EXPECT_EQ(b - std::stoll(numbers[i - 1]->text), step);
            EXPECT_GE(numbers[i]->x, numbers[i - 1]->x + DiagramView::kCharWidth * numbers[i - 1]->text.size());
          }
        }
        if (beatWidth >= 40) {
          EXPECT_EQ(step, 1);
        }
        for (size_t i = 0; i < cycles.size(); ++i) {
          const std::string& text = cycles[i]->text;
          ASSERT_EQ(text[0], '#');
          const int64_t cycle = std::stoll(text.substr(1));
          const int64_t b = (cycle - 1) * 6 + 1;
          EXPECT_EQ(sim.trace.At(b).beat.BeatPhase, 1);
          EXPECT_DOUBLE_EQ(cycles[i]->x, v.XOf(b) + 3);
          const std::string tail = micro ? " uA " + DiagramValueText(1, sim.trace.At(b).micro.MicroAddress) : "";
          EXPECT_EQ(text, "#" + std::to_string(cycle) + tail);
          if (i > 0) {
            EXPECT_GE(cycles[i]->x, cycles[i - 1]->x + DiagramView::kCharWidth * cycles[i - 1]->text.size());
          }
        }
      }
    }
  });
}

// A 60-beat range exported: two strips (48 + 12 beats), each beat numbered
// once, each register's value written at the start of each of its runs in
// each strip; the SVG holds the same texts as text; the PNG is that drawing.
TEST(TraceExport, APictureOfSixtyBeatsHasEveryValueAndBeatNumber) {
  const std::string svgPath = testing::TempDir() + "orrin-sixty.svg", pngPath = testing::TempDir() + "orrin-sixty.png";
  WithSumProgram(
      100,
      [&](const Simulator& sim) {
        const DiagramDrawing d = DrawExport(sim.trace, sim.machine.Beat, AllRows(), 31, 90, true);
        using L = ExportLayout;
        const int stripHeight =
            DiagramView::kRulerHeight + static_cast<int>(TraceSignals().size()) * DiagramView::kRowHeight;
        EXPECT_EQ(d.width, DiagramView::kLabelWidth + L::kStripBeats * L::kBeatWidth);
        EXPECT_EQ(d.height, 2 * stripHeight + L::kStripGap);
        std::vector<std::string> want, got;
        for (int strip = 0; strip < 2; ++strip) {
          const int64_t first = 31 + strip * 48, last = std::min<int64_t>(90, first + 47);
          const double top = strip * (stripHeight + L::kStripGap);
          DiagramView v = ViewOf(L::kBeatWidth, first, d.width);
          for (int64_t b = first; b <= last; ++b) {
            want.push_back("beat " + std::to_string(b) + " at " + std::to_string(v.XOf(b) + 2));
            for (size_t row = 0; row <= 10; ++row)
              if (b == first || TraceValue(sim.trace.At(b), row) != TraceValue(sim.trace.At(b - 1), row))
                want.push_back(std::string(TraceSignals()[row].name) + " " +
                               DiagramValueText(row, TraceValue(sim.trace.At(b), row)) + " at " +
                               std::to_string(v.XOf(b) + 3) + " in " + std::to_string(strip));
          }
          for (const DiagramText& t : d.texts) {
            if (t.y < top || t.y >= top + stripHeight) continue;
            const double y = t.y - top;
            if (t.ink == Ink::Ruler && y >= DiagramView::kRulerHeight / 2.0 - 1)
              got.push_back("beat " + t.text + " at " + std::to_string(t.x));
            else if (t.ink != Ink::Ruler && t.ink != Ink::Label)
              got.push_back(std::string(TraceSignals()[static_cast<size_t>(RowOf(v, y))].name) + " " + t.text + " at " +
                            std::to_string(t.x) + " in " + std::to_string(strip));
          }
        }
        std::sort(want.begin(), want.end());
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, want);
        // The SVG: the same texts, in order, as text.
        const std::string svg = DiagramSvg(d);
        size_t at = 0;
        for (const DiagramText& t : d.texts) {
          at = svg.find(">" + t.text + "</text>", at);
          ASSERT_NE(at, std::string::npos) << t.text;
        }
      },
      "export-trace " + svgPath + " 31 90\nexport-trace " + pngPath + " 31 90\n");
  EXPECT_TRUE(Slurp(svgPath).starts_with("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1600\""));
  EXPECT_NE(Slurp(svgPath).find(">#6 uA "), std::string::npos);
}

// The headless PNG: a valid image of the drawing's size, every row's name
// inked in the label column of each strip and the cursor in red.
TEST(TraceExport, ThePngIsTheDiagramAsAPicture) {
  const std::string path = testing::TempDir() + "orrin-trace-drawing.png";
  std::istringstream in("mode microprogram\npower\nqd\ntick 10\nexport-trace " + path + "\n");
  std::ostringstream out, err;
  ASSERT_EQ(RunScript(in, out, err), 0) << err.str();
  const std::string png = Slurp(path);
  ASSERT_TRUE(png.starts_with("\x89PNG\r\n\x1a\n"));
  auto be32 = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(png[at]) << 24 | static_cast<uint8_t>(png[at + 1]) << 16 |
                                 static_cast<uint8_t>(png[at + 2]) << 8 | static_cast<uint8_t>(png[at + 3]));
  };
  const uint32_t w = be32(16), h = be32(20);
  const uint32_t strip = DiagramView::kRulerHeight + static_cast<uint32_t>(TraceSignals().size()) * 18;
  EXPECT_EQ(w, 1600u);
  EXPECT_EQ(h, 2 * strip + ExportLayout::kStripGap);  // 70 beats: 48 + 22
  std::string packed;
  for (size_t at = 8; at + 8 <= png.size();) {
    const uint32_t len = be32(at);
    if (png.compare(at + 4, 4, "IDAT") == 0) packed += png.substr(at + 8, len);
    at += 12 + len;
  }
  std::string raw((w * 3 + 1) * h, '\0');
  uLongf size = raw.size();
  ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &size, reinterpret_cast<const Bytef*>(packed.data()),
                       packed.size()),
            Z_OK);
  ASSERT_EQ(size, raw.size());
  auto pixel = [&](uint32_t x, uint32_t y) { return raw.substr(y * (w * 3 + 1) + 1 + x * 3, 3); };
  for (uint32_t top : {0u, strip + ExportLayout::kStripGap})
    for (uint32_t row = 0; row < TraceSignals().size(); ++row) {
      int ink = 0;
      const uint32_t y0 = top + DiagramView::kRulerHeight + row * 18;
      for (uint32_t y = y0; y < y0 + 16; ++y)
        for (uint32_t x = 4; x < 58; ++x) ink += pixel(x, y) == std::string(3, '\0');
      EXPECT_GT(ink, 4) << TraceSignals()[row].name;
    }
  int cursor = 0;
  for (uint32_t x = 64; x < w; ++x) cursor += pixel(x, strip + ExportLayout::kStripGap + 2) == "\xe0\x20\x20";
  EXPECT_EQ(cursor, 2);  // two pixels wide, at the newest beat (70, in the second strip)
}

// A whole ring exported stays a picture of bounded size: eight strips, the
// beats spread over them, numbered from the oldest kept to the newest.
TEST(TraceExport, AWholeRingIsEightStrips) {
  const Trace t;
  BeatGen beat;
  beat.StepCount = 60000;
  const DiagramDrawing d = DrawExport(t, beat, AllRows(), 0, INT64_MAX, false);
  const int strip = DiagramView::kRulerHeight + static_cast<int>(TraceSignals().size()) * DiagramView::kRowHeight;
  EXPECT_EQ(d.width, 1600);
  EXPECT_EQ(d.height, 8 * strip + 7 * ExportLayout::kStripGap);
  int64_t lowest = INT64_MAX, highest = 0;
  for (const DiagramText& x : d.texts)
    if (x.ink == Ink::Ruler && x.text[0] != '#') {
      lowest = std::min(lowest, static_cast<int64_t>(std::stoll(x.text)));
      highest = std::max(highest, static_cast<int64_t>(std::stoll(x.text)));
    }
  EXPECT_GE(lowest, 10001);
  EXPECT_GT(highest, 59000);
  EXPECT_LE(highest, 60000);
}

// Eight strips at most however long the range: 384 beats are 8 strips of 48,
// one beat more spreads them over 8 too; no text runs past the picture's
// right edge (a cycle label near it is left out).
TEST(TraceExport, NoMoreThanEightStripsAndNoTextCutAtTheEdge) {
  const int strip = DiagramView::kRulerHeight + static_cast<int>(TraceSignals().size()) * DiagramView::kRowHeight;
  WithSumProgram(420, [&](const Simulator& sim) {
    for (const int64_t beats : {48, 49, 384, 385, 419}) {
      const DiagramDrawing d = DrawExport(sim.trace, sim.machine.Beat, AllRows(), 1, beats, true);
      const int64_t strips = std::min<int64_t>(8, (beats + 47) / 48);
      EXPECT_EQ(d.height, strips * strip + (strips - 1) * ExportLayout::kStripGap) << beats;
      for (const DiagramText& x : d.texts) EXPECT_LE(x.x + x.w, d.width) << beats << ": " << x.text;
    }
    for (int first = 1; first <= 12; ++first) {
      DiagramView v = ViewOf(16.0, first, 700);
      v.microAddresses = true;
      for (const DiagramText& x : DrawDiagram(sim.trace, sim.machine.Beat, v).texts)
        if (x.ink == Ink::Ruler) {
          EXPECT_LE(x.x + DiagramView::kCharWidth * static_cast<double>(x.text.size()), v.width)
              << first << ": " << x.text;
        }
    }
  });
}

}  // namespace
}  // namespace orrin
