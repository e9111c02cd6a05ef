#pragma once
// The rules of the board's units, one function per rule, each the only
// place that rule is written. The board evaluation and the small beat both
// call them; they differ only in when and with which copies.
#include <array>
#include <cstdint>

#include "base/machine_state.h"

namespace orrin {

using SignalValues = std::array<int16_t, SigCount>;

// ---- three-state sources and the data bus (bus.cpp)
inline Drive DrivesWhen(bool on) { return on ? Drive::Drives : Drive::Released; }
// What a source offers the bus: its value while it drives, else Released.
inline int32_t Offer(Drive d, int32_t value) { return d == Drive::Drives ? value : Released; }
// The bus is the OR of the sources that drive it (ALU gate, memory,
// switches, IAR); Drive marks each, so two or more show a conflict.
void DriveBus(BusRecord& bus, const std::array<int32_t, 4>& sources);

// ---- ALU and its bus gate (alu.cpp)
// The 74LS181 on the control signals and the two register ports; the result
// and the inputs it was computed from stay until the next computation.
void ComputeAlu(AluUnit& alu, const SignalValues& sig, int32_t a, int32_t b);
// The gate between the ALU and the bus: ABUS opens it; `latch` takes the
// ALU's result (at level small beats and on every evaluation).
void SetAluGate(GateRecord& gate, const SignalValues& sig, int32_t f, bool latch);
inline int32_t GateOffer(const GateRecord& gate) { return Offer(gate.Gate, gate.Value); }

// ---- register file (register_file.cpp)
// RD and RS from the signals: the write decoder and the two port selects.
void SelectRegisters(RegisterRecord& rf, const SignalValues& sig);
// DRW at the rising edge of T3 writes the bus into the register RD selects.
void WriteRegister(RegisterRecord& rf, int32_t bus, bool t3Rising);
// Rn typed into its field.
void EditRegister(RegisterFile& rf, size_t n, int32_t byte);
// The A port shows the register RD selects, the B port the one RS selects.
void ReadRegisterPorts(RegisterRecord& rf);

// ---- flags (flags.cpp)
void SetFlagControls(FlagRecord& f, const SignalValues& sig, int32_t t3);
// At the rising edge of T3, LDZ loads Z (result zero) and LDC loads C (carry out).
void ClockFlags(FlagRecord& f, const AluRecord& alu, const SignalValues& sig, bool t3Rising);
// A flag typed into its field: the flag and what it drives, live and shown.
void EditZ(FlagUnit& f, int32_t bit);
void EditC(FlagUnit& f, int32_t bit);

// ---- interrupt enable (interrupt.cpp)
void SetInterruptControls(InterruptRecord& in, const SignalValues& sig);
// At level small beats INTDI clears EN_INT, then INTEN sets it: INTEN wins.
void ClockInterruptEnable(InterruptRecord& in, bool level);
// EN_INT typed into its field.
void EditInterruptEnable(InterruptUnit& in, int32_t bit);
// PULSE: a request is taken only while interrupts are enabled; one pending stays.
void RequestInterrupt(InterruptUnit& in);

// ---- memory (memory.cpp)
// The data port reads onto the bus with MBUS while MEMW does not write.
inline bool MemoryReads(const SignalValues& sig) { return Active(sig[MBUS]) && !Active(sig[MEMW]); }
void SetMemoryPorts(MemoryPorts& mem, const SignalValues& sig, int32_t t2, int32_t pc, int32_t ar);
// MEMW in phase 4 (T2 high, a level small beat) writes the bus to the cell at AR.
bool WriteMemory(MemoryUnit& mem, const SignalValues& sig, const BeatRecord& beat, int32_t ar, int32_t bus);
// A cell typed into the memory table, and a whole image loaded from a file:
// the live cells and the shown ones alike.
void EditMemoryCell(MemoryUnit& mem, size_t address, uint8_t byte);
void LoadMemoryImage(MemoryUnit& mem, const std::array<uint8_t, MemorySize>& image);

// ---- IR, IAR, AR, PC (ir.cpp, iar.cpp, ar.cpp, pc.cpp)
void SetIrControls(IrRecord& ir, const SignalValues& sig, int32_t t3);
// LIR at the rising edge of T3 loads the byte at PC, before PC moves.
void ClockIr(IrUnit& ir, MemoryUnit& mem, int32_t pc, bool t3Rising);
// IR typed into its field: the register and what it drives.
void EditIr(IrUnit& ir, int32_t byte);
void SetIarControls(IarRecord& iar, const SignalValues& sig, int32_t t3);
// LIAR at the rising edge of T3 loads PC's output; the gate offers IAR in
// the next small beat while IABUS is up.
void ClockIar(IarUnit& iar, int32_t pcOut, bool t3Rising);
// IAR typed into its field: the bus gate offers what IAR holds, so it follows too.
void EditIar(IarUnit& iar, int32_t byte);
// The micro-address typed into its field.
void EditMicroAddress(MicroUnit& micro, int32_t address);
void SetArControls(ArRecord& ar, const SignalValues& sig, int32_t t3);
// At the rising edge of T3, ARINC counts (wrapping at FF) and wins over LAR.
void ClockAr(ArUnit& ar, int32_t bus, bool t3Rising);
// AR typed into its field: the register and the address it drives.
void EditAr(ArUnit& ar, int32_t byte);
void SetPcControls(PcRecord& pc, const SignalValues& sig, int32_t t3);
// At the rising edge of T3, PCINC counts, else LPC loads the bus, else PCADD
// adds IR3..IR0 (unsigned); all wrap at FF. The output follows at level beats.
void ClockPc(PcUnit& pc, int32_t bus, int32_t ir, bool t3Rising, bool level);
// CLR: PC and its output 0, no mark.
void ResetPc(PcUnit& pc);
// A value typed into PC's field: the register, its output and the shown copy.
void EditPc(PcUnit& pc, int32_t byte);
// Which of PC's actions the board draws: only the one that wins (count,
// then load, then add), and whether two or more were asked at once.
struct PcActions {
  bool count, load, add, conflict;
};
PcActions WinningPcAction(const PcRecord& pc);

// ---- data switches (switches.cpp)
// SBUS opens the SD gate; the committed switch value is what it offers.
void SetSwitchGate(DataSwitches& ds, const SignalValues& sig);
// A click on data switch SDn: its bit flips, and the value the gate offers follows.
void FlipDataSwitch(DataSwitches& ds, size_t n);
// A click on level switch Kn: the lever flips; with the power on its output
// follows, with it off every output is low.
void FlipLevelSwitch(LevelSwitches& ls, size_t n, bool powerOn);
inline int32_t SwitchOffer(const DataSwitches& ds) { return Offer(ds.Gate, ds.DrivenValue); }

}  // namespace orrin
