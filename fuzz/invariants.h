#pragma once
// The simulator's structural invariants, checked after arbitrary input by the
// fuzz targets and the property tests. Returns an empty text when all hold.
#include <string>

#include "simulator/simulator.h"

namespace orrin {

inline std::string CheckInvariants(const Simulator& sim) {
  const MachineState& s = sim.machine;
  const WireStore& store = sim.wires;
  std::array<int, JackCount> counted{};
  std::array<std::array<int, JackCount>, JackCount> pairs{};
  int inUse = 0;
  for (const Wire& w : store.Wires()) {
    if (!w.InUse) continue;
    ++inUse;
    if (w.From < 0 || w.From >= JackCount || w.To < 0 || w.To >= JackCount) return "wire with a jack out of range";
    const Jack& from = store.JackAt(w.From);
    const Jack& to = store.JackAt(w.To);
    if (!from.InUse || !to.InUse || !from.IsOutput || to.IsOutput)
      return "wire " + from.Name + "->" + to.Name + " does not join an output to an input";
    if (++pairs[static_cast<size_t>(w.From)][static_cast<size_t>(w.To)] > 1) return "two wires join one pair";
    ++counted[static_cast<size_t>(w.From)];
    ++counted[static_cast<size_t>(w.To)];
  }
  for (int n = 0; n < JackCount; ++n) {
    const Jack& j = store.JackAt(n);
    if (j.WireCount != counted[static_cast<size_t>(n)])
      return "WireCount of jack " + std::to_string(n) + " is " + std::to_string(j.WireCount) + ", wires " +
             std::to_string(counted[static_cast<size_t>(n)]);
    if (!j.IsOutput) {
      for (int32_t t : j.Targets)
        if (t != 0) return "input jack " + std::to_string(n) + " has targets";
      continue;
    }
    std::array<int, JackCount> listed{};
    for (int32_t t : j.Targets) {
      if (t == 0) continue;
      if (t < 0 || t >= JackCount) return "target out of range";
      if (++listed[static_cast<size_t>(t)] > 1) return "input listed twice in the targets of " + j.Name;
      if (pairs[static_cast<size_t>(n)][static_cast<size_t>(t)] != 1) return "target without a wire";
    }
    for (int t = 0; t < JackCount; ++t)
      if (pairs[static_cast<size_t>(n)][static_cast<size_t>(t)] == 1 && listed[static_cast<size_t>(t)] != 1)
        return "wire missing from the targets of " + j.Name;
  }
  if (inUse != store.CountInUse()) return "the count of wires in use is off";
  for (int a = 0; a < ControlStoreSize; ++a) {
    const ControlStoreEntry& e = s.Micro.Store[static_cast<size_t>(a)];
    if (e.Address == NoValue) {
      if (!e.FullText.empty() || !e.WordText.empty()) return "empty control-store entry with text";
      continue;
    }
    if (e.Address != a)
      return "control-store entry " + std::to_string(a) + " holds address " + std::to_string(e.Address);
    if (e.WordText.size() != 10 || e.FullText.size() != 12 || e.FullText.substr(2) != e.WordText)
      return "malformed control-store entry " + std::to_string(a);
    for (char c : e.FullText)
      if (HexDigitValue(c) < 0) return "non-hex digit in control-store entry " + std::to_string(a);
  }
  return {};
}

}  // namespace orrin
