// Every wiring shipped in examples/wiring loads cleanly, is written back
// unchanged, and runs its experiment (NAME.orrin) to the output kept with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/runner.h"
#include "tests/slurp.h"
#include "tests/wiring/wiring_util.h"

namespace orrin {
namespace {

namespace fs = std::filesystem;

const fs::path kDir = fs::path(ORRIN_SOURCE_DIR) / "examples" / "wiring";

std::vector<fs::path> WireFiles() {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(kDir))
    if (e.path().extension() == ".txt") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

TEST(Examples, EveryWiringLoadsWithoutErrorsAndIsWrittenBackUnchanged) {
  const auto files = WireFiles();
  ASSERT_EQ(files.size(), 4u);  // microprogram, ALU, memory, datapath
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    Board b;
    b.host.openNames.push_back(file.string());
    b.sim.N_ReadLineFileClick();
    const std::string bytes = Slurp(file);
    const auto lines = std::count(bytes.begin(), bytes.end(), '\n');
    EXPECT_TRUE(b.host.warnings.empty());
    EXPECT_EQ(b.sim.wires.CountInUse(), lines);
    EXPECT_EQ(b.sim.view[WidgetId::Label_LineCount].text, std::to_string(lines));
    EXPECT_EQ(b.sim.editor.WrongInputCount, 0);

    const fs::path copy = fs::temp_directory_path() / ("orrin_example_" + file.filename().string());
    b.host.saveNames.push_back(copy.string());
    b.sim.N_SaveLineFileClick();
    EXPECT_EQ(Slurp(copy), bytes);
    fs::remove(copy);

    b.sim.SpeedButtonPOWERClick();
    EXPECT_EQ(b.sim.console.PowerOn, 1);
  }
}

TEST(Examples, EveryWiringRunsItsExperiment) {
  const fs::path before = fs::current_path();
  fs::current_path(kDir);  // the scripts name their wire file relatively
  for (const fs::path& file : WireFiles()) {
    fs::path script = file, expected = file;
    script.replace_extension(".orrin");
    expected.replace_extension(".expected");
    SCOPED_TRACE(script.filename().string());
    ASSERT_TRUE(fs::exists(script) && fs::exists(expected));
    std::ifstream in(script);
    std::ostringstream out, err;
    EXPECT_EQ(RunScript(in, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), Slurp(expected));
  }
  fs::current_path(before);
}

}  // namespace
}  // namespace orrin
