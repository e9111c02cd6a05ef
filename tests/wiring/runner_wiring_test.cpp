#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/runner.h"
#include "tests/wiring/wiring_util.h"

namespace orrin {
namespace {

// A script host and simulator, driven one command line at a time.
struct Script {
  std::ostringstream out;
  ScriptHost host{out, nullptr};
  Simulator sim{host};
  RunnerContext ctx{sim, host, out};
  std::string error;
  Script() { sim.Startup(); }
  CommandResult Do(const std::string& line) {
    std::istringstream in(line);
    Words w;
    for (std::string s; in >> s;) w.push_back(s);
    error.clear();
    ctx.line = line;
    return RunWiringCommand(ctx, FindCommand(w[0]).value_or(Cmd::Count), w, error);
  }
};

TEST(RunnerWiring, WireClicksTheJackCentresAndTheBendsInOrder) {
  Script s;
  EXPECT_EQ(s.Do("wire LDC K0 700,450 -20,600"), CommandResult::Done);
  const Wire& w = s.sim.wires.WireAt(0);
  EXPECT_EQ(w.From, jack::K0);
  EXPECT_EQ(w.To, jack::LDC);
  EXPECT_EQ(w.Points, (std::vector<WirePoint>{{619, 413}, {700, 450}, {0, 577}, {742, 514}}));

  EXPECT_EQ(s.Do("wire VCC#2 CIN"), CommandResult::Done);
  EXPECT_EQ(s.Do("wire GND M"), CommandResult::Done);
  EXPECT_EQ(s.Do("wire GND#1 LDZ"), CommandResult::Done);
  EXPECT_EQ(s.sim.wires.WireAt(1).From, jack::VCC2);
  EXPECT_EQ(s.sim.wires.WireAt(2).From, jack::GND1);
  EXPECT_EQ(s.sim.wires.WireAt(3).From, jack::GND1);
  EXPECT_EQ(s.Do("move 10 10"), CommandResult::Done);
  EXPECT_EQ(s.Do("release 742 514 right"), CommandResult::Done);  // starts: nothing to abandon
  EXPECT_EQ(s.sim.editor.WireDrawing, 1);
  EXPECT_EQ(s.Do("release 300 -5 right"), CommandResult::Done);
  EXPECT_EQ(s.sim.editor.WireDrawing, 0);
  EXPECT_EQ(s.Do("release 742 514 middle"), CommandResult::Done);
  EXPECT_EQ(s.Do("release 645 413 left"), CommandResult::Done);
  EXPECT_EQ(s.sim.wires.Find(jack::K0, jack::LDZ), 4);
}

TEST(RunnerWiring, BadArgumentsAreRefusedWithAClearMessage) {
  Script s;
  const std::pair<const char*, const char*> kBad[] = {
      {"wire K0", "wire needs two jacks: wire A B [X,Y ...]"},
      {"wire K0 LDX", "wire: no jack named 'LDX'"},
      {"wire VCC#3 LDC", "wire: no jack named 'VCC#3'"},
      {"wire K32 LDC", "wire: no jack named 'K32'"},
      {"wire K0 LDC 10;20", "wire: a bend point is X,Y, not '10;20'"},
      {"wire K0 LDC 10,", "wire: a bend point is X,Y, not '10,'"},
      {"move 10", "move needs two picture coordinates: move X Y"},
      {"move 10 y", "move needs two picture coordinates: move X Y"},
      {"release 1 2 both", "release: the button is left, right or middle, not 'both'"},
      {"release 1 2 left 4", "release needs two picture coordinates: release X Y [left|right|middle]"},
      {"release - 2", "release needs two picture coordinates: release X Y [left|right|middle]"},
      {"clear-wires now", "clear-wires takes no arguments (answer its question with 'answer' first)"},
      {"load-wires", "load-wires needs a file name (- for a cancelled dialog)"},
      {"hover 1", "hover needs two picture coordinates: hover X Y"},
      {"hover-k 32 1 1", "hover-k needs a switch number 0-31 and two coordinates: hover-k N X Y"},
      {"blink now", "blink takes no arguments"},
      {"wire-colour 12345G", "wire-colour needs a colour RRGGBB, or - for a cancelled dialog"},
      {"wire-colour", "wire-colour needs a colour RRGGBB, or - for a cancelled dialog"},
  };
  for (const auto& [line, message] : kBad) {
    EXPECT_EQ(s.Do(line), CommandResult::Error) << line;
    EXPECT_EQ(s.error, message);
  }
  EXPECT_EQ(s.sim.wires.CountInUse(), 0);
  EXPECT_EQ(s.sim.editor.WireDrawing, 0);  // a refused wire clicked nothing
  EXPECT_EQ(s.Do("power"), CommandResult::NotMine);
}

TEST(RunnerWiring, FileCommandsAnswerTheDialogAndLeaveNoNameBehind) {
  Script s;
  const std::string path =
      (std::filesystem::temp_directory_path() / "orrin runner wiring test.txt").string();  // a name with spaces
  s.Do("wire K0 LDC 700,450");
  EXPECT_EQ(s.Do("save-wires " + path), CommandResult::Done);
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "0000004900F0CAA602E6020202BC01C2026B019D\r\n");

  s.sim.SpeedButtonPOWERClick();
  EXPECT_EQ(s.Do("load-wires " + path), CommandResult::Done);
  EXPECT_FALSE(s.host.nextFile.has_value());  // refused before the dialog
  s.sim.SpeedButtonPOWERClick();
  s.host.nextAnswer = Answer::Yes;
  EXPECT_EQ(s.Do("load-wires " + path), CommandResult::Done);
  EXPECT_EQ(s.sim.wires.CountInUse(), 1);
  EXPECT_EQ(s.Do("save-wires -"), CommandResult::Done);
  EXPECT_EQ(s.out.str(), "警告: 通电状态不能读取连线文件。\n? 读连线文件前要清除现有连线，要继续吗？ -> yes\n");
  std::filesystem::remove(path);
}

TEST(RunnerWiring, MovingOntoACoordinateLabelHidesIt) {
  Script s;
  s.Do("release 742 514");
  s.Do("release 700 450");
  ASSERT_EQ(s.sim.view.pointLabels.size(), 2u);
  s.Do("move 712 441");  // inside the label of the bend, drawn at (710, 440)
  EXPECT_FALSE(s.sim.view.pointLabels[1].visible);
  EXPECT_TRUE(s.sim.view.pointLabels[0].visible);
}

TEST(RunnerWiring, AHashInsideAWordIsPartOfTheJackName) {
  std::istringstream script("wire VCC#2 CIN   # the right-hand VCC\nwire GND#2 M#not a comment start\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunScript(script, out, err), 2);
  EXPECT_EQ(err.str(), "line 2: wire: no jack named 'M#not'\n");
}

}  // namespace
}  // namespace orrin
