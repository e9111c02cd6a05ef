// Any bytes as an orrin-run script: no crash, no hang, and the simulator's
// invariants hold. File dialogs are cancelled and the run timer is rationed.
#include <sstream>

#include "app/runner.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out, err;
  orrin::RunOptions options;
  options.filesAllowed = false;
  options.tickBudget = 200;
  options.atEnd = [](const orrin::Simulator& sim) { orrin::RequireInvariants(sim); };
  const int status = orrin::RunScript(script, out, err, options);
  // 0: ran to its end; 1: an expectation failed; 2: a bad line.
  if (status < 0 || status > 2) __builtin_trap();
  return 0;
}
