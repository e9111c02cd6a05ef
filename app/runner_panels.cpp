// Script commands of the panels and editors (added with the panels).
#include "app/runner.h"

namespace orrin {

CommandResult RunPanelCommand(RunnerContext&, const Words&, std::string&) { return CommandResult::NotMine; }

}  // namespace orrin
