#pragma once
// The jacks of the board and the patch wires between them. Adding, deleting
// and clearing wires is the only way to change either, and each keeps them
// consistent: a wire runs from an output jack to an input jack of the board,
// no pair is joined twice, and the jacks' counts and targets follow.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/machine_state.h"

namespace orrin {

class WireStore {
 public:
  WireStore();  // the board's 76 jacks, no wires

  // ---- the jack table
  const Jack& JackAt(int n) const { return jacks_[Slot(n)]; }
  const std::array<Jack, JackCount>& Jacks() const { return jacks_; }
  // A jack of the board: in range and in use.
  bool IsJack(int n) const { return n >= 0 && n < JackCount && jacks_[Slot(n)].InUse; }
  bool IsOutput(int n) const { return IsJack(n) && jacks_[Slot(n)].IsOutput; }
  bool IsInput(int n) const { return IsJack(n) && !jacks_[Slot(n)].IsOutput; }
  // The jack whose circle holds (x, y); -1 when none.
  int HitTest(int x, int y) const;

  // ---- wires
  // The index of the new wire; -1 when it is refused: the store is full, the
  // pair is already joined, or it does not run from an output to an input.
  int Add(int from, int to, uint32_t color);
  void AppendPoint(int index, int x, int y);
  bool Delete(int from, int to);  // false when no such wire
  void Clear();
  int Find(int from, int to) const;  // -1 when none
  int FirstInto(int input) const;    // -1 when none
  int CountInUse() const { return inUse_; }
  const Wire& WireAt(int i) const { return wires_[static_cast<size_t>(i)]; }
  const std::array<Wire, WireCapacity>& Wires() const { return wires_; }

  // ---- levels
  int32_t Value(int n) const { return jacks_[Slot(n)].Value; }
  // An output's level; VCC and GND keep theirs, a stuck jack its fault's.
  void Drive(int output, int32_t v) {
    Jack& j = jacks_[Slot(output)];
    if (stuck_[Slot(output)] >= 0)
      j.Value = stuck_[Slot(output)];
    else if (!j.FixedLevel)
      j.Value = v;
  }
  void SetValue(int n, int32_t v) { jacks_[Slot(n)].Value = v; }  // playback puts a recorded level back
  // Every input takes the level of the output wired to it (of the highest
  // numbered one when several are: the wiring check reports that), or
  // NoValue when none is.
  void Propagate();
  // The output that drives an input (-1 when none), and its printed name
  // ("" when none).
  int Source(int input) const { return driver_[Slot(input)]; }
  const std::string& SourceName(int input) const;
  void ClearLevels();  // every jack but VCC and GND reads NoValue

  // ---- teacher-set faults, kept through clearing the wires
  // The jack reads `level` (0 or 1) whatever drives it.
  void StickJack(int n, int level);
  // The wire between `from` and `to`, drawn now or later, carries nothing:
  // its input reads as unwired (its source is still named as wired).
  void BreakWire(int from, int to);
  void ClearFaults();

 private:
  static size_t Slot(int n) { return static_cast<size_t>(n); }
  void UpdateDriver(int input);

  std::array<Jack, JackCount> jacks_;
  std::array<Wire, WireCapacity> wires_;
  std::array<int16_t, JackCount> driver_;  // per input: the highest output wired to it, -1 none
  std::array<bool, JackCount> cut_{};      // per input: its driver's wire is broken
  std::array<int8_t, JackCount> stuck_;    // per jack: the level it is stuck at, -1 none
  std::vector<std::pair<int, int>> broken_;
  std::vector<int> inputs_;  // the input jacks, in number order
  int inUse_ = 0;
};

}  // namespace orrin
