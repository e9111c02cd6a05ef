// The orrin-run commands of the panels, run as scripts.
#include <gtest/gtest.h>

#include <sstream>

#include "app/runner.h"
#include "tests/panels/panel_test_util.h"

namespace orrin {
namespace {

struct ScriptRun {
  int status;
  std::string out, err;
};
ScriptRun RunText(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out, err;
  const int status = RunScript(in, out, err);
  return {status, out.str(), err.str()};
}

TEST(PanelCommands, EditGridsAndFilesThroughAScript) {
  TempDir dir;
  const std::string mem = dir.File("mem.txt"), micro = dir.File("micro.txt");
  const ScriptRun r = RunText(
      "power\n"
      "edit R1 5a\n"
      "edit R2\n"  // empty text: nothing stored, no error
      "mem-cell 1F 7\n"
      "mem-cell 20\n"
      "mem-save\n"
      "save-memory " +
      mem +
      "\n"
      "micro-cell 3f abcdef0123\n"
      "micro-save\n"
      "save-micro " +
      micro +
      "\n"
      "load-micro -\n"  // cancelled: nothing happens
      "power\n"
      "save-memory " +
      mem + "\n");  // refused with the power off
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "警告: 电源没开，内存没有数据，不能备份！\n");
  const std::string saved = ReadFile(mem);
  ASSERT_EQ(saved.size(), 512u);
  EXPECT_EQ(saved.substr(0x1F * 2, 4), "0700");
  const std::string backup = ReadFile(micro);
  EXPECT_NE(backup.find("3F:ABCDEF0123\r\n"), std::string::npos);
}

TEST(PanelCommands, FileCommandsReportUnusableFiles) {
  const ScriptRun r = RunText("power\nload-memory /nonexistent/m.txt\nload-micro /nonexistent/u.txt\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "警告: 无法读取文件：/nonexistent/m.txt\n警告: 无法读取文件：/nonexistent/u.txt\n");
}

TEST(PanelCommands, BadArgumentsStopTheScriptWithTheLineNumber) {
  for (const char* line : {"edit", "edit R9 1", "edit R1 1 2", "mem-cell 100 1", "mem-cell zz", "micro-cell 40 1",
                           "mem-save now", "load-memory"}) {
    const ScriptRun r = RunText(std::string("power\n") + line + "\n");
    EXPECT_EQ(r.status, 2) << line;
    EXPECT_EQ(r.err.rfind("line 2: ", 0), 0u) << line << ": " << r.err;
  }
}

}  // namespace
}  // namespace orrin
