#include "asm/assembler.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "base/line_ends.h"
#include "base/text_files.h"

namespace orrin {

namespace {

bool IsLabelStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsLabelChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }
bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

std::string_view Trim(std::string_view s) { return files::TrimSpace(s); }
std::string Upper(std::string_view s) { return files::UpperAscii(s); }

// A number as written, or nullopt when the text is not one. Values of any
// size come back so that "out of range" can be told from "not a number".
std::optional<int64_t> ParseNumberText(std::string_view t) {
  if (t.empty() || t.size() > 12) return std::nullopt;
  int base = 10;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    t.remove_prefix(2);
    base = 16;
  } else if (t.size() > 1 && (t.back() == 'h' || t.back() == 'H') && std::isdigit(static_cast<unsigned char>(t[0]))) {
    t.remove_suffix(1);
    base = 16;
  }
  int64_t v = 0;
  for (char c : t) {
    const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                  : base == 16 && IsHex(c)                    ? std::toupper(static_cast<unsigned char>(c)) - 'A' + 10
                                                              : -1;
    if (d < 0 || d >= base) return std::nullopt;
    v = v * base + d;
  }
  return v;
}

int HexValue(char c) { return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(c) - 'A' + 10; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// "AA: BB  STATEMENT": two hex digits, a colon, a blank, two hex digits, at
// least two blanks and more text.
bool IsListingLine(std::string_view line) {
  if (line.size() < 9 || !IsHex(line[0]) || !IsHex(line[1]) || line[2] != ':' || !IsBlank(line[3]) || !IsHex(line[4]) ||
      !IsHex(line[5]) || !IsBlank(line[6]) || !IsBlank(line[7]))
    return false;
  return !Trim(line.substr(8)).empty();
}

bool IsName(std::string_view t) { return files::IsName(t); }

// A register R0..R3; -1 for another register name, -2 for anything else.
int Register(std::string_view t) {
  if (t.size() >= 2 && (t[0] == 'R' || t[0] == 'r')) {
    bool digits = true;
    for (char c : t.substr(1)) digits &= std::isdigit(static_cast<unsigned char>(c)) != 0;
    if (digits) return t.size() == 2 && t[1] <= '3' ? t[1] - '0' : -1;
  }
  return -2;
}

// Splits operands at commas; blanks around them and inside brackets go.
std::vector<std::string> Operands(std::string_view text) {
  std::vector<std::string> ops;
  if (Trim(text).empty()) return ops;
  std::string current;
  for (char c : text) {
    if (c == ',') {
      ops.push_back(current);
      current.clear();
    } else if (!std::isspace(static_cast<unsigned char>(c))) {
      current += c;
    }
  }
  ops.push_back(current);
  return ops;
}

struct Statement {
  int line;
  int address;
  std::string mnemonic;  // upper case
  std::vector<std::string> operands;
  std::string written;  // the mnemonic as written, for messages
};

class Assembler {
 public:
  Assembler(const InstructionSet& isa, AsmResult& result) : isa_(isa), r_(result) {}

  void Run(std::string_view source) {
    ForEachLine(source, [this](std::string_view line, int64_t number) { ReadLine(static_cast<int>(number), line); });
    for (const Statement& s : statements_) Encode(s);
    std::stable_sort(r_.errors.begin(), r_.errors.end(),
                     [](const AsmError& a, const AsmError& b) { return a.line < b.line; });
  }

 private:
  void Error(int line, std::string message) { r_.errors.push_back({line, std::move(message)}); }

  // First pass: labels and the address of every statement.
  void ReadLine(int number, std::string_view line) {
    if (const size_t semi = line.find(';'); semi != std::string_view::npos) line = line.substr(0, semi);
    line = Trim(line);
    // A listing line, "AA: BB  STATEMENT" exactly as -d writes it (two
    // blanks after the byte, then the statement), sets the address and is
    // read on. With one blank, "A1: DB 5" is the label A1 before DB 5.
    if (IsListingLine(line)) {
      address_ = HexValue(line[0]) * 16 + HexValue(line[1]);
      line = Trim(line.substr(6));
    }
    // A label.
    size_t n = 0;
    while (n < line.size() && IsLabelChar(line[n])) ++n;
    if (n > 0 && n < line.size() && line[n] == ':') {
      const std::string name(line.substr(0, n));
      if (!IsLabelStart(name[0])) {
        Error(number, "bad label '" + name + "'");
      } else if (labels_.contains(Upper(name))) {
        Error(number, "duplicate label '" + name + "'");
      } else {
        // The board's addresses end at FF; a label past it would wrap to 00.
        // It is still defined, so its uses are not reported as undefined.
        if (address_ > 0xFF) Error(number, "label '" + name + "' is past FF");
        labels_[Upper(name)] = address_;
      }
      line = Trim(line.substr(n + 1));
    }
    if (line.empty()) return;
    size_t end = 0;
    while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end]))) ++end;
    Statement s{number, address_, Upper(line.substr(0, end)), Operands(line.substr(end)),
                std::string(line.substr(0, end))};
    if (s.mnemonic == "ORG") {
      const auto v = s.operands.size() == 1 ? ParseNumberText(s.operands[0]) : std::nullopt;
      if (!v) {
        Error(number, "ORG needs one address");
      } else if (*v > 0xFF) {
        Error(number, "value out of range: " + s.operands[0]);
      } else {
        address_ = static_cast<int>(*v);
      }
      return;
    }
    const int size = s.mnemonic == "DB" ? static_cast<int>(s.operands.size()) : 1;
    statements_.push_back(std::move(s));
    address_ += size;
  }

  // A byte value: a number or a label.
  std::optional<int> Value(int line, const std::string& text) {
    if (const auto v = ParseNumberText(text)) {
      if (*v <= 0xFF) return static_cast<int>(*v);
      Error(line, "value out of range: " + text);
      return std::nullopt;
    }
    if (IsName(text)) {
      if (const auto it = labels_.find(Upper(text)); it != labels_.end()) return it->second;
      Error(line, "undefined label '" + text + "'");
      return std::nullopt;
    }
    Error(line, "bad value '" + text + "'");
    return std::nullopt;
  }

  std::optional<int> Reg(int line, const std::string& text) {
    const int r = Register(text);
    if (r >= 0) return r;
    Error(line, r == -1 ? "no register " + text + " (R0-R3 only)" : "bad operand '" + text + "', a register");
    return std::nullopt;
  }

  // A register in brackets: "[R1]".
  std::optional<int> AtReg(int line, const std::string& text) {
    if (text.size() < 3 || text.front() != '[' || text.back() != ']') {
      Error(line, "bad operand '" + text + "', a register in brackets");
      return std::nullopt;
    }
    return Reg(line, text.substr(1, text.size() - 2));
  }

  void Place(int line, int address, int byte) {
    if (address > 0xFF) {
      Error(line, "value out of range: address " + std::to_string(address) + " is past FF");
      return;
    }
    const size_t a = static_cast<size_t>(address);
    if (used_[a] != 0) {
      Error(line, "overlapping bytes at address " + Hex(address) + " (line " + std::to_string(used_[a]) + ")");
      return;
    }
    used_[a] = line;
    r_.image[a] = static_cast<uint8_t>(byte);
  }

  static std::string Hex(int v) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[(v >> 4) & 15], kDigits[v & 15]};
  }

  // Second pass: the bytes.
  void Encode(const Statement& s) {
    const int line = s.line;
    if (s.mnemonic == "DB") {
      if (s.operands.empty()) Error(line, "DB needs at least one value");
      for (size_t i = 0; i < s.operands.size(); ++i)
        if (const auto v = Value(line, s.operands[i])) Place(line, s.address + static_cast<int>(i), *v);
      return;
    }
    const Instruction* ins = isa_.Find(s.mnemonic);
    if (ins == nullptr) {
      Error(line, "unknown mnemonic '" + s.written + "'");
      return;
    }
    const size_t wanted = ins->form == OperandForm::None                                     ? 0
                          : ins->form == OperandForm::Rd || ins->form == OperandForm::Offset ? 1
                                                                                             : 2;
    if (s.operands.size() != wanted) {
      Error(line, ins->mnemonic + " takes " + std::string(FormText(ins->form)) +
                      (wanted == 0   ? ""
                       : wanted == 1 ? ": one operand"
                                     : ": two operands"));
      return;
    }
    const int base = ins->opcode * 16;
    std::optional<int> low;
    switch (ins->form) {
      case OperandForm::None:
        low = 0;
        break;
      case OperandForm::Rd:
        if (const auto d = Reg(line, s.operands[0])) low = *d * 4;
        break;
      case OperandForm::RdRs: {
        const auto d = Reg(line, s.operands[0]), r = Reg(line, s.operands[1]);
        if (d && r) low = *d * 4 + *r;
        break;
      }
      case OperandForm::RdAtRs: {
        const auto d = Reg(line, s.operands[0]), r = AtReg(line, s.operands[1]);
        if (d && r) low = *d * 4 + *r;
        break;
      }
      case OperandForm::AtRdRs: {
        const auto d = AtReg(line, s.operands[0]), r = Reg(line, s.operands[1]);
        if (d && r) low = *d * 4 + *r;
        break;
      }
      case OperandForm::Offset:
        low = Offset(s);
        break;
    }
    if (low) Place(line, s.address, base + *low);
  }

  // A jump's offset: the target (a label, or +n) minus the address after it.
  std::optional<int> Offset(const Statement& s) {
    const std::string& t = s.operands[0];
    int64_t offset = 0;
    if (t.size() > 1 && t[0] == '+') {
      const auto v = ParseNumberText(t.substr(1));
      if (!v) {
        Error(s.line, "bad jump target '" + t + "'");
        return std::nullopt;
      }
      offset = *v;
    } else if (IsName(t) && Register(t) == -2) {
      const auto it = labels_.find(Upper(t));
      if (it == labels_.end()) {
        Error(s.line, "undefined label '" + t + "'");
        return std::nullopt;
      }
      offset = it->second - (s.address + 1);
    } else {
      Error(s.line, "bad jump target '" + t + "', a label or +n");
      return std::nullopt;
    }
    if (offset < 0 || offset > 15) {
      Error(s.line, "jump out of range: " + t + " is " + std::to_string(offset) +
                        " bytes from the next instruction (0 to 15 forward)");
      return std::nullopt;
    }
    return static_cast<int>(offset);
  }

  const InstructionSet& isa_;
  AsmResult& r_;
  int address_ = 0;
  std::map<std::string, int> labels_;
  std::vector<Statement> statements_;
  std::array<int, 256> used_{};  // the line that placed each byte, 0 for none
};

}  // namespace

AsmResult Assemble(std::string_view source, const InstructionSet& isa) {
  AsmResult result;
  Assembler(isa, result).Run(source);
  if (!result.ok()) result.image = {};
  return result;
}

}  // namespace orrin
