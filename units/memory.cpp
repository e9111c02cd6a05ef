#include "units/units.h"

namespace orrin {

void SetMemoryPorts(MemoryPorts& mem, const SignalValues& sig, int32_t t2, int32_t pc, int32_t ar) {
  mem.MBUS = sig[MBUS];
  mem.MEMW = sig[MEMW];
  mem.T2 = t2;
  mem.PcAddr = pc;
  mem.ArAddr = ar;
}

bool WriteMemory(MemoryUnit& mem, const SignalValues& sig, const BeatRecord& beat, int32_t ar, int32_t bus) {
  if (beat.BeatLevel != LevelBeat || beat.T2 != LevelHigh || !Active(sig[MEMW])) return false;
  const size_t a = static_cast<size_t>(ar & 0xFF);
  mem.WriteAddr = static_cast<int32_t>(a);
  mem.WriteOld = mem.Cells[a];
  mem.Cells[a] = static_cast<uint8_t>(Latch8(bus));
  mem.ShownCells[a] = mem.Cells[a];
  mem.WriteHappened = true;
  mem.Written = true;
  return true;
}

void EditMemoryCell(MemoryUnit& mem, size_t address, uint8_t byte) {
  mem.Cells[address & 0xFF] = mem.ShownCells[address & 0xFF] = byte;
}

void LoadMemoryImage(MemoryUnit& mem, const std::array<uint8_t, MemorySize>& image) {
  mem.Cells = image;
  mem.ShownCells = image;
}

}  // namespace orrin
