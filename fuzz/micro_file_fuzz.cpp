// Any bytes as a microprogram file: the control store stays well-formed, and
// its backup reads back to the same entries.
#include "fuzz/fuzz_support.h"

using namespace orrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static EchoBoards b("micro", false);
  WriteFile(b.inPath, data, size);
  b.sim.LoadMicroFile(b.inPath);
  RequireInvariants(b.sim);
  b.SaveForEcho([](Simulator& sim) { sim.N_BakMicro2FileClick(); });
  b.echo.LoadMicroFile(b.echoHost.file);
  for (int a = 0; a < ControlStoreSize; ++a) {
    const ControlStoreEntry& x = b.sim.machine.Micro.Store[static_cast<size_t>(a)];
    const ControlStoreEntry& y = b.echo.machine.Micro.Store[static_cast<size_t>(a)];
    Require(x.Address == y.Address && x.WordText == y.WordText, "backup reads back different");
  }
  return 0;
}
