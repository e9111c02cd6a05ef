#pragma once
// orrin-run: performs a console script line by line through the simulator's
// action methods, as the user would in the window.
#include <iosfwd>
#include <string>

namespace orrin {

// Runs the script; prints to `out`, errors as "line N: MESSAGE" to `err`.
// Returns the process exit status: 0 when the script ran to its end, 2 on a
// bad line.
int RunScript(std::istream& script, std::ostream& out, std::ostream& err);

}  // namespace orrin
