// Script commands of the wiring board (added with the wire editor).
#include "app/runner.h"

namespace orrin {

CommandResult RunWiringCommand(RunnerContext&, const Words&, std::string&) { return CommandResult::NotMine; }

}  // namespace orrin
