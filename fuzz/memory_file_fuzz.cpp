// Any bytes as a memory file: the memory stays whole, its shown copy agrees,
// and what is saved reads back to the same 256 bytes.
#include "fuzz/fuzz_support.h"

using namespace orrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static EchoBoards b(true);
  b.Input(data, size);
  b.sim.N_File2MEMClick();
  RequireInvariants(b.sim);
  Require(b.sim.machine.Mem.Cells == b.sim.machine.Mem.ShownCells, "shown memory differs after a load");
  b.SaveForEcho([](Simulator& sim) { sim.N_MEM2FileClick(); });
  b.echo.N_File2MEMClick();
  Require(b.echo.machine.Mem.Cells == b.sim.machine.Mem.Cells, "saved memory reads back different");
  return 0;
}
