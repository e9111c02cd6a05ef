#pragma once
// A hard-wired controller design checked against the microprogram: the same
// script on two boards side by side, the second with the design loaded and
// every `mode microprogram` taken as `mode hardwired`.
#include <iosfwd>
#include <string>

#include "app/run_facts.h"

namespace orrin {

// After every small beat the two boards' signals, registers, flags and bus
// are compared (and the memory after every line); at the first difference
// the script line, the small beat, the machine cycle and each name that
// differs with both values are printed to `out`: status 1. Status 0 when
// they agree to the end, 2 when the design or a line cannot be run.
// `facts` learns it as a grader would: a design that cannot be loaded as a
// file problem of the design, the difference as a failed expectation, and a
// tally at the end (one passed or one failed).
int CompareController(const std::string& design, std::istream& script, std::ostream& out, std::ostream& err,
                      const FactSink& facts = {});

}  // namespace orrin
