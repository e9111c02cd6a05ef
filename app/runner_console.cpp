// Script commands of the console, the switches, the clock and the playback.
#include "app/runner.h"

namespace orrin {

CommandResult RunConsoleCommand(RunnerContext& ctx, const Words& w, std::string& error) {
  Simulator& sim = ctx.sim;
  const std::string& c = w[0];
  long n = 0;
  if (c == "power" && w.size() == 1) {
    sim.SpeedButtonPOWERClick();
  } else if (c == "step" && w.size() == 1) {
    sim.Button_OneLittleStepClick();
  } else if (c == "k") {
    if (w.size() != 2 || !ParseNumber(w[1], 0, 31, n)) {
      error = "k needs a switch number 0-31";
      return CommandResult::Error;
    }
    sim.ToggleLevelSwitch(static_cast<int>(n));
  } else {
    return CommandResult::NotMine;
  }
  return CommandResult::Done;
}

}  // namespace orrin
