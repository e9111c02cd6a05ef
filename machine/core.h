#pragma once
// The machine core: the board's units and the two computations over them.
// The combinational pass forms every value that follows from the stored
// state (jacks, signals, the sequencer's next address, register ports, the
// ALU, the bus); the clock step of a small beat is the only place where
// registers, flags, memory and the micro-address change. No view: the
// panels turn the core into the board's display.
#include <cstdint>
#include <string_view>

#include "base/machine_state.h"
#include "machine/controller.h"
#include "machine/stuck_bits.h"
#include "machine/wire_store.h"

namespace orrin {

// What the core reads of the rest of the board.
struct Surroundings {
  WireStore& wires;
  Controller& controller;  // the selected mode's: it forms the control signals
  bool power;
  int32_t swc, swb, swa;  // the operating-mode switches, as the sequencer tests them
};

class Core : public MachineState {
 public:
  Core() { LoadDefaultControlStore(); }

  // After an action: everything that follows from what the board shows now,
  // with the power on or off; the shown copies then hold it all.
  void Evaluate(const Surroundings& s);
  // One small beat (power on): the beat lines advance, the pass runs on the
  // live copies, the clocked elements latch, the shown copies are committed.
  // True when the memory was written.
  bool Step(const Surroundings& s);

  // The switches' shown copies follow their positions: what the levers
  // show and what the SD gate offers (at every refresh of the newest position).
  void CommitSwitches();
  void PowerOn();             // every unit cleared, the memory too; positions restart at 0
  void PowerOff();            // the beat generator stopped, the level switches' outputs low
  void Clear();               // CLR: registers, flags, addresses and the beat generator
  bool AtCycleStart() const;  // phase 1 of a cycle, not the first after a reset
  // The teacher's stuck bits (set by `fault reg` and `fault mem`), applied
  // to every copy of the registers and cells they name.
  StuckFaults stuck;
  void ApplyStuckBits();
  bool StopWordHeld() const;  // at a cycle start with STOP up for a whole cycle

  // ---- the microprogram controller (sequencer.cpp)
  // Decodes `word` at `address` with `in` into Micro.Decode (panel fields).
  void DecodeWord(int32_t address, uint64_t word, std::string_view text, const MicroInputs& in);
  // Decodes the word stored at `address`: its fields and the next address
  // the sequencer really takes from it with these test inputs.
  void DecodeAt(int32_t address, const MicroInputs& in);
  void LoadDefaultControlStore();

 private:
  // What the pass reads (core_pass.cpp says which copies when).
  struct PassInputs {
    const std::array<int16_t, 32>& levels;  // the level switches' outputs
    int32_t cOut, zOut, irOut;              // what the flags and IR drive
    int32_t t2, t3;                         // the beat lines
    int32_t pc, ar;                         // the memory's two addresses
    const std::array<uint8_t, MemorySize>& cells;
    bool iarGateNow;  // the IAR gate as IABUS sets it in this pass
    int32_t iarValue;
  };
  PassInputs ShownInputs() const;
  PassInputs LiveInputs() const;
  // The one combinational pass. `level`: a level small beat or an
  // evaluation, which form the register ports, the ALU result and the bus.
  void Pass(const PassInputs& in, const Surroundings& s, bool level);
  void SetControls(int32_t t3);
  void FormControlSignals(const Surroundings& s);
  void ComputeNextAddress(const Surroundings& s, int32_t ir, int32_t zOut, int32_t cOut);
  void ClearSequencer();
  void ClockSequencer();
  void AdvanceBeat();
  void ClockEdges(int32_t phase, bool level, bool t3Rising, int32_t endingP4, bool& memoryWritten);
  void CommitShown();
  void PowerOffRecords();
};

}  // namespace orrin
