// A recorded session must do again what the window did: random window
// sessions (every kind of action, answers, dialogs, colours and run-timer
// ticks) are recorded, replayed by orrin-run, and every widget compared.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "app/runner.h"
#include "tests/test_host.h"

namespace orrin {
namespace {

using enum WidgetId;

const std::string kExamples = std::string(ORRIN_SOURCE_DIR) + "/examples/";

// The window's run timer between two frames: ticks while it is enabled; the
// window looks at the board after each frame, which ends the ticks' line.
void Frame(Simulator& sim, int ticks) {
  {
    const ViewHold hold(sim);
    for (int i = 0; i < ticks && sim.console.Timer_RUN.enabled; ++i) sim.Timer_RUNTimer();
  }
  sim.session.Break();
}

class WindowSession {
 public:
  explicit WindowSession(uint32_t seed) : rng_(seed) {
    scratch_ = std::filesystem::temp_directory_path() / ("orrin session " + std::to_string(seed));
    std::filesystem::create_directories(scratch_);
    board_.sim.session.Start(true);
  }
  ~WindowSession() { std::filesystem::remove_all(scratch_); }

  Simulator& sim() { return board_.sim; }

  void Act() {
    Simulator& s = board_.sim;
    RecordingHost& h = board_.host;
    switch (Pick(27)) {
      case 0:
        s.Button_OneLittleStepClick();
        break;
      case 1:
        s.ToggleLevelSwitch(Pick(32));
        break;
      case 2:
        s.ToggleDataSwitch(Pick(8));
        break;
      case 3:
        s.SpeedButtonQDClick();
        break;
      case 4:
        Frame(s, 1 + Pick(60));
        break;
      case 5:
        s.Button_PAUSEClick();
        break;
      case 6:
        Pick(2) ? s.SpeedButton_BackLeftClick() : s.SpeedButton_BackRightClick();
        break;
      case 7:
        s.SpeedButton_PULSEClick();
        break;
      case 8:
        Pick(4) == 0 ? s.Image_DPClick() : Pick(2) ? s.Image_SWAClick() : s.Image_SWBClick();
        break;
      case 9: {
        static constexpr WidgetId kFields[] = {Edit_R0, Edit_R3, Edit_AR, Edit_PC, Edit_IR, Edit_C, Edit_uAR};
        const WidgetId f = kFields[Pick(7)];
        if (!s.view[f].readOnly) s.view.Writable(f).text = Hex2(Pick(256)).view();
        s.EditKeyPress(f, 13);
        break;
      }
      case 10:
        s.SpeedButtonCLRClick();
        break;
      case 11:
        s.SpeedButtonPOWERClick();
        break;
      case 12:
        Pick(3) == 0 ? s.RadioButtonHandLineClick() : s.RadioButtonMicroProgramClick();
        break;
      case 13:
        Pick(2) ? s.Button_CloseNowHandClick() : s.Button_CloseNowMicroClick();
        break;
      case 14:
        s.ShowPosition(std::max<int64_t>(0, s.machine.Beat.StepCount - Pick(30)));
        break;
      case 15: {
        // A click on the picture: the mouse is there first.
        const int x = 640 + Pick(200), y = 400 + Pick(200);
        s.Image_WireDrawMouseMove(x, y);
        if (Pick(2)) s.Image_WireDrawMouseUp(Pick(5) ? MouseButton::Left : MouseButton::Right, x, y);
        break;
      }
      case 16:
        s.Image_KMouseMove(Pick(32), Pick(10), Pick(50));
        break;
      case 17:
        Pick(2) ? s.PointLabelMouseMove() : s.Panel_KEYMouseMove();
        break;
      case 18:
        s.Timer_WrongLineTimer();
        break;
      case 19:
        h.color = Pick(3) ? std::optional<uint32_t>(rng_() & 0xFFFFFF) : std::nullopt;
        s.Button_SetColorClick();
        break;
      case 20:
        Answers();
        s.Button_delLineClick();
        break;
      case 21: {
        static constexpr const char* kWirings[] = {"alu", "memory", "datapath", "microprogram"};
        Answers();
        h.openNames = {Pick(6) ? kExamples + "wiring/" + kWirings[Pick(4)] + ".txt" : ""};
        s.N_ReadLineFileClick();
        break;
      }
      case 22:
        s.TypeGridCell(StringGrid_MEM, 1 + Pick(16), 1 + Pick(16), std::string(Hex2(Pick(256)).view()));
        if (Pick(2)) s.Button_GridToMEMClick();
        break;
      case 23:
        h.openNames = {kExamples + (Pick(2) ? "memory/sum.txt" : "memory/copy.txt")};
        s.N_File2MEMClick();
        break;
      case 24:
        h.openNames = {kExamples + (Pick(2) ? "asm/sum.asm" : "asm/interrupt.asm")};
        s.N_Asm2MEMClick();
        break;
      case 25:
        h.saveNames = {(scratch_ / "saved memory.txt").string()};
        s.N_MEM2FileClick();
        break;
      default:
        h.openNames = {kExamples + "microprogram/default.txt"};
        s.N_ReadMicroFileClick();
        break;
    }
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  void Answers() { board_.host.answers = {Pick(3) ? Answer::Yes : Pick(2) ? Answer::No : Answer::Cancel}; }

  std::mt19937 rng_;
  std::filesystem::path scratch_;
  Board board_;
};

void ExpectSameBoard(const Simulator& window, const Simulator& replay, const std::string& script) {
  for (int i = 0; i < WidgetCount; ++i) {
    const auto id = static_cast<WidgetId>(i);
    ASSERT_TRUE(window.view[id] == replay.view[id]) << Info(id).name << " differs: '" << window.view[id].text
                                                    << "' against '" << replay.view[id].text << "'; the session:\n"
                                                    << script;
  }
  ASSERT_EQ(window.view.pointLabels.size(), replay.view.pointLabels.size()) << script;
  for (size_t i = 0; i < window.view.pointLabels.size(); ++i)
    ASSERT_EQ(window.view.pointLabels[i].visible, replay.view.pointLabels[i].visible) << i << "\n" << script;
  ASSERT_EQ(window.wires.CountInUse(), replay.wires.CountInUse()) << script;
  ASSERT_EQ(window.machine.Beat.StepCount, replay.machine.Beat.StepCount) << script;
  ASSERT_EQ(window.machine.Beat.ViewPos, replay.machine.Beat.ViewPos) << script;
  ASSERT_TRUE(window.machine.Mem.Cells == replay.machine.Mem.Cells) << script;
}

TEST(RecordedSession, OrrinRunReplaysRandomWindowSessionsExactly) {
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    WindowSession window(seed);
    for (int n = 0; n < 120; ++n) window.Act();
    const std::string script = window.sim().session.Text();

    std::istringstream in(script);
    std::ostringstream out, err;
    RunOptions options;
    bool compared = false;
    options.atEnd = [&](const Simulator& replay) {
      ExpectSameBoard(window.sim(), replay, script);
      compared = true;
    };
    ASSERT_EQ(RunScript(in, out, err, options), 0) << err.str() << "\nseed " << seed << ":\n" << script;
    ASSERT_TRUE(compared);
    if (HasFatalFailure()) return;  // the first session that differs is enough to read
  }
}

TEST(RecordedSession, LinesAreTheScriptsOwnWithAnswersBeforeTheirActions) {
  Board b;
  b.sim.session.Start(true);
  b.sim.ToggleLevelSwitch(3);
  b.sim.SpeedButtonPOWERClick();
  b.host.answers = {Answer::No};
  b.sim.SpeedButtonPOWERClick();
  b.sim.Button_delLineClick();
  b.host.color = 0x00FF8040;  // stored 00BBGGRR
  b.sim.Button_SetColorClick();
  b.host.openNames = {"/tmp/a file with spaces.txt"};
  b.sim.N_ReadLineFileClick();
  b.sim.SpeedButtonPOWERClick();
  b.sim.SpeedButtonQDClick();
  for (int i = 0; i < 5; ++i) b.sim.Timer_RUNTimer();
  b.sim.session.Break();
  b.sim.Image_KMouseMove(4, 3, 2);
  for (int i = 0; i < 2; ++i) b.sim.Timer_RUNTimer();
  EXPECT_EQ(b.sim.session.Text(),
            "k 3\npower\npower\nanswer no\nclear-wires\nwire-colour 4080FF\n"
            "load-wires /tmp/a file with spaces.txt\npower\nqd\ntick 5\nhover-k 4 3 2\ntick 2\n");
  b.sim.session.Start(false);
  b.sim.ToggleLevelSwitch(3);
  EXPECT_EQ(b.sim.session.Text(), "");
}

TEST(RecordedSession, AClickDuringARunComesAfterItsTicksAndASaveKeepsItsName) {
  Board b;
  b.sim.session.Start(true);
  b.sim.SpeedButtonPOWERClick();
  b.sim.SpeedButtonQDClick();
  for (int i = 0; i < 3; ++i) b.sim.Timer_RUNTimer();
  b.sim.ToggleDataSwitch(1);  // no frame between: the ticks still go first
  b.host.saveNames = {"/tmp/saved memory.txt"};
  b.sim.N_MEM2FileClick();
  EXPECT_EQ(b.sim.session.Text(), "power\nqd\ntick 3\nsd 1\nsave-memory /tmp/saved memory.txt\n");
  std::filesystem::remove("/tmp/saved memory.txt");
}

}  // namespace
}  // namespace orrin
