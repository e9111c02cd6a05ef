// The twelve register fields: a hex value typed and committed with Enter
// goes into the register and every copy of it, as if a clock step had
// loaded it.
#include "panels/panel_helpers.h"
#include "base/text_files.h"

namespace orrin {

using enum WidgetId;

int RegisterFieldLength(WidgetId field) {
  switch (field) {
    case Edit_EN_INT:
    case Edit_Z:
    case Edit_C:
      return 1;
    case Edit_R0:
    case Edit_R1:
    case Edit_R2:
    case Edit_R3:
    case Edit_AR:
    case Edit_PC:
    case Edit_IAR:
    case Edit_IR:
    case Edit_uAR:
      return 2;
    default:
      return 0;
  }
}

namespace {
// Leading and trailing blanks and control characters do not count.
std::string_view Stripped(std::string_view t) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!t.empty() && blank(t.front())) t.remove_prefix(1);
  while (!t.empty() && blank(t.back())) t.remove_suffix(1);
  return t;
}
}  // namespace

bool Simulator::EditKeyPress(WidgetId field, int key) {
  const int length = RegisterFieldLength(field);
  if (length == 0 || key != 13 || machine.Console.PowerOn != 1) return false;
  // Typed over an older position: the text is the user's, the register the live one.
  const std::string typed = view[field].text;
  EndPlayback();
  const std::string_view text = Stripped(typed);
  if (!text.empty() && files::CharacterCount(text) <= static_cast<size_t>(length)) {
    const int32_t v = ParseHex(text);
    const int32_t bit = v & 1, byte = v & 0xFF;
    switch (field) {
      case Edit_EN_INT:
        machine.Int.EN_INT = machine.Int.Shown.EN_INT = bit;
        break;
      case Edit_Z:
        machine.Flags.Z = machine.Flags.ZOut = machine.Flags.Shown.Z = machine.Flags.Shown.ZOut = bit;
        break;
      case Edit_C:
        machine.Flags.C = machine.Flags.COut = machine.Flags.Shown.C = machine.Flags.Shown.COut = bit;
        break;
      case Edit_R0:
      case Edit_R1:
      case Edit_R2:
      case Edit_R3: {
        const size_t r = static_cast<size_t>(static_cast<int>(field) - static_cast<int>(Edit_R0));
        machine.Regs.R[r] = machine.Regs.Shown.R[r] = byte;
        break;
      }
      case Edit_AR:
        machine.Ar.AR = machine.Ar.Out = machine.Ar.Shown.AR = machine.Ar.Shown.Out = byte;
        break;
      case Edit_PC:
        machine.Pc.PC = machine.Pc.Out = machine.Pc.Shown.PC = machine.Pc.Shown.Out = byte;
        break;
      case Edit_IR:
        machine.Ir.IR = machine.Ir.Out = machine.Ir.Shown.IR = machine.Ir.Shown.Out = byte;
        break;
      case Edit_IAR:
        // The bus gate offers what IAR holds, so it follows the edit too.
        machine.Iar.IAR = machine.Iar.Shown.IAR = machine.Iar.GateValue = byte;
        break;
      case Edit_uAR:
        machine.Micro.MicroAddress = machine.Micro.Shown.MicroAddress = v & 63;
        break;
      default:
        break;
    }
  }
  // Also after a refused text: the repaint puts the register's value back.
  BoardEvaluation();
  return true;
}

}  // namespace orrin
