// The exported history read back: every beat of the CSV and the VCD equals
// what `dump` printed at that beat; ranges are clamped to the ring.
#include "machine/trace_export.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "app/runner.h"
#include "machine/trace_diagram.h"

namespace orrin {
namespace {

std::string Slurp(const std::string& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::vector<std::string> Split(const std::string& line, char by) {
  std::vector<std::string> parts;
  std::stringstream ss(line);
  for (std::string p; std::getline(ss, p, by);) parts.push_back(p);
  return parts;
}

// "step=V/S phase=P uAR=HH ..." as NAME -> TEXT, the step as V.
std::map<std::string, std::string> DumpFields(const std::string& line) {
  std::map<std::string, std::string> f;
  for (const std::string& pair : Split(line, ' ')) {
    const size_t eq = pair.find('=');
    f[pair.substr(0, eq)] = pair.substr(eq + 1);
  }
  f["step"] = f["step"].substr(0, f["step"].find('/'));
  return f;
}

// The sum program, one small beat at a time with a dump after each.
struct Recorded {
  std::vector<std::map<std::string, std::string>> dumps;  // index = beat - 1
  std::string csv, vcd, json;
};

Recorded RunAndExport(int beats, const std::string& range) {
  // Named after the test: ctest runs the tests of this file side by side.
  const std::string dir =
      testing::TempDir() + "orrin-" + testing::UnitTest::GetInstance()->current_test_info()->name() + "-";
  std::string script = "load-wires " ORRIN_SOURCE_DIR
                       "/examples/wiring/microprogram.txt\nmode microprogram\npower\n"
                       "load-memory " ORRIN_SOURCE_DIR "/examples/memory/sum.txt\n";
  for (int i = 0; i < beats; ++i) script += "step\ndump\n";
  for (const char* ext : {"csv", "vcd", "json"}) script += "export-trace " + dir + "t." + ext + range + "\n";
  std::istringstream in(script);
  std::ostringstream out, err;
  EXPECT_EQ(RunScript(in, out, err), 0) << err.str();
  Recorded r;
  for (const std::string& line : Split(out.str(), '\n'))
    if (line.rfind("step=", 0) == 0) r.dumps.push_back(DumpFields(line));
  r.csv = Slurp(dir + "t.csv");
  r.vcd = Slurp(dir + "t.vcd");
  r.json = Slurp(dir + "t.json");
  return r;
}

const char* const kDumped[] = {"phase", "uAR", "PC", "AR", "IR",     "IAR",  "R0", "R1",
                               "R2",    "R3",  "C",  "Z",  "EN_INT", "INTQ", "BUS"};

TEST(TraceExport, CsvRowsEqualTheDumpsBeatByBeat) {
  const Recorded r = RunAndExport(150, "");
  std::vector<std::string> lines = Split(r.csv, '\n');
  for (std::string& l : lines)
    if (!l.empty() && l.back() == '\r') l.pop_back();
  ASSERT_EQ(lines.size(), 151u);
  const std::vector<std::string> header = Split(lines[0], ',');
  EXPECT_TRUE(lines[0].starts_with("step,phase,uAR,PC,AR,IR,IAR,R0,R1,R2,R3,BUS,C,Z,EN_INT,INTQ,DRW,PCINC,LPC,"));
  EXPECT_EQ(header.size(), 16u + 28u);
  EXPECT_EQ(header.back(), "RS0");
  for (size_t beat = 1; beat <= 150; ++beat) {
    const std::vector<std::string> row = Split(lines[beat], ',');
    ASSERT_EQ(row.size(), header.size());
    EXPECT_EQ(row[0], std::to_string(beat));
    for (const char* name : kDumped) {
      const size_t col = static_cast<size_t>(std::find(header.begin(), header.end(), name) - header.begin());
      EXPECT_EQ(row[col], r.dumps[beat - 1].at(name)) << name << " at beat " << beat;
    }
  }
}

TEST(TraceExport, VcdValuesEqualTheDumpsBeatByBeat) {
  const Recorded r = RunAndExport(150, " 20 90");
  // Identifier -> name and width, from the header; then values by time.
  std::map<char, std::pair<std::string, int>> vars;
  std::map<std::string, int> value;
  int64_t time = -1;
  int checked = 0;
  auto check = [&](int64_t beat) {
    const auto& d = r.dumps[static_cast<size_t>(beat - 1)];
    for (const char* name : kDumped) {
      // dump prints registers as two hex digits, the phase and bits as one digit
      const int expected = std::stoi(d.at(name), nullptr, d.at(name).size() == 2 ? 16 : 10);
      EXPECT_EQ(value.at(name), expected) << name << " at beat " << beat;
    }
    ++checked;
  };
  for (const std::string& line : Split(r.vcd, '\n')) {
    if (line.rfind("$var wire ", 0) == 0) {
      const auto w = Split(line, ' ');  // $var wire WIDTH ID NAME $end
      vars[w[3][0]] = {w[4], std::stoi(w[2])};
    } else if (!line.empty() && line[0] == '#') {
      const int64_t next = std::stoll(line.substr(1));
      for (int64_t beat = std::max<int64_t>(time, 20); time >= 0 && beat < next; ++beat) check(beat);
      time = next;
    } else if (!line.empty() && (line[0] == '0' || line[0] == '1')) {
      value[vars.at(line[1]).first] = line[0] - '0';
    } else if (!line.empty() && line[0] == 'b') {
      const auto parts = Split(line.substr(1), ' ');
      value[vars.at(parts[1][0]).first] = std::stoi(parts[0], nullptr, 2);
    }
  }
  ASSERT_EQ(vars.size(), 43u);
  EXPECT_EQ(r.vcd.find("#19\n"), std::string::npos);  // FROM 20
  EXPECT_NE(r.vcd.find("$enddefinitions $end\n#20\n$dumpvars\n"), std::string::npos) << "the initial values";
  for (int64_t beat = time; beat <= 90; ++beat) check(beat);
  EXPECT_EQ(checked, 71);  // 20..90
}

// A JSON value as the WaveDrom export uses them: objects, arrays, strings.
struct Json {
  std::map<std::string, Json> object;
  std::vector<Json> array;
  std::string text;
};

class JsonReader {
 public:
  explicit JsonReader(const std::string& s) : s_(s) {}
  Json Value() {
    Blanks();
    Json v;
    if (Eat('{')) {
      while (!Eat('}')) {
        Blanks();
        const std::string key = String();
        Blanks();
        Expect(':');
        v.object[key] = Value();
        Blanks();
        Eat(',');
      }
    } else if (Eat('[')) {
      while (!Eat(']')) {
        v.array.push_back(Value());
        Blanks();
        Eat(',');
      }
    } else {
      v.text = String();
    }
    Blanks();
    return v;
  }
  bool AtEnd() {
    Blanks();
    return i_ == s_.size();
  }

 private:
  void Blanks() {
    while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
  }
  bool Eat(char c) {
    Blanks();
    if (i_ < s_.size() && s_[i_] == c) {
      ++i_;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Eat(c)) throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(i_));
  }
  std::string String() {
    Expect('"');
    std::string out;
    while (i_ < s_.size() && s_[i_] != '"') {
      if (s_[i_] == '\\') ++i_;
      out += s_[i_++];
    }
    Expect('"');
    return out;
  }
  const std::string& s_;
  size_t i_ = 0;
};

TEST(TraceExport, WaveDromWavesEqualTheDumpsBeatByBeat) {
  const Recorded r = RunAndExport(120, " 30 100");
  JsonReader reader(r.json);
  const Json doc = reader.Value();
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(doc.object.at("head").object.at("text").text, "Orrin small beats 30-100");
  const auto& signals = doc.object.at("signal").array;
  ASSERT_EQ(signals.size(), 43u);
  int checked = 0;
  for (const Json& sig : signals) {
    const std::string name = sig.object.at("name").text;
    const std::string wave = sig.object.at("wave").text;
    ASSERT_EQ(wave.size(), 71u) << name;  // beats 30..100
    if (std::find(std::begin(kDumped), std::end(kDumped), name) == std::end(kDumped)) continue;
    size_t datum = 0;
    std::string value;
    for (size_t k = 0; k < wave.size(); ++k) {
      if (wave[k] == '=') value = sig.object.at("data").array.at(datum++).text;
      if (wave[k] == '0' || wave[k] == '1') value = std::string(1, wave[k]);
      ASSERT_FALSE(value.empty()) << name;
      EXPECT_EQ(value, r.dumps[29 + k].at(name)) << name << " at beat " << 30 + k;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 15 * 71);
}

// The diagram draws what was recorded: every value written in a band is the
// value at the beat under it, a band gets a value at each change, and a bit
// is drawn high exactly where it was 1.
TEST(TraceDiagram, TheDrawingShowsTheRecordedValues) {
  std::string script = "load-wires " ORRIN_SOURCE_DIR
                       "/examples/wiring/microprogram.txt\nmode microprogram\npower\n"
                       "load-memory " ORRIN_SOURCE_DIR "/examples/memory/sum.txt\n";
  for (int i = 0; i < 200; ++i) script += "step\n";
  std::istringstream in(script);
  std::ostringstream out, err;
  RunOptions options;
  int checkedTexts = 0, checkedBits = 0;
  options.atEnd = [&](const Simulator& sim) {
    const MachineState& m = sim.machine;
    DiagramView v;
    for (size_t i = 0; i < TraceSignals().size(); ++i) v.rows.push_back(i);
    v.beatWidth = 16;
    v.firstBeat = 50;
    v.width = DiagramView::kLabelWidth + 16 * 60;
    v.height = static_cast<int>(v.rows.size()) * DiagramView::kRowHeight;
    const DiagramDrawing d = DrawDiagram(sim.trace, m.Beat, v);
    std::vector<int> changes(v.rows.size(), 0), texts(v.rows.size(), 0);
    for (int64_t b = 50; b < 110; ++b)
      for (size_t r = 0; r < v.rows.size(); ++r)
        changes[r] += b == 50 || TraceValue(sim.trace.At(b), r) != TraceValue(sim.trace.At(b - 1), r);
    for (const DiagramText& t : d.texts) {
      if (t.ink == Ink::Label) continue;
      const size_t r = static_cast<size_t>(t.y / DiagramView::kRowHeight);
      const int64_t beat = v.BeatAt(static_cast<int>(t.x));
      const int32_t value = TraceValue(sim.trace.At(beat), r);
      char expected[8];
      std::snprintf(expected, sizeof expected, r == 0 ? "%d" : "%02X", value);
      EXPECT_EQ(t.text, expected) << TraceSignals()[r].name << " at beat " << beat;
      ++texts[r];
      ++checkedTexts;
    }
    for (size_t r = 0; r < v.rows.size(); ++r) {
      if (TraceSignals()[r].width > 1) {
        EXPECT_EQ(texts[r], changes[r]) << TraceSignals()[r].name;
        continue;
      }
      const double top = static_cast<double>(r) * DiagramView::kRowHeight;
      for (int64_t b = 50; b < 110; ++b) {
        const double x = DiagramView::kLabelWidth + (static_cast<double>(b - 50) + 0.5) * 16;
        const double want = TraceValue(sim.trace.At(b), r) ? top + 3 : top + DiagramView::kRowHeight - 4;
        bool drawn = false;
        for (const DiagramLine& l : d.lines)
          drawn |= l.y0 == want && l.y1 == want && l.x0 <= x && l.x1 >= x && l.ink == Ink::Signal;
        for (const DiagramLine& l : d.lines)
          drawn |= l.y0 == want && l.y1 == want && l.x0 <= x && l.x1 >= x && l.ink == Ink::Flag;
        EXPECT_TRUE(drawn) << TraceSignals()[r].name << " at beat " << b;
        ++checkedBits;
      }
    }
  };
  ASSERT_EQ(RunScript(in, out, err, options), 0) << err.str();
  EXPECT_GT(checkedTexts, 60);
  EXPECT_EQ(checkedBits, 32 * 60);
}

TEST(TraceExport, TheSvgDrawsEveryRowOfTheWholeHistory) {
  const std::string path = testing::TempDir() + "orrin-trace-drawing.svg";
  std::istringstream in("mode microprogram\npower\nqd\ntick 10\nexport-trace " + path + "\n");
  std::ostringstream out, err;
  ASSERT_EQ(RunScript(in, out, err), 0) << err.str();
  const std::string svg = Slurp(path);
  EXPECT_TRUE(svg.starts_with("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"904\""));  // 64 + 70 beats x 12
  for (const TraceSignal& s : TraceSignals())
    EXPECT_NE(svg.find(std::string(">") + s.name + "</text>"), std::string::npos) << s.name;
  EXPECT_TRUE(svg.ends_with("</svg>\n"));
}

// The headless PNG: a valid image of the same size as the SVG, with every
// row's name inked in the label column and the cursor in red.
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
  EXPECT_EQ(w, 904u);
  EXPECT_EQ(h, TraceSignals().size() * 18 + 4);
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
  for (uint32_t row = 0; row < TraceSignals().size(); ++row) {
    int ink = 0;
    for (uint32_t y = row * 18; y < row * 18 + 16; ++y)
      for (uint32_t x = 4; x < 58; ++x) ink += pixel(x, y) == std::string(3, '\0');
    EXPECT_GT(ink, 4) << TraceSignals()[row].name;
  }
  int cursor = 0;
  for (uint32_t x = 64; x < w; ++x) cursor += pixel(x, 2) == "\xe0\x20\x20";
  EXPECT_EQ(cursor, 2);  // two pixels wide, at the newest beat
}

TEST(TraceExport, RangesAreClampedAndAnEmptyHistoryHasOnlyTheHeader) {
  const Trace t;
  BeatGen beat;
  EXPECT_TRUE(TraceCsv(t, RecordedRange(beat, 0, 1000)).ends_with("RS0\r\n"));
  beat.StepCount = 60000;
  const BeatRange r = RecordedRange(beat, 0, 70000);
  EXPECT_EQ(r.first, 10001);
  EXPECT_EQ(r.last, 60000);
  const BeatRange none = RecordedRange(beat, 70000, 80000);
  EXPECT_GT(none.first, none.last);
}

}  // namespace
}  // namespace orrin
