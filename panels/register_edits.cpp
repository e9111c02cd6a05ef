// The twelve register fields: a hex value typed and committed with Enter
// goes into the register and every copy of it, as if a clock step had
// loaded it.
#include "panels/panel_helpers.h"
#include "panels/text_files.h"

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
  if (length == 0 || key != 13 || s.Console.PowerOn != 1) return false;
  // Typed over an older position: the text is the user's, the register the live one.
  const std::string typed = view[field].text;
  EndPlayback();
  const std::string_view text = Stripped(typed);
  if (!text.empty() && panels::CharacterCount(text) <= static_cast<size_t>(length)) {
    const int32_t v = ParseHex(text);
    const int32_t bit = v & 1, byte = v & 0xFF;
    switch (field) {
      case Edit_EN_INT:
        s.Int.EN_INT = s.Int.Shown.EN_INT = bit;
        break;
      case Edit_Z:
        s.Flags.Z = s.Flags.ZOut = s.Flags.Shown.Z = s.Flags.Shown.ZOut = bit;
        break;
      case Edit_C:
        s.Flags.C = s.Flags.COut = s.Flags.Shown.C = s.Flags.Shown.COut = bit;
        break;
      case Edit_R0:
      case Edit_R1:
      case Edit_R2:
      case Edit_R3: {
        const size_t r = static_cast<size_t>(static_cast<int>(field) - static_cast<int>(Edit_R0));
        s.Regs.R[r] = s.Regs.Shown.R[r] = byte;
        break;
      }
      case Edit_AR:
        s.Ar.AR = s.Ar.Out = s.Ar.Shown.AR = s.Ar.Shown.Out = byte;
        break;
      case Edit_PC:
        s.Pc.PC = s.Pc.Out = s.Pc.Shown.PC = s.Pc.Shown.Out = byte;
        break;
      case Edit_IR:
        s.Ir.IR = s.Ir.Out = s.Ir.Shown.IR = s.Ir.Shown.Out = byte;
        break;
      case Edit_IAR:
        // The bus gate offers what IAR holds, so it follows the edit too.
        s.Iar.IAR = s.Iar.Shown.IAR = s.Iar.GateValue = byte;
        break;
      case Edit_uAR:
        s.Micro.MicroAddress = s.Micro.Shown.MicroAddress = v & 63;
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
