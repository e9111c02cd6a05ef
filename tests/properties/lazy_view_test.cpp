// The view held through runs must show, whenever someone looks, exactly what
// a repaint after every small beat shows: two boards take the same random
// actions, one repainting eagerly, and every widget is compared after each.
#include <gtest/gtest.h>

#include <random>

#include "tests/test_host.h"

namespace orrin {
namespace {

using enum WidgetId;

struct Pair {
  Board eager, lazy;
  Pair() { eager.sim.eagerView = true; }
  template <typename F>
  void Both(F act) {
    act(eager.sim);
    act(lazy.sim);
  }
};

void ExpectSameView(const Pair& p, const std::string& when) {
  for (int i = 0; i < WidgetCount; ++i) {
    const auto id = static_cast<WidgetId>(i);
    ASSERT_TRUE(p.eager.sim.view[id] == p.lazy.sim.view[id]) << Info(id).name << " after " << when;
  }
  ASSERT_TRUE(p.eager.sim.machine.Levels.ShownOutput == p.lazy.sim.machine.Levels.ShownOutput) << when;
  ASSERT_EQ(p.eager.sim.machine.Beat.StepCount, p.lazy.sim.machine.Beat.StepCount) << when;
}

// Runs `ticks` ticks of the run timer as a script's `tick` does, the view held.
void Ticks(Simulator& sim, int ticks) {
  const ViewHold hold(sim);
  for (int i = 0; i < ticks && sim.Timer_RUN.enabled; ++i) sim.Timer_RUNTimer();
}

void RandomActions(Pair& p, std::mt19937& rng, int count) {
  std::uniform_int_distribution<int> pick(0, 13), small(0, 7), ticks(1, 40);
  for (int n = 0; n < count; ++n) {
    std::string what;
    switch (pick(rng)) {
      case 0:
      case 1:
        what = "step";
        p.Both([](Simulator& s) { s.Button_OneLittleStepClick(); });
        break;
      case 2: {
        const int k = small(rng);
        what = "k" + std::to_string(k);
        p.Both([k](Simulator& s) { s.ToggleLevelSwitch(k); });
        break;
      }
      case 3: {
        const int b = small(rng);
        what = "sd" + std::to_string(b);
        p.Both([b](Simulator& s) { s.ToggleDataSwitch(b); });
        break;
      }
      case 4:
        what = "qd";
        p.Both([](Simulator& s) { s.SpeedButtonQDClick(); });
        break;
      case 5:
      case 6: {
        const int t = ticks(rng);
        what = "ticks " + std::to_string(t);
        p.Both([t](Simulator& s) { Ticks(s, t); });
        break;
      }
      case 7:
        what = "pause";
        p.Both([](Simulator& s) { s.Button_PAUSEClick(); });
        break;
      case 8:
        what = "back";
        p.Both([](Simulator& s) { s.SpeedButton_BackLeftClick(); });
        break;
      case 9:
        what = "forward";
        p.Both([](Simulator& s) { s.SpeedButton_BackRightClick(); });
        break;
      case 10:
        what = "pulse";
        p.Both([](Simulator& s) { s.SpeedButton_PULSEClick(); });
        break;
      case 11:
        what = "dp";
        p.Both([](Simulator& s) { s.Image_DPClick(); });
        break;
      case 12: {
        const std::string v = std::to_string(small(rng)) + std::to_string(small(rng));
        what = "edit R1 " + v;
        p.Both([&v](Simulator& s) {
          s.view.Writable(Edit_R1).text = v;
          s.EditKeyPress(Edit_R1, 13);
        });
        break;
      }
      default:
        what = "clr";
        p.Both([](Simulator& s) { s.SpeedButtonCLRClick(); });
        break;
    }
    ExpectSameView(p, std::to_string(n) + ": " + what);
  }
}

TEST(LazyView, IndependentModeWithSwitchesOnTheControls) {
  for (unsigned seed = 1; seed <= 3; ++seed) {
    Pair p;
    // K0..K7: SBUS, DRW, RD0, LAR, MEMW, ARINC, LDC, ABUS.
    const int inputs[] = {jack::SBUS, jack::DRW, jack::RD0, jack::LAR, jack::MEMW, jack::ARINC, jack::LDC, jack::ABUS};
    p.Both([&](Simulator& s) {
      for (int k = 0; k < 8; ++k) Join(s, k, inputs[k]);
      s.SpeedButtonPOWERClick();
      s.machine.Int.EN_INT = 1;
    });
    std::mt19937 rng(seed);
    RandomActions(p, rng, 300);
  }
}

TEST(LazyView, MicroprogramModeRunningAProgram) {
  for (unsigned seed = 11; seed <= 13; ++seed) {
    Pair p;
    p.Both([](Simulator& s) {
      Join(s, jack::CO, jack::CI);
      Join(s, jack::ZO, jack::ZI);
      for (int i = 0; i < 4; ++i) Join(s, jack::IR7O + i, jack::IR7I - i);
      s.RadioButtonMicroProgramClick();
      s.SpeedButtonPOWERClick();
      // INC R0 / ST [R1],R0 / JMP R2 with R2 = 0: counts into memory for ever.
      s.machine.Mem.Cells[0] = 0x40;
      s.machine.Mem.Cells[1] = 0x64;
      s.machine.Mem.Cells[2] = 0x98;
      s.machine.Mem.ShownCells = s.machine.Mem.Cells;
      s.BoardEvaluation();
    });
    std::mt19937 rng(seed);
    RandomActions(p, rng, 300);
  }
}

}  // namespace
}  // namespace orrin
