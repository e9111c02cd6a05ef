#pragma once
// Runs a console script in-process and keeps what it printed.
#include <sstream>
#include <string>

#include "app/runner.h"

namespace orrin {

struct Outcome {
  int status;
  std::string out, err;
};

inline Outcome Perform(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out, err;
  const int status = RunScript(in, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace orrin
