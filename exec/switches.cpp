// The level switches K31..K0 and the data switches SD7..SD0.
#include "simulator/simulator.h"

namespace orrin {

void Simulator::ToggleLevelSwitch(int n) {
  EndPlayback();
  n &= 31;
  LevelSwitches& ls = machine.Levels;
  const size_t i = static_cast<size_t>(n);
  ls.Position[i] = ls.Position[i] ? 0 : 1;
  ls.ShownPosition[i] = ls.Position[i];
  if (machine.Console.PowerOn == 1) {
    ls.Output[i] = ls.Position[i];
    ls.ShownOutput[i] = ls.Output[i];
    // During a run the new level reaches the jack at the next small beat.
    if (machine.Console.TimerActive == 1) {
      OrderedDisplayRefresh(machine.Console.PowerOn, 0);
      return;
    }
  } else {
    ls.Output.fill(0);
    ls.ShownOutput.fill(0);
  }
  BoardEvaluation();
}

void Simulator::ToggleDataSwitch(int n) {
  EndPlayback();
  n &= 7;
  DataSwitches& ds = machine.DataSw;
  ds.Bits[static_cast<size_t>(n)] = ds.Bits[static_cast<size_t>(n)] ? 0 : 1;
  ds.Value = 0;
  for (int i = 0; i < 8; ++i) ds.Value |= ds.Bits[static_cast<size_t>(i)] << i;
  ds.DrivenValue = ds.Value;
  ds.DrivenBits = ds.Bits;
  if (machine.Console.PowerOn == 1 && machine.Console.TimerActive == 1) {
    OrderedDisplayRefresh(machine.Console.PowerOn, 0);
    return;
  }
  BoardEvaluation();
}

void Simulator::LevelSwitchesPowerOff() {
  machine.Levels.Output.fill(0);
  machine.Levels.ShownOutput.fill(0);
}

void Simulator::LevelSwitchesPowerOn() {
  LevelSwitches& ls = machine.Levels;
  for (size_t i = 0; i < 32; ++i) {
    ls.Position[i] = ls.ShownPosition[i];
    ls.Output[i] = ls.Position[i] == 1 ? 1 : 0;
    ls.ShownOutput[i] = ls.Output[i];
  }
}

void Simulator::DataSwitchesPowerOn() {
  DataSwitches& ds = machine.DataSw;
  ds.Bits = ds.DrivenBits;
  ds.Value = 0;
  for (int i = 0; i < 8; ++i) ds.Value |= ds.Bits[static_cast<size_t>(i)] << i;
  ds.DrivenValue = ds.Value;
  ds.SBUS = 0;
  ds.ReleasedFlag = ds.ReleasedCopy = 1;
}

}  // namespace orrin
