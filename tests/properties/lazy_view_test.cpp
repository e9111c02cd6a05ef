// The view held through runs must show, whenever someone looks, exactly what
// a repaint after every small beat shows: two boards take the same random
// actions, one repainting eagerly, and every widget is compared after each.
#include <gtest/gtest.h>

#include <random>

#include "simulator/access.h"
#include "tests/test_host.h"

namespace orrin {
namespace {

using enum WidgetId;

struct Pair {
  Board eager, lazy;
  Pair() { Access(eager.sim).panels.eagerView = true; }
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
  for (int i = 0; i < ticks && sim.console.Timer_RUN.enabled; ++i) sim.Timer_RUNTimer();
}

// `rewire`: the actions also include switching the power off, adding or
// removing a wire from a level switch to a control input, and back on.
void RandomActions(Pair& p, std::mt19937& rng, int count, bool rewire = false) {
  std::uniform_int_distribution<int> pick(0, rewire ? 15 : 13), small(0, 7), ticks(1, 40);
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
      case 13:
        what = "clr";
        p.Both([](Simulator& s) { s.SpeedButtonCLRClick(); });
        break;
      case 14: {
        const int k = small(rng), input = jack::RS1 + small(rng) * 3;
        what = "rewire K" + std::to_string(k) + " " + std::to_string(input);
        p.Both([k, input](Simulator& s) {
          s.SpeedButtonPOWERClick();
          if (s.console.PowerOn == 0) {
            if (!Access(s).wires.Delete(k, input)) Join(s, k, input);
            Access(s).editor.Check();
            s.SpeedButtonPOWERClick();
          }
        });
        break;
      }
      default:
        what = "mode";
        p.Both([](Simulator& s) {
          if (s.console.Independent())
            s.RadioButtonMicroProgramClick();
          else
            s.RadioButtonHandLineClick();
        });
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
      Access(s).machine.Int.EN_INT = 1;
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
      Access(s).machine.Mem.Cells[0] = 0x40;
      Access(s).machine.Mem.Cells[1] = 0x64;
      Access(s).machine.Mem.Cells[2] = 0x98;
      Access(s).machine.Mem.ShownCells = Access(s).machine.Mem.Cells;
      s.BoardEvaluation();
    });
    std::mt19937 rng(seed);
    RandomActions(p, rng, 300);
  }
}

// A control store that drives the bus from two and three sources in the
// middle of a run, enables and takes interrupts, and stops: what the board
// shows after a run must not depend on what happened inside it.
TEST(LazyView, ConflictsInterruptsStopAndWiresInTheMiddleOfRuns) {
  for (unsigned seed = 21; seed <= 24; ++seed) {
    Pair p;
    p.Both([](Simulator& s) {
      Join(s, jack::CO, jack::CI);
      Join(s, jack::ZO, jack::ZI);
      const char* words[][2] = {
          {"00", "0000000001"},                        // nothing on the bus: where power-on and every run start
          {"01", "0018000002"},                        // ALU and switches on the bus: 2写DB
          {"02", "0200000003"},                        // INTEN
          {"03", "0100000404"},                        // INTDI, test INTQ (P4): to 14 on a request
          {"04", "0000020005"},                        // STOP: a run ends showing 05
          {"05", "0000000000"}, {"14", "0070000005"},  // memory, switches and IAR on the bus: 3写DB
      };
      for (const auto& w : words) {
        const int a = ParseHex(w[0]);
        s.view.SetCell(WidgetId::StringGrid_MicroMem, a % 8 + 1, a / 8 + 1, w[1]);
      }
      s.Button_GridToMicroClick();
      s.RadioButtonMicroProgramClick();
      s.SpeedButtonPOWERClick();
    });
    std::mt19937 rng(seed);
    RandomActions(p, rng, 300, true);
  }
}

}  // namespace
}  // namespace orrin
