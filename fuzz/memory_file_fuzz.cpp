// Any bytes as a memory file: the memory stays whole, its shown copy agrees,
// and what is saved reads back to the same 256 bytes.
#include "fuzz/fuzz_support.h"

using namespace orrin;

namespace {
struct Boards {
  FuzzHost host, echoHost;
  Simulator sim{host}, echo{echoHost};
  const std::string inPath = ScratchPath("memory-in");
  Boards() {
    host.file = inPath;
    echoHost.file = ScratchPath("memory-out");
    for (Simulator* b : {&sim, &echo}) {
      b->Startup();
      b->SpeedButtonPOWERClick();
    }
  }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Boards b;
  WriteFile(b.inPath, data, size);
  b.sim.N_File2MEMClick();
  RequireInvariants(b.sim);
  Require(b.sim.s.Mem.Cells == b.sim.s.Mem.ShownCells, "shown memory differs after a load");
  b.host.file = b.echoHost.file;  // saved where the echo board reads
  b.sim.N_MEM2FileClick();
  b.host.file = b.inPath;
  b.echo.N_File2MEMClick();
  Require(b.echo.s.Mem.Cells == b.sim.s.Mem.Cells, "saved memory reads back different");
  return 0;
}
