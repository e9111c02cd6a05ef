#pragma once
// The board's units as plain records: every register, flag, cell, switch,
// signal and clock line, each held live and as shown. The rules that compute
// them live in units/ and machine/; the jacks and wires, the console, the
// trace and the view are components of their own.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/alu181.h"
#include "base/signals.h"
#include "base/values.h"

namespace orrin {

// ---------------------------------------------------------------- jacks, wires
struct Jack {
  bool InUse = false;
  std::string Name;
  bool IsOutput = false;
  int32_t Value = NoValue;
  int32_t HitRadius = 0;
  int32_t X = 0, Y = 0;
  bool FixedLevel = false;  // VCC and GND
  int32_t WireCount = 0;
  std::array<int32_t, TargetSlots> Targets{};  // the inputs an output is wired to; 0 for a free slot
};

struct WirePoint {
  int32_t X = 0, Y = 0;
  bool operator==(const WirePoint&) const = default;
};

struct Wire {
  bool InUse = false;
  int32_t From = NoValue;
  int32_t To = NoValue;
  uint32_t Color = 0;
  std::vector<WirePoint> Points;
};

// A jack as printed on the board: its number, name and centre on the picture.
struct JackPlace {
  int number;
  std::string name;
  int x, y;
  bool IsOutput() const { return number <= 41; }
};
// The 76 jacks of the board in number order; the window prints them, the
// jack table is filled from them.
std::vector<JackPlace> BoardJacks();

// Jack numbers the machine drives or reads by name.
namespace jack {
inline constexpr int K0 = 0, K16 = 16, CO = 32, ZO = 33, IR7O = 34, IR6O = 35, IR5O = 36, IR4O = 37;
inline constexpr int VCC1 = 38, VCC2 = 39, GND1 = 40, GND2 = 41;
inline constexpr int CI = 50, ZI = 51, IR4I = 52, IR5I = 53, IR6I = 54, IR7I = 55;
inline constexpr int RS1 = 56, RS0 = 57, RD1 = 58, RD0 = 59, S3 = 60, S2 = 61, S1 = 62, S0 = 63;
inline constexpr int M = 64, ABUS = 65, PCADD = 66, SBUS = 67, STOP = 68, DRW = 69, PCINC = 70, CIN = 71;
inline constexpr int LAR = 72, LDC = 73, LDZ = 74, MBUS = 75, MEMW = 76, ARINC = 77, LPC = 78;
inline constexpr int INTEN = 79, INTDI = 80, LIAR = 81, IABUS = 82, LIR = 83;
}  // namespace jack

// ------------------------------------------------------------ control signals
enum Sig : int {
#define ORRIN_SIG_ENUM(name, bit, lamp, order, label) name,
  ORRIN_CONTROL_SIGNALS(ORRIN_SIG_ENUM)
#undef ORRIN_SIG_ENUM
      SigCount
};
inline constexpr const char* kSigNames[SigCount] = {
#define ORRIN_SIG_NAME(name, bit, lamp, order, label) #name,
    ORRIN_CONTROL_SIGNALS(ORRIN_SIG_NAME)
#undef ORRIN_SIG_NAME
};
// The input jack that carries each signal in the independent mode.
inline constexpr int kSigJack[SigCount] = {
#define ORRIN_SIG_JACK(name, bit, lamp, order, label) jack::name,
    ORRIN_CONTROL_SIGNALS(ORRIN_SIG_JACK)
#undef ORRIN_SIG_JACK
};

struct ControlSignals {
  std::array<int16_t, SigCount> Value{};
  std::array<int16_t, SigCount> Shown{};  // what the lamps draw and the trace keeps
};

// The bits of a microword by name (mbit::P4 is 10).
namespace mbit {
#define ORRIN_MBIT(name, bit) inline constexpr int name = bit;
ORRIN_MICROWORD_BITS(ORRIN_MBIT)
#undef ORRIN_MBIT
}  // namespace mbit
// Each bit is named once, M39 first and down to M0.
static_assert(
    [] {
      int expected = 39;
#define ORRIN_MBIT_ORDER(name, bit) \
  if (bit != expected--) return false;
      ORRIN_MICROWORD_BITS(ORRIN_MBIT_ORDER)
#undef ORRIN_MBIT_ORDER
      return expected == -1;
    }(),
    "the microword bits run from M39 to M0");
// The names of a microword's bits, M39 first.
inline constexpr const char* kMicrowordBitNames[40] = {
#define ORRIN_MBIT_NAME(name, bit) #name,
    ORRIN_MICROWORD_BITS(ORRIN_MBIT_NAME)
#undef ORRIN_MBIT_NAME
};

// ------------------------------------------------------------------- units
// Each unit is one record held twice: the live copy (the unit itself, which
// the rules compute with) and its Shown copy, which the display draws and the
// trace keeps. A small beat commits the live copy to the shown one in one
// assignment (`unit.Shown = unit`); a playback writes only shown copies.

// What a register did at the last clock edge (its mark); its field's colour tells.
enum class Change : uint8_t { None, Loaded, Counted, Added };

struct AluRecord {
  int16_t S3 = 0, S2 = 0, S1 = 0, S0 = 0, M = 0, CIN = 0, A = 0, B = 0;  // the inputs of the last computation
  int16_t F = 0, Cn4 = LevelLow;                                         // the latched result, held between level beats
  const char* Formula = "";
  bool operator==(const AluRecord&) const = default;
};
struct AluUnit : AluRecord {
  Alu181 Model;
  AluRecord Shown;
};

struct FlagRecord {
  int16_t Z = 0, C = 0, ZOut = 0, COut = 0;
  bool ZLoaded = false, CLoaded = false;
  int16_t LDZ = 0, LDC = 0, T3 = LevelLow;
  bool operator==(const FlagRecord&) const = default;
};
struct FlagUnit : FlagRecord {
  FlagRecord Shown;
};

// Registers are indexed by number: R[0] is R0.
struct RegisterRecord {
  std::array<int16_t, 4> R{}, Select{}, Prev{}, Out{};
  std::array<bool, 4> Written{};
  int16_t RD1 = 0, RD0 = 0, RS1 = 0, RS0 = 0, T3 = LevelLow, DRW = 0;
  int16_t RdNum = 0, RsNum = 0, APort = 0, BPort = 0;
  bool operator==(const RegisterRecord&) const = default;
};
struct RegisterFile : RegisterRecord {
  RegisterRecord Shown;
};

struct GateRecord {
  int16_t Value = 0, RawF = 0, ABUS = 0;
  Drive Gate = Drive::Released;
  bool operator==(const GateRecord&) const = default;
};
struct AluBusGate : GateRecord {
  GateRecord Shown;
};

// The memory's ports; the cells are kept apart (the trace records only writes).
struct MemoryPorts {
  int16_t MBUS = 0, MEMW = 0, T2 = LevelLow, PcAddr = 0, ArAddr = 0, BusIn = 0;
  int16_t FetchAddress = 0;
  Drive Read = Drive::Released;  // the data port on the bus
  bool Written = false;          // written in the last small beat
  bool operator==(const MemoryPorts&) const = default;
};
struct MemoryUnit : MemoryPorts {
  std::array<uint8_t, MemorySize> Cells{};
  std::array<uint8_t, MemorySize> ShownCells{};
  bool WriteHappened = false;
  int16_t WriteAddr = 0, WriteOld = 0;
  MemoryPorts Shown;
};

struct ArRecord {
  int16_t AR = 0, Out = 0, LAR = 0, ARINC = 0, T3 = LevelLow, BusIn = 0;
  Change Mark = Change::None;
  bool operator==(const ArRecord&) const = default;
};
struct ArUnit : ArRecord {
  ArRecord Shown;
};

struct PcRecord {
  int16_t PC = 0, Out = 0, PCADD = 0, LPC = 0, PCINC = 0, T3 = LevelLow;
  int16_t BusIn = 0, Offset = 0;
  Change Mark = Change::None;
  bool operator==(const PcRecord&) const = default;
};
struct PcUnit : PcRecord {
  PcRecord Shown;
};

struct IrRecord {
  int16_t IR = 0, Out = 0, LIR = 0, T3 = LevelLow, InsBus = 0;
  Change Mark = Change::None;
  bool operator==(const IrRecord&) const = default;
};
struct IrUnit : IrRecord {
  IrRecord Shown;
};

struct IarRecord {
  int16_t IAR = 0, LIAR = 0, IABUS = 0, T3 = LevelLow, PcIn = 0;
  Change Mark = Change::None;
  Drive Gate = Drive::Released;  // IABUS now
  // What the gate offers the bus in the next small beat.
  Drive NextGate = Drive::Released;
  int16_t NextValue = 0;
  bool operator==(const IarRecord&) const = default;
};
struct IarUnit : IarRecord {
  IarRecord Shown;
};

struct ControlStoreEntry {
  int32_t Address = NoValue;
  std::string FullText;
  std::string WordText;
  std::string CommentText;
  uint64_t Word = 0;  // WordText as a number, M39 the top bit
};

// The inputs of the next-address logic as the controller took them.
struct MicroInputs {
  int16_t IR = 0, ZOut = 0, COut = 0, SWC = 0, SWB = 0, SWA = 0, INTQ = 0;
  int16_t CI = 0, ZI = 0, IR7I = 0, IR6I = 0, IR5I = 0, IR4I = 0;
  bool operator==(const MicroInputs&) const = default;
};
struct SequencerRecord {
  int16_t MicroAddress = 0, NextMicroAddress = 0;
  bool MicroAddressLoaded = false;
  std::array<int16_t, 4> SEL{};  // SEL3..SEL0 as reached the register selects
  int16_t T3 = LevelLow, T3Inv = LevelLow;
  MicroInputs In;
  bool operator==(const SequencerRecord&) const = default;
};
// Everything the controller panel shows that follows from an address, its
// word and the inputs. The word is kept as a number and as the ten digits
// it was written with; the text to show is formatted when someone looks.
struct MicroDecode {
  uint64_t Word = 0;
  int16_t Address = 0;
  std::array<char, 10> WordText{};  // all '\0' before a word was decoded
  std::array<int16_t, 8> IRBits{};
  std::array<int16_t, 6> NuA{};  // next-address bits NuA0'..NuA5'
  // SWC∧P0, IR7∧P1, SWB∧P0, IR6∧P1, SWA∧P0, IR5∧P1, Z∧P3, C∧P2, IR4∧P1, (unused), INTQ∧P4
  std::array<int16_t, 12> Terms{};
  std::array<int16_t, 5> PartialOr{};  // temp12..temp16
  int16_t NextMicroAddress = 0;
  std::array<int16_t, 4> RegSelect{};                                         // RD1, RD0, RS1, RS0
  int16_t Bit(int n) const { return static_cast<int16_t>((Word >> n) & 1); }  // Mn
  bool operator==(const MicroDecode&) const = default;
};
struct MicroUnit : SequencerRecord {
  std::array<ControlStoreEntry, ControlStoreSize> Store;
  MicroDecode Decode;
  SequencerRecord Shown;
};

struct BusRecord {
  int16_t Value = 0;
  std::array<Drive, 4> Drivers{};  // ALU gate, memory, switches, IAR
  bool operator==(const BusRecord&) const = default;
};
struct DataBus : BusRecord {
  BusRecord Shown;
};

struct InterruptRecord {
  int16_t EN_INT = 0, INTQ = 0, INTEN = 0, INTDI = 0;
  bool Changed = false;  // EN_INT changed in the last small beat
  bool operator==(const InterruptRecord&) const = default;
};
struct InterruptUnit : InterruptRecord {
  InterruptRecord Shown;
};

struct BeatRecord {
  int16_t T1 = LevelLow, T2 = LevelLow, T3 = LevelLow;
  int16_t BeatPhase = 0, BeatLevel = LevelBeat;
  bool operator==(const BeatRecord&) const = default;
};
struct BeatGen : BeatRecord {
  // 64-bit so that very long headless runs neither overflow nor lose the ring index.
  int64_t StepCount = 0, ViewPos = 0;
  bool AfterReset = true;   // the first machine cycle after a reset has not passed its loads
  int32_t StopCounter = 0;  // small beats since STOP went up
  BeatRecord Shown;
};

struct LevelSwitches {
  std::array<bool, 32> Position{};
  std::array<int16_t, 32> Output{};
  std::array<bool, 32> ShownPosition{};
  std::array<int16_t, 32> ShownOutput{};
};

struct DataSwShown {
  int16_t Value = 0, SBUS = 0;
  std::array<int16_t, 8> Bits{};
  Drive Gate = Drive::Released;
  bool operator==(const DataSwShown&) const = default;
};
struct DataSwitches {
  int16_t Value = 0;
  std::array<int16_t, 8> Bits{};
  int16_t SBUS = 0;
  Drive Gate = Drive::Released;  // the SD gate is off while SBUS is not 1
  int16_t DrivenValue = 0;       // committed: what the gate offers the bus
  std::array<int16_t, 8> DrivenBits{};
  DataSwShown Shown;  // what the levers and the value label show
};

// STOP and the values of jacks 0-37 and 50-83, taken at every evaluation.
// A jack carries 0, 1 or NoValue, so a byte holds it (NoValue as
// kNoLevel): the snapshot is in every trace entry, and this keeps the ring's
// 50 000 entries small.
struct BoardSnapshot {
  static constexpr uint8_t kNoLevel = 0xFF;
  int16_t STOP = 0;
  std::array<uint8_t, 72> Jacks{};
  static uint8_t Pack(int32_t level) { return level == NoValue ? kNoLevel : static_cast<uint8_t>(level); }
  static int32_t Unpack(uint8_t level) { return level == kNoLevel ? NoValue : level; }
  bool operator==(const BoardSnapshot&) const = default;
};
int SnapshotJack(int slot);  // jack number of snapshot slot 0..71

struct MachineState {
  AluUnit Alu;
  FlagUnit Flags;
  RegisterFile Regs;
  AluBusGate Gate;
  MemoryUnit Mem;
  ArUnit Ar;
  PcUnit Pc;
  IrUnit Ir;
  IarUnit Iar;
  MicroUnit Micro;
  DataBus Bus;
  InterruptUnit Int;
  BeatGen Beat;
  LevelSwitches Levels;
  DataSwitches DataSw;
  BoardSnapshot Snapshot;
  ControlSignals Signals;
};

// ------------------------------------------------------------------ trace
// One entry per small beat: every unit's shown record.
struct TraceEntry {
  AluRecord alu;
  FlagRecord flags;
  RegisterRecord regs;
  GateRecord gate;
  ArRecord ar;
  PcRecord pc;
  IrRecord ir;
  IarRecord iar;
  SequencerRecord micro;
  BusRecord bus;
  InterruptRecord intr;
  BeatRecord beat;
  std::array<int16_t, 32> levelOutputs{};
  DataSwShown dataSwitches;
  BoardSnapshot snapshot;
  std::array<int16_t, SigCount> signals{};
  bool operator==(const TraceEntry&) const = default;
};
// What the memory needs to be rebuilt by undoing writes.
struct MemTrace {
  int64_t Step = 0;
  bool Written = false;
  int16_t Addr = 0, Old = 0;
  MemoryPorts Ports;
  bool operator==(const MemTrace&) const = default;
};

// ---------------------------------------------------------------- helpers
// Word text of control-store entry (address mod 64); "0000020000" when empty.
const std::string& FetchMicroword(const MachineState& machine, int32_t address);
// The entry's word as a number (the empty entry's for an empty one).
uint64_t MicrowordValue(const MachineState& machine, int32_t address);
void SetControlStoreEntry(MachineState& machine, int32_t address, std::string_view full, std::string_view word,
                          std::string_view comment);
void ClearControlStore(MachineState& machine);
// Ten hex digits as a 40-bit word; a character that is not a digit counts 0.
uint64_t ParseMicroword(std::string_view text);
// Hex text to integer: last character least significant, non-hex counts 0,
// only the first 32 characters are looked at, 32 bits wide. Characters are
// UTF-8 code points, not bytes.
int32_t ParseHex(std::string_view text);
int HexDigitValue(char c);  // -1 for a character that is not a hex digit

}  // namespace orrin
