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

TEST(CommandTable, MenuItemsAreFileCommandsAndKeysAreClicks) {
  std::set<WidgetId> items;
  for (size_t i = 0; i < kMenuCommandCount; ++i) {
    const MenuCommand& m = kMenuCommands[i];
    EXPECT_TRUE(items.insert(m.item).second) << Info(m.item).name << " twice";
    EXPECT_EQ(Info(m.item).kind, WidgetKind::Menu) << Info(m.item).name;
    EXPECT_TRUE(IsFileCommand(m.command)) << Info(m.item).name;
    // A load offers extensions to pick, a save a name to propose.
    const std::string file = m.file;
    EXPECT_EQ(Info(m.command).file == FileUse::Save, file.find('.') > 0 && !file.starts_with('.')) << file;
  }
  std::set<std::string> keys;
  for (size_t i = 0; i < kConsoleKeyCount; ++i) {
    EXPECT_TRUE(keys.insert(kConsoleKeys[i].key).second) << kConsoleKeys[i].key << " twice";
    EXPECT_FALSE(ClickLine(kConsoleKeys[i].widget).empty()) << kConsoleKeys[i].key << " does nothing";
  }
}

TEST(CommandTable, ACommandInItsWordsKeepsBlanksAndHashesThatALineWouldLose) {
  Script s;
  s.Do("power");
  std::string error;
  bool acted = false;
  // A cell typed "1 2" is one text (too long for a byte: the cell keeps it as typed).
  EXPECT_TRUE(RunCommand(s.ctx, {"mem-cell", "00", "1 2"}, error, acted)) << error;
  EXPECT_TRUE(acted);
  EXPECT_EQ(s.sim.view.Cell(WidgetId::StringGrid_MEM, 1, 1), "1 2");
  EXPECT_NE(s.Do("mem-cell 00 1 2"), "") << "as a line, the same is two texts";
  // A '#' is part of the value, not a comment.
  EXPECT_TRUE(RunCommand(s.ctx, {"edit", "R1", "#5"}, error, acted)) << error;
  EXPECT_EQ(s.sim.machine.Regs.R[1], 5);
  s.Do("edit R1 0");
  s.Do("edit R1 #5");
  EXPECT_EQ(s.sim.machine.Regs.R[1], 0) << "as a line, the '#' starts a comment: nothing is typed";
  // A bad command is refused as on a line; nothing is nothing.
  EXPECT_FALSE(RunCommand(s.ctx, {"edit", "R9", "1"}, error, acted));
  EXPECT_FALSE(acted);
  EXPECT_FALSE(RunCommand(s.ctx, {"frobnicate"}, error, acted));
  EXPECT_EQ(error, "unknown command 'frobnicate'");
  EXPECT_TRUE(RunCommand(s.ctx, {}, error, acted));
  EXPECT_FALSE(acted);
}

}  // namespace
}  // namespace orrin
