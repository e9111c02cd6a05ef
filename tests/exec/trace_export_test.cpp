// The exported history read back: every beat of the CSV and the VCD equals
// what `dump` printed at that beat; ranges are clamped to the ring.
#include "machine/trace_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "app/runner.h"
#include "tests/slurp.h"

namespace orrin {
namespace {

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
