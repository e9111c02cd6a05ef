#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/wire_format.h"
#include "simulator/access.h"
#include "tests/slurp.h"
#include "tests/wiring/wiring_util.h"

namespace orrin {
namespace {

using enum WidgetId;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

const std::string kExample = "0000004900F0CAA602E6020202BC01C2026B019D";

struct WireFile : ::testing::Test {
  RecordingHost host;
  Simulator sim{host};
  fs::path dir;

  WireFile() {
    sim.cleanBoard = PatternedBoard();
    sim.Startup();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() / (std::string("orrin_wirefile_") + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~WireFile() override { fs::remove_all(dir); }

  std::string Write(const std::string& name, const std::string& bytes) {
    const fs::path p = dir / name;
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
  }
  void Read(const std::string& path) {
    host.openNames.push_back(path);
    sim.N_ReadLineFileClick();
  }
  std::string Save() {
    const std::string path = (dir / "saved.txt").string();
    host.saveNames.push_back(path);
    sim.N_SaveLineFileClick();
    return Slurp(path);
  }
  const Wire& W(int i) const { return sim.wires.WireAt(i); }
};

TEST_F(WireFile, AFileWithoutOneWireIsRefusedBeforeTheQuestionThatClearsTheWires) {
  Read(Write("example.txt", kExample + "\r\n"));
  ASSERT_EQ(sim.wires.CountInUse(), 1);
  host.answers.push_back(Answer::Yes);
  // A memory file, a microprogram, a wire into an output: nothing the board could take.
  for (const std::string& text :
       {std::string(512, '0'), std::string("00:0C00000041\r\n"), std::string("0032000000FF00000100010001000100\r\n")}) {
    host.warnings.clear();
    Read(Write("other.txt", text));
    EXPECT_TRUE(host.questions.empty()) << text;
    EXPECT_EQ(host.warnings, (std::vector<std::string>{"连线文件中没有一条能读出的连线，连线未改变：" +
                                                       (dir / "other.txt").string()}));
    EXPECT_EQ(sim.wires.CountInUse(), 1);
  }
  // One wire among junk: asked, cleared, loaded, the junk named.
  host.warnings.clear();
  Read(Write("some.txt", "junk 12\r\n" + kExample + "\r\n"));
  EXPECT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(sim.wires.CountInUse(), 1);
  EXPECT_EQ(host.warnings, (std::vector<std::string>{"连线文件第 1 行无法读取，已跳过。"}));
}

TEST_F(WireFile, TheExampleLineIsOneWireFromK0ToLdcWithThreePoints) {
  Read(Write("example.txt", kExample + "\r\n"));
  ASSERT_EQ(sim.wires.CountInUse(), 1);
  EXPECT_EQ(W(0).From, jack::K0);
  EXPECT_EQ(W(0).To, jack::LDC);
  EXPECT_EQ(W(0).Color, 0x00F0CAA6u);
  EXPECT_EQ(W(0).Points, (std::vector<WirePoint>{{742, 514}, {700, 450}, {619, 413}}));
  EXPECT_EQ(sim.view[Memo_WireOut].lines, Lines{"K0 --> LDC"});
  EXPECT_EQ(sim.view[Label_LineCount].text, "1");
  EXPECT_EQ(JackOf(sim, jack::K0).WireCount, 1);
  EXPECT_EQ(JackOf(sim, jack::K0).Targets[0], jack::LDC);
  EXPECT_TRUE(host.questions.empty());
}

TEST_F(WireFile, AWireDrawnInTheEditorIsSavedAsTheExampleLine) {
  DrawWireBetween(sim, jack::K0, jack::LDC, {{700, 450}});
  EXPECT_EQ(Save(), kExample + "\r\n");
}

TEST_F(WireFile, SavingAndReadingBackReproducesEveryWireAndThePicture) {
  DrawWireBetween(sim, jack::K0, jack::LDC, {{700, 450}});
  DrawWireBetween(sim, K1, jack::LDZ, {{680, 300}, {640, 380}});
  host.color = 0x00102030;
  sim.Button_SetColorClick();
  DrawWireBetween(sim, jack::IR7I, jack::IR7O, {{20, 5}});
  DrawWireBetween(sim, jack::VCC2, jack::CIN);
  DrawWireBetween(sim, jack::LDZ, K1);  // frees record 1: the file has no gap
  const auto picture = Pixels(sim.canvas);
  const std::string saved = Save();

  std::vector<Wire> expected;
  for (const Wire& w : sim.wires.Wires())
    if (w.InUse) expected.push_back(w);
  ASSERT_EQ(expected.size(), 3u);

  host.answers = {Answer::Yes};
  Read((dir / "saved.txt").string());
  EXPECT_EQ(host.questions, Lines{"读连线文件前要清除现有连线，要继续吗？"});
  ASSERT_EQ(sim.wires.CountInUse(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(W(i).From, expected[static_cast<size_t>(i)].From);
    EXPECT_EQ(W(i).To, expected[static_cast<size_t>(i)].To);
    EXPECT_EQ(W(i).Color, expected[static_cast<size_t>(i)].Color);
    EXPECT_EQ(W(i).Points, expected[static_cast<size_t>(i)].Points);
  }
  EXPECT_EQ(Pixels(sim.canvas), picture);
  EXPECT_EQ(Save(), saved);
}

TEST_F(WireFile, DigitsMayBeLowerCaseAndSpacedWithBlanksAndTabs) {
  Read(Write("spaced.txt", "00000049 00f0caa6\t02e60202 026b019d\r\n"));
  ASSERT_EQ(sim.wires.CountInUse(), 1);
  EXPECT_EQ(W(0).Points, (std::vector<WirePoint>{{742, 514}, {619, 413}}));
}

TEST_F(WireFile, MalformedLinesAreSkippedOneByOne) {
  const std::string good1 = "0000004900F0CAA602E6020202BC01C2026B019D";
  const std::string good2 = "0001004A00000000000A000B";                                // K1 -> LDZ, one point
  const std::string file = good1 + "\r\n" + "0000004900F0CAA602E602020202" + "\r\n" +  // 28 digits: not whole points
                           "002A004900F0CAA602E60202" + "\r\n" +                       // jack 42 is an empty slot
                           "0000002000F0CAA602E60202" + "\r\n" +                       // two outputs
                           "0049000000F0CAA602E60202" + "\r\n" +                       // an input as the output end
                           "0064004900F0CAA602E60202" + "\r\n" +                       // jack 100
                           "0000006400F0CAA602E60202" + "\r\n" +                       // jack 100 as input
                           "0005004A00F0CAA6" + "\r\n" +                               // no points
                           "0005004A" + "\r\n" +                                       // not even a colour
                           good1 + "\r\n" +                                            // the same pair again
                           "XYZ!" + "\r\n" + good2 + "\r\n";
  Read(Write("mixed.txt", file));
  ASSERT_EQ(sim.wires.CountInUse(), 2);
  EXPECT_EQ(W(0).To, jack::LDC);
  EXPECT_EQ(W(1).From, K1);
  EXPECT_EQ(W(1).To, jack::LDZ);
  EXPECT_EQ(W(1).Points, (std::vector<WirePoint>{{10, 11}}));
  EXPECT_EQ(JackOf(sim, K5).WireCount, 0);
  // No wire goes missing unnoticed; the line without a digit is a blank line.
  EXPECT_EQ(host.warnings, (Lines{"连线文件第 2, 3, 4, 5, 6, 7, 8, 9, 10 行无法读取，已跳过。"}));
}

TEST_F(WireFile, EveryLineEndInAnyMixEndsALineAndNoWireIsLost) {
  const std::string a = "0000004900F0CAA602E6020202BC01C2026B019D";
  const std::string b = "0001004A00F0CAA602BC020202BC01C2";
  const std::string c = "0003004500F0CAA6026902020269019D";
  const std::string d = "0005004700F0CAA6021602020216019D";
  const std::vector<std::string> files = {
      a + "\n" + b + "\r" + c + "\n\n" + d,                     // LF, CR, a blank line, no end at all
      a + "\r\n" + b + "\r\n" + c + "\n" + d + "\n",            // CR LF, then lines appended by a Linux tool
      a + "\n" + b + "\n" + c + "\n" + d + "\r\n",              // LF, the last line from Windows
      "\xEF\xBB\xBF" + a + "\r\n" + b + "\r" + c + "\r\n" + d,  // a byte-order mark
  };
  for (size_t f = 0; f < files.size(); ++f) {
    if (sim.wires.CountInUse() > 0) sim.ClearAllWires();
    Read(Write("ends" + std::to_string(f) + ".txt", files[f]));
    ASSERT_EQ(sim.wires.CountInUse(), 4) << "file " << f;
    EXPECT_EQ(W(0).From, 0);
    EXPECT_EQ(W(1).From, 1);
    EXPECT_EQ(W(2).From, 3);
    EXPECT_EQ(W(3).From, 5);
    EXPECT_TRUE(host.warnings.empty()) << "file " << f;
  }

  // A line broken in two by a stray line end gives two lines that cannot be
  // read, and says so.
  sim.ClearAllWires();
  Read(Write("broken.txt", a + "\r\n" + b.substr(0, 20) + "\n" + b.substr(20) + "\r\n" + c + "\r\n"));
  EXPECT_EQ(sim.wires.CountInUse(), 2);
  EXPECT_EQ(host.warnings, (Lines{"连线文件第 2, 3 行无法读取，已跳过。"}));

  // Many such lines: the first ten are named.
  std::string many = a + "\r\n";
  for (int i = 0; i < 12; ++i) many += "123\r\n";
  sim.ClearAllWires();
  Read(Write("many.txt", many));
  EXPECT_EQ(host.warnings.back(), "连线文件第 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, … 行无法读取，已跳过。");

  std::vector<std::string> lines;
  std::vector<int64_t> numbers;
  ForEachWireLine("12\r\r3x4\n\n5\r\n", [&](std::string_view l, int64_t n) {
    lines.emplace_back(l);
    numbers.push_back(n);
  });
  EXPECT_EQ(lines, (Lines{"12", "", "34", "", "5"}));
  EXPECT_EQ(numbers, (std::vector<int64_t>{1, 2, 3, 4, 5}));
}

TEST_F(WireFile, OnlyTheFirst8192PointsAndTheFirst1400WiresOfAFileAreTaken) {
  std::string longLine = "0000004900000000";
  for (int i = 0; i < 8200; ++i) longLine += "00010002";
  std::string file = longLine + "\r\n";
  int pairs = 0;
  char buf[64];
  for (int o = 0; o <= 41; ++o)
    for (int i = 50; i <= 83; ++i, ++pairs) {
      std::snprintf(buf, sizeof buf, "%04X%04X0000000000640064\r\n", o, i);
      file += buf;
    }
  Read(Write("big.txt", file));
  EXPECT_EQ(W(0).Points.size(), 8192u);
  EXPECT_EQ(sim.wires.CountInUse(), WireCapacity);
  EXPECT_EQ(sim.wires.Find(41, 83), -1);
  EXPECT_EQ(pairs, 1428);
}

TEST_F(WireFile, AFileOverTheLimitIsRefusedBeforeTheWiringIsCleared) {
  DrawWireBetween(sim, jack::K0, jack::LDC);
  std::string atLimit = kExample + "\r\n";
  atLimit += std::string(WireFileLimit - atLimit.size(), ' ');
  ASSERT_EQ(atLimit.size(), 598016u);
  host.answers = {Answer::Yes};
  Read(Write("at.txt", atLimit));
  EXPECT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(sim.wires.CountInUse(), 1);
  EXPECT_TRUE(host.warnings.empty());

  Read(Write("over.txt", atLimit + " "));
  EXPECT_EQ(host.warnings, Lines{"连线文件太大，未读取。"});
  EXPECT_EQ(host.questions.size(), 1u);  // not asked
  EXPECT_EQ(sim.wires.CountInUse(), 1);
}

TEST_F(WireFile, ReadingAsksBeforeClearingAndIsRefusedWithThePowerOn) {
  const std::string path = Write("one.txt", "0001004A00F0CAA602BC020202BC01C2\r\n");
  DrawWireBetween(sim, jack::K0, jack::LDC);
  host.answers = {Answer::No, Answer::Cancel};
  Read(path);
  Read(path);
  EXPECT_EQ(host.questions.size(), 2u);
  EXPECT_EQ(W(0).To, jack::LDC);

  sim.SpeedButtonPOWERClick();
  Read(path);
  EXPECT_EQ(host.warnings, Lines{"通电状态不能读取连线文件。"});
  EXPECT_EQ(host.openNames.size(), 1u);  // refused before the dialog
  EXPECT_EQ(sim.wires.CountInUse(), 1);
  sim.SpeedButtonPOWERClick();
  host.openNames.clear();

  const auto picture = Pixels(sim.canvas);
  host.answers = {Answer::Yes};
  Read(path);
  EXPECT_EQ(sim.wires.CountInUse(), 1);
  EXPECT_EQ(W(0).From, K1);
  EXPECT_NE(Pixels(sim.canvas), picture);
  Access(sim).editor.DrawWire(0);
  EXPECT_EQ(Pixels(sim.canvas), sim.cleanBoard);
}

TEST_F(WireFile, FilesThatCannotBeReadOrWrittenAreNamedInAWarning) {
  DrawWireBetween(sim, jack::K0, jack::LDC);
  const std::string missing = (dir / "missing.txt").string();
  Read(missing);
  Read(dir.string());  // a folder
  EXPECT_EQ(host.warnings, (Lines{"无法读取文件：" + missing, "无法读取文件：" + dir.string()}));
  EXPECT_EQ(sim.wires.CountInUse(), 1);

  const std::string nowhere = (dir / "no" / "such" / "dir.txt").string();
  host.saveNames.push_back(nowhere);
  sim.N_SaveLineFileClick();
  EXPECT_EQ(host.warnings.back(), "无法写入文件：" + nowhere);

  host.warnings.clear();
  sim.N_SaveLineFileClick();  // cancelled: nothing at all
  sim.N_ReadLineFileClick();
  EXPECT_TRUE(host.warnings.empty());
  EXPECT_TRUE(host.questions.empty());
}

TEST_F(WireFile, AWireBeingDrawnWhileAFileIsReadKeepsItsOwnColour) {
  ClickJack(sim, jack::K0);
  sim.Image_WireDrawMouseMove(700, 450);
  // No wires yet, so nothing is cleared and the drawing goes on; the loaded
  // wire is drawn in red, the rubber band must stay in the wire colour.
  Read(Write("red.txt", "0001004A000000FF02BC020202BC01C2\r\n"));
  sim.Image_WireDrawMouseMove(690, 440);
  ClickJack(sim, jack::LDC);
  ASSERT_EQ(sim.wires.CountInUse(), 2);
  Access(sim).editor.DrawWire(0);
  Access(sim).editor.DrawWire(1);
  EXPECT_EQ(Pixels(sim.canvas), sim.cleanBoard);
}

}  // namespace
}  // namespace orrin
