// Script commands of the panels and editors: typing into the register fields
// and the two grids, their save buttons, and the memory and microprogram files.
#include "app/runner.h"

namespace orrin {

using enum WidgetId;

namespace {
// A whole hex number of one or two digits, at most `hi`.
bool ParseAddress(const std::string& text, int hi, int& value) {
  if (text.empty() || text.size() > 2) return false;
  int v = 0;
  for (char c : text) {
    const int d = HexDigitValue(c);
    if (d < 0) return false;
    v = v * 16 + d;
  }
  if (v > hi) return false;
  value = v;
  return true;
}

// What follows the first `n` words; an absent text is the empty text.
std::string Rest(const Words& w, size_t n) {
  std::string text;
  for (size_t i = n; i < w.size(); ++i) {
    if (i > n) text += ' ';
    text += w[i];
  }
  return text;
}

// A file command: the dialog answers `path`, "-" standing for Cancel.
void WithFile(RunnerContext& ctx, const std::string& path, void (Simulator::*command)()) {
  ctx.host.nextFile = path == "-" ? std::string() : path;
  (ctx.sim.*command)();
  ctx.host.nextFile.reset();  // a refused command never opened its dialog
}
}  // namespace

// The file commands of the panels, each the click on its menu item.
void (Simulator::*FileClick(Cmd command))() {
  switch (command) {
    case Cmd::LoadAsm:
      return &Simulator::N_Asm2MEMClick;
    case Cmd::LoadMemory:
      return &Simulator::N_File2MEMClick;
    case Cmd::SaveMemory:
      return &Simulator::N_MEM2FileClick;
    case Cmd::LoadMicro:
      return &Simulator::N_ReadMicroFileClick;
    case Cmd::SaveMicro:
      return &Simulator::N_BakMicro2FileClick;
    case Cmd::LoadMicroSource:
      return &Simulator::N_ReadMicroSourceClick;
    case Cmd::SaveMicroSource:
      return &Simulator::N_SaveMicroSourceClick;
    case Cmd::LoadController:
      return &Simulator::N_ReadControllerClick;
    default:
      return nullptr;
  }
}

CommandResult RunPanelCommand(RunnerContext& ctx, Cmd command, const Words& w, std::string& error) {
  Simulator& sim = ctx.sim;
  const std::string& c = w[0];
  if (command == Cmd::Edit) {
    const WidgetId field = w.size() >= 2 ? FindWidget("Edit_" + w[1]) : WidgetId::Count;
    if (field == WidgetId::Count || RegisterFieldLength(field) == 0 || w.size() > 3) {
      error = "edit needs a field (R0 R1 R2 R3 AR PC IR IAR C Z EN_INT uAR) and at most one text";
      return CommandResult::Error;
    }
    // A read-only field (power off) takes no typing; Enter still reaches it.
    sim.TypeField(field, Rest(w, 2));
    sim.EditKeyPress(field, 13);
  } else if (command == Cmd::MemCell || command == Cmd::MicroCell) {
    const bool mem = command == Cmd::MemCell;
    int a = 0;
    if (w.size() < 2 || w.size() > 3 || !ParseAddress(w[1], mem ? 0xFF : 0x3F, a)) {
      error = c + (mem ? " needs a hex address 00-FF" : " needs a hex address 00-3F") + " and at most one text";
      return CommandResult::Error;
    }
    const int cols = mem ? 16 : 8;
    const WidgetId grid = mem ? StringGrid_MEM : StringGrid_MicroMem;
    sim.TypeGridCell(grid, a % cols + 1, a / cols + 1, Rest(w, 2));
  } else if (command == Cmd::MemSave || command == Cmd::MicroSave) {
    if (w.size() != 1) {
      error = c + " takes no arguments";
      return CommandResult::Error;
    }
    if (command == Cmd::MemSave)
      sim.Button_GridToMEMClick();
    else
      sim.Button_GridToMicroClick();
  } else if (const auto click = FileClick(command)) {
    if (w.size() < 2) {
      error = c + " needs a file name (- for Cancel)";
      return CommandResult::Error;
    }
    WithFile(ctx, LineAfterWords(ctx.line, 1), click);
  } else {
    return CommandResult::NotMine;
  }
  return CommandResult::Done;
}

}  // namespace orrin
