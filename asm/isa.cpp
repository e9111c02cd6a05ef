#include "asm/isa.h"

#include <cctype>
#include <sstream>

#include "base/line_ends.h"
#include "base/text_files.h"

namespace orrin {

namespace {
constexpr std::pair<OperandForm, std::string_view> kForms[] = {
    {OperandForm::None, "-"},         {OperandForm::Rd, "Rd"},          {OperandForm::RdRs, "Rd,Rs"},
    {OperandForm::RdAtRs, "Rd,[Rs]"}, {OperandForm::AtRdRs, "[Rd],Rs"}, {OperandForm::Offset, "n"},
};

bool IsWord(std::string_view s) { return files::IsName(s); }

std::string Upper(std::string_view s) { return files::UpperAscii(s); }
}  // namespace

// The text of asm/standard.isa, built in by CMake (standard_isa.cpp).
const char* StandardIsaText();

std::string_view FormText(OperandForm form) {
  for (const auto& [f, text] : kForms)
    if (f == form) return text;
  return "-";
}

const Instruction* InstructionSet::Find(std::string_view mnemonic) const {
  const std::string m = Upper(mnemonic);
  for (const Instruction& i : instructions)
    if (i.mnemonic == m) return &i;
  return nullptr;
}

const Instruction* InstructionSet::ForOpcode(int opcode) const {
  for (const Instruction& i : instructions)
    if (i.opcode == opcode) return &i;
  return nullptr;
}

bool ParseInstructionSet(std::string_view text, InstructionSet& isa, std::vector<std::string>& errors) {
  isa.instructions.clear();
  const size_t before = errors.size();
  ForEachLine(text, [&](std::string_view view, int64_t number) {
    std::string line(view);
    if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string opcode, mnemonic, form, extra;
    if (!(words >> opcode)) return;
    const auto fail = [&](const std::string& m) { errors.push_back(std::to_string(number) + ": " + m); };
    if (!(words >> mnemonic >> form) || (words >> extra)) {
      fail("needs an opcode, a mnemonic and an operand form");
      return;
    }
    if (opcode.size() != 1 || !std::isxdigit(static_cast<unsigned char>(opcode[0]))) {
      fail("the opcode is one hex digit: " + opcode);
      return;
    }
    Instruction i{std::stoi(opcode, nullptr, 16), Upper(mnemonic), OperandForm::None};
    bool known = false;
    for (const auto& [f, t] : kForms)
      if (Upper(form) == Upper(t)) {
        i.form = f;
        known = true;
      }
    if (!known) {
      fail("unknown operand form " + form);
      return;
    }
    // A mnemonic is a word a source can write first on a line: a letter, then
    // letters, digits or '_' (not "GO:", which is a label, nor "X;Y", cut by
    // the comment); the directives keep their meaning.
    if (!IsWord(i.mnemonic) || i.mnemonic == "ORG" || i.mnemonic == "DB") {
      fail("bad mnemonic " + mnemonic);
      return;
    }
    if (isa.Find(i.mnemonic) != nullptr || isa.ForOpcode(i.opcode) != nullptr) {
      fail("mnemonic or opcode given twice: " + mnemonic);
      return;
    }
    isa.instructions.push_back(i);
  });
  return errors.size() == before;
}

const InstructionSet& StandardInstructionSet() {
  static const InstructionSet isa = [] {
    InstructionSet s;
    std::vector<std::string> errors;
    ParseInstructionSet(StandardIsaText(), s, errors);
    return s;
  }();
  return isa;
}

}  // namespace orrin
