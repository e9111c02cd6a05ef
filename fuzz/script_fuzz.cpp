// Any bytes as an orrin-run script: no crash, no hang, and the simulator's
// invariants hold. File dialogs are cancelled, exports are formatted but
// never written, and the run timer is rationed. One board serves every
// input, reset in between as a new one would start.
#include <sstream>

#include "app/runner.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::ostringstream out;
  static orrin::ScriptHost host(out, nullptr);
  static orrin::Simulator sim(host);
  out.str("");
  sim.Reset();
  sim.Startup();
  std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream err;
  orrin::RunOptions options;
  options.filesAllowed = false;
  options.tickBudget = 200;
  options.atEnd = [](const orrin::Simulator& s) { orrin::RequireInvariants(s); };
  const int status = orrin::RunScriptOn(sim, host, script, out, err, options);
  // 0: ran to its end; 1: an expectation failed; 2: a bad line.
  if (status < 0 || status > 2) __builtin_trap();
  return 0;
}
