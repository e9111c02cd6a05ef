// Any bytes as a wire file: the store stays consistent, and what is saved
// reads back to the same wires.
#include "fuzz/fuzz_support.h"

using namespace orrin;

namespace {
struct Boards {
  FuzzHost host, echoHost;
  Simulator sim{host}, echo{echoHost};
  const std::string inPath = ScratchPath("wires-in");
  Boards() {
    host.file = inPath;
    echoHost.file = ScratchPath("wires-out");
    sim.Startup();
    echo.Startup();
  }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Boards b;
  WriteFile(b.host.file, data, size);
  b.sim.N_ReadLineFileClick();
  RequireInvariants(b.sim);

  b.host.file = b.echoHost.file;  // saved where the echo board reads
  b.sim.N_SaveLineFileClick();
  b.host.file = b.inPath;
  b.echo.N_ReadLineFileClick();
  RequireInvariants(b.echo);
  for (size_t i = 0; i < b.sim.s.Wires.size(); ++i) {
    const Wire& a = b.sim.s.Wires[i];
    const Wire& e = b.echo.s.Wires[i];
    Require(a.InUse == e.InUse, "saved wire file reads back with other records in use");
    if (!a.InUse) continue;
    Require(a.From == e.From && a.To == e.To && a.Color == e.Color && a.Points == e.Points,
            "saved wire reads back different");
  }
  return 0;
}
