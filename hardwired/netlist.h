#pragma once
// A student's hard-wired controller as the gates Yosys synthesised it into:
// a Yosys JSON netlist read once, its gates put in an order in which every
// gate comes after the gates it reads (levelised), then evaluated as a flat
// array at every small beat, without allocating. Its ports carry the board's
// names: the sequencer's inputs in, the 28 control signals (and P4, STATE) out.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/machine_state.h"

namespace orrin {

// What the design reads, each bit 0 or 1 (IR eight bits).
struct DesignInputs {
  int swc = 0, swb = 0, swa = 0, ir = 0, c = 0, z = 0, intq = 0;
};

class Netlist {
 public:
  // At most this many cells are read.
  static constexpr size_t kMostCells = 50000;

  // Reads the module named "controller", or the file's only module. On an
  // error (the message names the cell, net or port) the netlist is left as
  // it was and false is returned.
  bool Read(std::string_view json, std::string& error);
  bool Loaded() const { return loaded_; }

  // The combinational logic for these inputs and the flip-flops' state.
  void Evaluate(const DesignInputs& in);
  // The rising edge of clk: every flip-flop takes its D as last evaluated.
  void Clock();
  // Power-on and CLR: every flip-flop 0.
  void Reset();

  // The outputs as last evaluated; an output not declared is 0.
  int Signal(Sig s) const { return Bit(signalNet_[static_cast<size_t>(s)]); }
  bool HasP4() const { return p4Net_ != kNone; }
  int P4() const { return Bit(p4Net_); }
  int State() const;
  bool HasState() const { return !stateNets_.empty(); }
  size_t GateCount() const { return gates_.size(); }
  size_t FlipFlopCount() const { return dffs_.size(); }

 private:
  static constexpr uint32_t kNone = 0;  // net 0 is constant 0
  enum class Op : uint8_t { Not, And, Or, Xor, Nand, Nor, Xnor, AndNot, OrNot, Mux };
  // A gate as it is evaluated: its output for inputs (A, B, S) is bit
  // A + 2B + 4S of `table` (an unused input reads net 0), so every gate is
  // the same few instructions and no branch.
  struct Gate {
    uint32_t a, b, s, y;
    uint8_t table;
  };
  static uint8_t TruthTable(Op op);
  struct Dff {
    uint32_t d, q;
  };
  int Bit(uint32_t net) const { return nets_[net]; }
  // A port's nets: `width` of them from `nets` (nullptr for STATE, 1 to 8).
  struct Slot {
    uint32_t* nets;
    size_t width;
    bool input;
  };
  std::optional<Slot> SlotOf(const std::string& name, uint32_t& clk);

  bool loaded_ = false;
  std::vector<uint8_t> nets_{0, 1};  // net 0 is constant 0, net 1 constant 1
  std::vector<Gate> gates_;
  std::vector<Dff> dffs_;
  std::vector<uint8_t> next_;  // the flip-flops' D at the clock edge
  // The inputs of the last evaluation; the gates are evaluated again only
  // when they or the flip-flops changed (stale_), as the board asks for the
  // signals several times a small beat.
  uint32_t lastInputs_ = 0;
  bool stale_ = true;
  // The input ports' nets (kNone where not declared).
  std::array<uint32_t, 8> ir_{};
  uint32_t swc_ = kNone, swb_ = kNone, swa_ = kNone, c_ = kNone, z_ = kNone, intq_ = kNone;
  std::array<uint32_t, SigCount> signalNet_{};
  uint32_t p4Net_ = kNone;
  std::vector<uint32_t> stateNets_;
};

}  // namespace orrin
