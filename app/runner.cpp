#include "app/runner.h"

#include <istream>
#include <ostream>

namespace orrin {

int RunScript(std::istream&, std::ostream&, std::ostream&) { return 0; }

}  // namespace orrin
