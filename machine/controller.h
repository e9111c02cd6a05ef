#pragma once
// Where the control signals come from. Each of the board's controller modes
// is one controller: it forms the 28 signals from the board's inputs in the
// combinational pass, steps at the clock edge at which the sequencer loads
// the micro-address, and is reset at power-on and CLR. Whether its mode can
// be chosen is the controller's own property.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/machine_state.h"
#include "hardwired/netlist.h"
#include "machine/wire_store.h"

namespace orrin {

// The three modes of the console's controller buttons.
enum class ControllerMode : uint8_t { Independent, Microprogram, HardWired };

using SignalValues = std::array<int16_t, SigCount>;

// What a controller reads: the machine's units and the jacks.
struct ControllerInputs {
  const MachineState& machine;
  const WireStore& wires;
};

class Controller {
 public:
  virtual ~Controller() = default;
  // Whether its mode button takes a click.
  virtual bool Available() const { return true; }
  // The signals as the controller forms them now (`signals` starts all 0).
  virtual void FormSignals(const ControllerInputs& in, SignalValues& signals) const = 0;
  // The clock edge at which the sequencer loads the micro-address.
  virtual void ClockEdge(const ControllerInputs&) {}
  // Power-on and CLR.
  virtual void Reset() {}
  // Whether the cycle that ends now acknowledges an interrupt request: the
  // ending microword's P4, in every mode unless the controller says.
  virtual int EndingP4(const MachineState& m) const;
};

// "独立": each signal is the level of the input jack of its name; a jack
// that nothing drives leaves it 0.
class IndependentController final : public Controller {
 public:
  void FormSignals(const ControllerInputs& in, SignalValues& signals) const override;
};

// "微程序": the bits of the microword at the micro-address, as the
// sequencer decoded it; the register selects from SEL or IR.
class MicroprogramController final : public Controller {
 public:
  void FormSignals(const ControllerInputs& in, SignalValues& signals) const override;
};

// "硬连线": the student's design, once one is loaded (until then the mode
// cannot be chosen and every signal is 0). Its outputs are the signals,
// formed from what the sequencer tests; its flip-flops step when the
// sequencer loads the micro-address; with P4 declared, its P4 acknowledges
// the interrupt request instead of the microword's.
class HardWiredController final : public Controller {
 public:
  bool Available() const override { return design_.Loaded(); }
  void FormSignals(const ControllerInputs& in, SignalValues& signals) const override;
  void ClockEdge(const ControllerInputs&) override { design_.Clock(); }
  void Reset() override { design_.Reset(); }
  int EndingP4(const MachineState& m) const override;
  // A Yosys JSON netlist; on an error the loaded design stays.
  bool Load(std::string_view json, std::string& error) { return design_.Read(json, error); }
  // The design's STATE output as last formed; -1 without a design or a STATE.
  int State() const { return design_.Loaded() && design_.HasState() ? design_.State() : -1; }

 private:
  mutable Netlist design_;  // its nets are the state the combinational pass works on
};

// The board's controllers, one per mode.
class Controllers {
 public:
  Controller& Of(ControllerMode mode);
  const Controller& Of(ControllerMode mode) const;
  // Power-on and CLR reach every controller.
  void Reset();
  HardWiredController& HardWired() { return hardWired_; }
  const HardWiredController& HardWired() const { return hardWired_; }

 private:
  IndependentController independent_;
  MicroprogramController microprogram_;
  HardWiredController hardWired_;
};

}  // namespace orrin
