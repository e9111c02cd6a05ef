// The command table is the one list of the user's actions: every word in it
// is a command orrin-run performs, a click's line is what the session records
// for that click, and a command's kind decides what it does to a playback.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "app/runner.h"
#include "simulator/commands.h"

namespace orrin {
namespace {

struct Script {
  std::ostringstream out;
  ScriptHost host{out, nullptr};
  Simulator sim{host};
  RunnerContext ctx{sim, host, out};
  Script() { sim.Startup(); }
  std::string Do(const std::string& line) {
    std::string error;
    bool acted = false;
    RunLine(ctx, line, error, acted);
    return error;
  }
};

TEST(CommandTable, EveryWordIsOneCommandThatTheRunnerKnows) {
  std::set<std::string_view> words;
  for (size_t i = 0; i < static_cast<size_t>(Cmd::Count); ++i) {
    const Cmd c = static_cast<Cmd>(i);
    EXPECT_TRUE(words.insert(Word(c)).second) << Word(c) << " twice";
    EXPECT_EQ(FindCommand(Word(c)), c);
    Script s;
    // Without its arguments a command may be a bad line, but never an unknown one.
    EXPECT_EQ(s.Do(std::string(Word(c))).find("unknown command"), std::string::npos) << Word(c);
  }
  EXPECT_FALSE(FindCommand("Power"));
  EXPECT_FALSE(FindCommand(""));
  EXPECT_EQ(Script().Do("frobnicate"), "unknown command 'frobnicate'");
}

TEST(CommandTable, AClicksLineIsWhatTheSessionRecordsForIt) {
  for (int i = 0; i < WidgetCount; ++i) {
    const auto id = static_cast<WidgetId>(i);
    const std::string line = ClickLine(id);
    if (line.empty()) continue;
    Script s;
    s.sim.session.Start(true);
    ASSERT_EQ(s.Do(line), "") << line;
    // A disabled button takes no click, so nothing is recorded for it; the
    // answer to a click's question goes before its line.
    const std::vector<std::string>& lines = s.sim.session.Lines();
    if (s.sim.view[id].enabled)
      ASSERT_TRUE(!lines.empty() && lines.back() == line) << Info(id).name;
    else
      ASSERT_TRUE(lines.empty()) << Info(id).name;
  }
  EXPECT_EQ(ClickLine(WidgetId::Image_K17), "k 17");
  EXPECT_EQ(ClickLine(WidgetId::Image_SD0), "sd 0");
  EXPECT_EQ(ClickLine(WidgetId::RadioButtonHandLine), "mode independent");
  EXPECT_EQ(ClickLine(WidgetId::Edit_R0), "");
}

TEST(CommandTable, FilesAndKindsFollowTheTable) {
  EXPECT_TRUE(IsFileCommand("load-wires"));
  EXPECT_TRUE(IsFileCommand("save-micro"));
  EXPECT_FALSE(IsFileCommand("export-trace")) << "its path is a word, not the rest of the line";
  EXPECT_TRUE(IsWriteCommand("export-trace"));
  EXPECT_FALSE(IsWriteCommand("load-asm"));
  EXPECT_FALSE(IsFileCommand("nonsense"));
  EXPECT_EQ(CommandLine(Cmd::HoverK, 3, 10, 20), "hover-k 3 10 20");
  EXPECT_EQ(CommandLine(Cmd::Edit, "R0", ""), "edit R0 ") << "an empty text keeps its place";

  // A look keeps a shown position, an action returns to the newest one.
  Script s;
  for (const char* line : {"power", "step", "step", "step", "back", "back"}) ASSERT_EQ(s.Do(line), "");
  ASSERT_EQ(s.sim.machine.Beat.ViewPos, 1);
  for (const char* line : {"dump", "print R0", "hover 10 10", "expect R0=00", "choose 1"}) {
    ASSERT_EQ(s.Do(line), "") << line;
    EXPECT_EQ(s.sim.machine.Beat.ViewPos, 1) << line;
  }
  ASSERT_EQ(s.Do("k 3"), "");
  EXPECT_EQ(s.sim.machine.Beat.ViewPos, 3);
}

}  // namespace
}  // namespace orrin
