// Any bytes as a microprogram file: the control store stays well-formed, and
// its backup reads back to the same entries.
#include "fuzz/fuzz_support.h"

using namespace orrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static EchoBoards b(false);
  b.Input(data, size);
  b.sim.LoadMicroFile("in");
  RequireInvariants(b.sim);
  b.SaveForEcho([](Simulator& sim) { sim.N_BakMicro2FileClick(); });
  b.echo.LoadMicroFile("in");
  for (int a = 0; a < ControlStoreSize; ++a) {
    const ControlStoreEntry& x = b.sim.machine.Micro.Store[static_cast<size_t>(a)];
    const ControlStoreEntry& y = b.echo.machine.Micro.Store[static_cast<size_t>(a)];
    Require(x.Address == y.Address && x.WordText == y.WordText, "backup reads back different");
  }
  return 0;
}
