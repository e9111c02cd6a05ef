#pragma once
// The whole board: every register, flag, cell, switch, signal, clock line and
// jack, plus the trace ring. Sized once; reset in place.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "base/alu181.h"
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
  DRW,
  PCINC,
  LPC,
  ARINC,
  LAR,
  MEMW,
  STOP,
  LIR,
  ABUS,
  SBUS,
  MBUS,
  IABUS,
  LIAR,
  INTDI,
  INTEN,
  PCADD,
  LDZ,
  LDC,
  CIN,
  S0,
  S1,
  S2,
  S3,
  M,
  RD1,
  RD0,
  RS1,
  RS0,
  SigCount
};
extern const char* const kSigNames[SigCount];
// The input jack that carries each signal in the independent mode.
extern const int kSigJack[SigCount];

struct ControlSignals {
  std::array<int32_t, SigCount> Value{};
  std::array<int32_t, SigCount> Copy{};  // what the lamps draw and the trace keeps
};

// ------------------------------------------------------------------- units
// Each unit is one record held twice: the live copy (the unit itself, which
// the rules compute with) and its Shown copy, which the display draws and the
// trace keeps. A small beat commits the live copy to the shown one in one
// assignment (`unit.Shown = unit`); a playback writes only shown copies.

struct AluRecord {
  int32_t S3 = 0, S2 = 0, S1 = 0, S0 = 0, M = 0, CIN = 0, A = 0, B = 0;  // the inputs of the last computation
  int32_t F = 0, Cn4 = LevelLow;                                         // the latched result, held between level beats
  const char* Formula = "";
  bool operator==(const AluRecord&) const = default;
};
struct AluUnit : AluRecord {
  Alu181 Model;
  AluRecord Shown;
};

struct FlagRecord {
  int32_t Z = 0, C = 0, ZLoaded = 0, CLoaded = 0, ZOut = 0, COut = 0;
  int32_t LDZ = 0, LDC = 0, T3 = LevelLow;
  bool operator==(const FlagRecord&) const = default;
};
struct FlagUnit : FlagRecord {
  FlagRecord Shown;
};

// Registers are indexed by number: R[0] is R0.
struct RegisterRecord {
  std::array<int32_t, 4> R{}, Written{}, Select{}, Prev{}, Out{};
  int32_t RD1 = 0, RD0 = 0, RS1 = 0, RS0 = 0, T3 = LevelLow, DRW = 0;
  int32_t RdNum = 0, RsNum = 0, APort = 0, BPort = 0;
  bool operator==(const RegisterRecord&) const = default;
};
struct RegisterFile : RegisterRecord {
  RegisterRecord Shown;
};

struct GateRecord {
  int32_t Value = 0, RawF = 0, ABUS = 0;
  uint8_t ReleasedFlag = 1;
  bool operator==(const GateRecord&) const = default;
};
struct AluBusGate : GateRecord {
  GateRecord Shown;
};

// The memory's ports; the cells are kept apart (the trace records only writes).
struct MemoryPorts {
  int32_t MBUS = 0, MEMW = 0, T2 = LevelLow, PcAddr = 0, ArAddr = 0, BusIn = 0;
  int32_t FetchAddress = 0, ReadReleased = 1, Written = 0;
  bool operator==(const MemoryPorts&) const = default;
};
struct MemoryUnit : MemoryPorts {
  std::array<uint8_t, MemorySize> Cells{};
  std::array<uint8_t, MemorySize> ShownCells{};
  uint8_t WriteHappened = 0;
  int32_t WriteAddr = 0, WriteOld = 0;
  MemoryPorts Shown;
};

// Action codes of AR and PC: 0 none, 1 loaded, 2 incremented, 3 added.
struct ArRecord {
  int32_t AR = 0, Mark = 0, Out = 0, LAR = 0, ARINC = 0, T3 = LevelLow, BusIn = 0;
  bool operator==(const ArRecord&) const = default;
};
struct ArUnit : ArRecord {
  ArRecord Shown;
};

struct PcRecord {
  int32_t PC = 0, Mark = 0, Out = 0, PCADD = 0, LPC = 0, PCINC = 0, T3 = LevelLow;
  int32_t BusIn = 0, Offset = 0;
  bool operator==(const PcRecord&) const = default;
};
struct PcUnit : PcRecord {
  PcRecord Shown;
};

struct IrRecord {
  int32_t IR = 0, Mark = 0, Out = 0, LIR = 0, T3 = LevelLow, InsBus = 0;
  bool operator==(const IrRecord&) const = default;
};
struct IrUnit : IrRecord {
  IrRecord Shown;
};

struct IarRecord {
  int32_t IAR = 0, Mark = 0, LIAR = 0, IABUS = 0, T3 = LevelLow, PcIn = 0;
  uint8_t ReleasedFlag = 1;
  // What the gate offers the bus in the next small beat.
  int32_t GateEnable = 0, GateValue = 0;
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
};

// The inputs of the next-address logic as the controller took them.
struct MicroInputs {
  int32_t IR = 0, ZOut = 0, COut = 0, SWC = 0, SWB = 0, SWA = 0, INTQ = 0;
  int32_t CI = 0, ZI = 0, IR7I = 0, IR6I = 0, IR5I = 0, IR4I = 0;
  bool operator==(const MicroInputs&) const = default;
};
struct SequencerRecord {
  int32_t MicroAddress = 0, MicroAddressLoaded = 0, NextMicroAddress = 0;
  std::array<int32_t, 4> SEL{};  // SEL3..SEL0 as reached the register selects
  int32_t T3 = LevelLow, T3Inv = LevelLow;
  MicroInputs In;
  bool operator==(const SequencerRecord&) const = default;
};
// Everything the controller panel shows that follows from an address and inputs.
struct MicroDecode {
  std::array<int32_t, 40> Bits{};  // Bits[n] is Mn
  std::array<int32_t, 8> IRBits{};
  std::array<int32_t, 6> NuA{};  // next-address bits NuA0'..NuA5'
  // SWC∧P0, IR7∧P1, SWB∧P0, IR6∧P1, SWA∧P0, IR5∧P1, Z∧P3, C∧P2, IR4∧P1, (unused), INTQ∧P4
  std::array<int32_t, 12> Terms{};
  std::array<int32_t, 5> PartialOr{};  // temp12..temp16
  int32_t NextMicroAddress = 0;
  std::array<int32_t, 4> RegSelect{};  // RD1, RD0, RS1, RS0
  char MicroText[16] = {};
  bool operator==(const MicroDecode&) const = default;
};
struct MicroUnit : SequencerRecord {
  std::array<ControlStoreEntry, ControlStoreSize> Store;
  MicroDecode Decode;
  SequencerRecord Shown;
};

struct BitScratch {
  std::array<int32_t, 16> Bits{};
};

struct BusRecord {
  int32_t Value = 0;
  std::array<int32_t, 4> Drive{};  // ALU gate, memory, switches, IAR
  std::array<uint8_t, 4> Considered{};
  bool operator==(const BusRecord&) const = default;
};
struct DataBus : BusRecord {
  BusRecord Shown;
};

struct InterruptRecord {
  int32_t EN_INT = 0, INTQ = 0, INTEN = 0, INTDI = 0, Mark = 0;
  bool operator==(const InterruptRecord&) const = default;
};
struct InterruptUnit : InterruptRecord {
  InterruptRecord Shown;
};

struct BeatRecord {
  int32_t T1 = LevelLow, T2 = LevelLow, T3 = LevelLow;
  int32_t BeatPhase = 0, BeatLevel = LevelBeat;
  bool operator==(const BeatRecord&) const = default;
};
struct BeatGen : BeatRecord {
  // 64-bit so that very long headless runs neither overflow nor lose the ring index.
  int64_t StepCount = 0, ViewPos = 0;
  BeatRecord Shown;
};

struct LevelSwitches {
  std::array<uint8_t, 32> Position{};
  std::array<int32_t, 32> Output{};
  std::array<uint8_t, 32> ShownPosition{};
  std::array<int32_t, 32> ShownOutput{};
};

struct DataSwShown {
  int32_t Value = 0, SBUS = 0;
  std::array<int32_t, 8> Bits{};
  uint8_t ReleasedFlag = 1;
  bool operator==(const DataSwShown&) const = default;
};
struct DataSwitches {
  int32_t Value = 0;
  uint8_t ReleasedFlag = 1;  // the SD gate is off while SBUS is not 1
  std::array<int32_t, 8> Bits{};
  int32_t SBUS = 0;
  uint8_t ReleasedCopy = 1;
  int32_t DrivenValue = 0;  // committed: what the gate offers the bus
  std::array<int32_t, 8> DrivenBits{};
  DataSwShown Shown;  // what the levers and the value label show
};

// STOP and the values of jacks 0-37 and 50-83, taken at every evaluation.
// A jack carries 0, 1 or NoValue, so 16 bits hold it: the snapshot is in
// every trace entry, and this keeps the ring's 50 000 entries small.
struct BoardSnapshot {
  int32_t STOP = 0;
  std::array<uint16_t, 72> Jacks{};
  bool operator==(const BoardSnapshot&) const = default;
};
int SnapshotJack(int slot);  // jack number of snapshot slot 0..71

struct ConsoleState {
  uint8_t PowerOn = 0, SingleBeat = 0, Running = 0, AfterReset = 1;
  int32_t StopCounter = 0;
  int32_t SWC = 0, SWB = 0, SWA = 0;
  int32_t StepsPerTick = 1;
  uint8_t TimerActive = 0, KeepRunning = 0, MemoryGridDirty = 1, TraceRestored = 0;
  int32_t PlaybackDirection = 0;
  uint32_t WireColor = color::SkyBlue;
};

// What the wire editor keeps while a wire is drawn.
struct MidwayPoint {
  uint8_t Used = 0;
  int32_t X = 0, Y = 0;
};
struct WireEditorState {
  uint8_t WireDrawing = 0;
  int32_t DrawStartJack = 0, DrawEndJack = 0, DrawStartIsOutput = 0, DrawEndIsOutput = 0;
  std::array<MidwayPoint, MidwayCapacity> MidwayPoints{};
  std::array<int32_t, 4> RubberBand{};
  std::array<int32_t, 2> LastMousePos{};
  int32_t WrongInputCount = 0;
  int32_t WrongBlinkCounter = 0;
};

// ------------------------------------------------------------------ trace
// One entry per small beat: every unit's shown record, plus what the memory
// needs to be rebuilt by undoing writes.
struct MemTrace {
  int64_t Step = 0;
  uint8_t Written = 0;
  int32_t Addr = 0, Old = 0;
  MemoryPorts Ports;
  bool operator==(const MemTrace&) const = default;
};
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
  std::array<int32_t, 32> levelOutputs{};
  DataSwShown dataSwitches;
  BoardSnapshot snapshot;
  std::array<int32_t, SigCount> signals{};
  bool operator==(const TraceEntry&) const = default;
};

// What the display showed at the newest position, kept while the arrows show
// an older one: leaving the playback puts back exactly this, so an action
// taken then acts as if the arrows had never been pressed.
struct NewestShown {
  TraceEntry entry;
  MemoryPorts memPorts;
  std::array<uint8_t, MemorySize> cells{};
  MicroDecode decode;
  std::array<int32_t, 72> jacks{};
};

// The memory and the control store just before a change made between beats
// (a grid save, a file or assembly load), with the newest beat at the time:
// a playback position at or before that beat shows them as they were.
struct MemoryEdit {
  int64_t after = 0;
  std::array<uint8_t, MemorySize> before{};
};
struct StoreEdit {
  int64_t after = 0;
  std::array<std::array<char, 10>, ControlStoreSize> before{};  // the word texts FetchMicroword gave
};
// Enough for any lab; a script that changes the memory between more beats
// than this keeps the newest changes.
inline constexpr size_t EditHistoryDepth = 8192;

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
  BitScratch Scratch;
  DataBus Bus;
  InterruptUnit Int;
  BeatGen Beat;
  LevelSwitches Levels;
  DataSwitches DataSw;
  BoardSnapshot Snapshot;
  ControlSignals Signals;
  ConsoleState Console;
  WireEditorState WireEditor;
  NewestShown Newest;               // valid while Console.TraceRestored is 1
  std::deque<MemoryEdit> MemEdits;  // oldest first
  std::deque<StoreEdit> StoreEdits;
  // The trace rings, HistoryDepth entries each, allocated once and zeroed
  // lazily by the system: an entry is only ever read after the beat of its
  // position has written it (positions 1..StepCount since the last reset), so
  // the pages of a ring are touched only as far as the machine has run.
  struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
  };
  std::unique_ptr<TraceEntry[], FreeDeleter> Ring;
  // The memory's part of the trace in a ring of its own: rebuilding an older
  // memory walks it backwards, and a compact ring keeps that walk fast.
  std::unique_ptr<MemTrace[], FreeDeleter> MemRing;

  MachineState();
  // Every unit back to how the constructor left it; the rings stay allocated
  // (no entry is read before a beat writes it again).
  void Reset();
  static size_t RingIndex(int64_t step) { return static_cast<size_t>(step % HistoryDepth); }
  TraceEntry& RingAt(int64_t step) { return Ring[RingIndex(step)]; }
  const TraceEntry& RingAt(int64_t step) const { return Ring[RingIndex(step)]; }
  MemTrace& MemRingAt(int64_t step) { return MemRing[RingIndex(step)]; }
  const MemTrace& MemRingAt(int64_t step) const { return MemRing[RingIndex(step)]; }

 private:
  MachineState(std::unique_ptr<TraceEntry[], FreeDeleter> ring, std::unique_ptr<MemTrace[], FreeDeleter> memRing);
};

// ---------------------------------------------------------------- helpers
// Word text of control-store entry (address mod 64); "0000020000" when empty.
const std::string& FetchMicroword(const MachineState& machine, int32_t address);
void SetControlStoreEntry(MachineState& machine, int32_t address, std::string_view full, std::string_view word,
                          std::string_view comment);
void ClearControlStore(MachineState& machine);
// Bits 0..15 of value into the scratch record, bit 0 first.
void SplitBits(MachineState& machine, int32_t value);
// Hex text to integer: last character least significant, non-hex counts 0,
// only the first 32 characters are looked at, 32 bits wide. Characters are
// UTF-8 code points, not bytes.
int32_t ParseHex(std::string_view text);
int HexDigitValue(char c);  // -1 for a character that is not a hex digit

}  // namespace orrin
