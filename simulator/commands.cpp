#include "simulator/commands.h"

#include <iterator>

#include "base/widget_groups.h"

namespace orrin {

using enum WidgetId;

std::optional<Cmd> FindCommand(std::string_view word) {
  for (size_t i = 0; i < static_cast<size_t>(Cmd::Count); ++i)
    if (kCommandInfo[i].word == word) return static_cast<Cmd>(i);
  return std::nullopt;
}

const Click kClicks[] = {
    {SpeedButtonPOWER, Cmd::Power, ""},
    {SpeedButtonCLR, Cmd::Clr, ""},
    {SpeedButtonQD, Cmd::Qd, ""},
    {SpeedButton_PULSE, Cmd::Pulse, ""},
    {SpeedButton_BackLeft, Cmd::Back, ""},
    {SpeedButton_BackRight, Cmd::Forward, ""},
    {Button_PAUSE, Cmd::Pause, ""},
    {Button_OneLittleStep, Cmd::Step, ""},
    {Image_DP, Cmd::Dp, ""},
    {Image_SWC, Cmd::Swc, ""},
    {Image_SWB, Cmd::Swb, ""},
    {Image_SWA, Cmd::Swa, ""},
    {Button_delLine, Cmd::ClearWires, ""},
    {Button_GridToMEM, Cmd::MemSave, ""},
    {Button_GridToMicro, Cmd::MicroSave, ""},
    {Button_CloseNowHand, Cmd::CloseNote, "independent"},
    {Button_CloseNowMicro, Cmd::CloseNote, "microprogram"},
    {RadioButtonHandLine, Cmd::Mode, "independent"},
    {RadioButtonMicroProgram, Cmd::Mode, "microprogram"},
    {RadioButtonHdLine, Cmd::Mode, "hardwired"},
};
const size_t kClickCount = std::size(kClicks);

const MenuCommand kMenuCommands[] = {
    {N_ReadLineFile, Cmd::LoadWires, ".txt", "wiring"},
    {N_SaveLineFile, Cmd::SaveWires, "wires.txt", ""},
    {N_File2MEM, Cmd::LoadMemory, ".txt", "memory"},
    {N_MEM2File, Cmd::SaveMemory, "memory.txt", ""},
    {N_Asm2MEM, Cmd::LoadAsm, ".asm,.s,.txt", "asm"},
    {N_ReadMicroFile, Cmd::LoadMicro, ".txt", "microprogram"},
    {N_BakMicro2File, Cmd::SaveMicro, "micro.txt", ""},
    {N_ReadMicroSource, Cmd::LoadMicroSource, ".mc", "microprogram"},
    {N_SaveMicroSource, Cmd::SaveMicroSource, "micro.mc", ""},
    {N_ReadController, Cmd::LoadController, ".json,.v,.sv", "hardwired"},
};
const size_t kMenuCommandCount = std::size(kMenuCommands);

const ConsoleKey kConsoleKeys[] = {
    {Button_OneLittleStep, "F7"},
    {SpeedButtonQD, "F5"},
    {Button_PAUSE, "F6"},
    {SpeedButton_PULSE, "F8"},
    {SpeedButtonCLR, "F9"},
    {SpeedButtonPOWER, "F12"},
    {SpeedButton_BackLeft, "Alt+Left"},
    {SpeedButton_BackRight, "Alt+Right"},
};
const size_t kConsoleKeyCount = std::size(kConsoleKeys);

std::string ClickLine(WidgetId widget) {
  for (const Click& c : kClicks) {
    if (c.widget != widget) continue;
    return *c.argument ? CommandLine(c.command, c.argument) : CommandLine(c.command);
  }
  // The switch banks: a click on lever n flips switch n.
  for (int n = 0; n < 32; ++n)
    if (kKLevers[n] == widget) return CommandLine(Cmd::K, n);
  for (int n = 0; n < 8; ++n)
    if (kSDLevers[n] == widget) return CommandLine(Cmd::Sd, n);
  return {};
}

}  // namespace orrin
