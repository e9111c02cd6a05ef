#pragma once
// Shortcuts for driving the board into a known display state.
#include <unistd.h>

#include <string>

#include "simulator/access.h"
#include "tests/test_host.h"

namespace orrin {

using enum WidgetId;

inline const std::string& Text(const Board& b, WidgetId id) { return b.sim.view[id].text; }
inline uint32_t Color(const Board& b, WidgetId id) { return b.sim.view[id].color; }
inline Pic Picture(const Board& b, WidgetId id) { return b.sim.view[id].picture; }
inline bool Visible(const Board& b, WidgetId id) { return b.sim.view[id].visible; }

// Microprogram mode with `word` at address 00 and the power on: the word's
// signals are then in force, and every later step executes it again.
inline void RunWord(Board& b, const std::string& word) {
  SetControlStoreEntry(Access(b.sim).machine, 0, "00" + word, word, "");
  b.sim.RadioButtonMicroProgramClick();
  if (b.sim.console.PowerOn != 1) b.sim.SpeedButtonPOWERClick();
}

inline void SmallBeats(Board& b, int n) {
  for (int i = 0; i < n; ++i) b.sim.Button_OneLittleStepClick();
}

}  // namespace orrin

#include <filesystem>
#include <fstream>
#include <sstream>

namespace orrin {

// A folder of its own for a test's files, removed afterwards.
class TempDir {
 public:
  TempDir() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("orrin-panels-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline void WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace orrin
