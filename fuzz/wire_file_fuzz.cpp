// Any bytes as a wire file: the store stays consistent, and what is saved
// reads back to the same wires.
#include "fuzz/fuzz_support.h"

using namespace orrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static EchoBoards b(false);
  b.Input(data, size);
  b.sim.N_ReadLineFileClick();
  RequireInvariants(b.sim);

  b.SaveForEcho([](Simulator& sim) { sim.N_SaveLineFileClick(); });
  b.echo.N_ReadLineFileClick();
  RequireInvariants(b.echo);
  for (size_t i = 0; i < b.sim.wires.Wires().size(); ++i) {
    const Wire& a = b.sim.wires.WireAt(i);
    const Wire& e = b.echo.wires.WireAt(i);
    Require(a.InUse == e.InUse, "saved wire file reads back with other records in use");
    if (!a.InUse) continue;
    Require(a.From == e.From && a.To == e.To && a.Color == e.Color && a.Points == e.Points,
            "saved wire reads back different");
  }
  return 0;
}
