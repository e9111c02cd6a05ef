#pragma once
// Where the control signals come from. Each of the board's controller modes
// is one controller: it forms the 28 signals from the board's inputs in the
// combinational pass, steps at the clock edge at which the sequencer loads
// the micro-address, and is reset at power-on and CLR. Whether its mode can
// be chosen is the controller's own property.
#include <array>
#include <cstdint>

#include "base/machine_state.h"
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

// "硬连线": not built. Every signal is 0 and the mode cannot be chosen.
class HardWiredController final : public Controller {
 public:
  bool Available() const override { return false; }
  void FormSignals(const ControllerInputs&, SignalValues&) const override {}
};

// The board's controllers, one per mode.
class Controllers {
 public:
  Controller& Of(ControllerMode mode);
  const Controller& Of(ControllerMode mode) const;
  // Power-on and CLR reach every controller.
  void Reset();

 private:
  IndependentController independent_;
  MicroprogramController microprogram_;
  HardWiredController hardWired_;
};

}  // namespace orrin
