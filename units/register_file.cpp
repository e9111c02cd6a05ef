#include "units/units.h"

namespace orrin {

void SelectRegisters(RegisterRecord& rf, const SignalValues& sig) {
  rf.RD1 = sig[RD1] & 1;
  rf.RD0 = sig[RD0] & 1;
  rf.RS1 = sig[RS1] & 1;
  rf.RS0 = sig[RS0] & 1;
  rf.DRW = sig[DRW];
  rf.RdNum = rf.RD1 * 2 + rf.RD0;
  rf.RsNum = rf.RS1 * 2 + rf.RS0;
  for (int i = 0; i < 4; ++i) rf.Select[static_cast<size_t>(i)] = i == rf.RdNum ? 1 : 0;
}

void WriteRegister(RegisterRecord& rf, int32_t bus, bool t3Rising) {
  if (!t3Rising || !Active(rf.DRW)) return;
  rf.R[static_cast<size_t>(rf.RdNum)] = Latch8(bus);
  rf.Written[static_cast<size_t>(rf.RdNum)] = true;
}

void ReadRegisterPorts(RegisterRecord& rf) {
  rf.Out = rf.R;
  rf.APort = rf.Out[static_cast<size_t>(rf.RdNum)];
  rf.BPort = rf.Out[static_cast<size_t>(rf.RsNum)];
}

void EditRegister(RegisterFile& rf, size_t n, int32_t byte) {
  rf.R[n & 3] = rf.Shown.R[n & 3] = static_cast<int16_t>(byte);
}

}  // namespace orrin
