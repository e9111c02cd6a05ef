#include "asm/micro_source.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>

#include "base/hex_text.h"
#include "base/line_ends.h"
#include "base/microword_text.h"
#include "base/text_files.h"

namespace orrin {

namespace {

using files::IsName;
std::string Upper(std::string_view s) { return files::UpperAscii(s); }

bool IsHex2(std::string_view s) { return s.size() == 2 && HexDigitValue(s[0]) >= 0 && HexDigitValue(s[1]) >= 0; }
int Hex2Value(std::string_view s) { return HexDigitValue(s[0]) * 16 + HexDigitValue(s[1]); }

constexpr char kDigits[] = "0123456789ABCDEF";

std::string WordHex(uint64_t word) {
  std::string s(10, '0');
  for (int i = 9; i >= 0; --i, word >>= 4) s[static_cast<size_t>(i)] = kDigits[word & 15];
  return s;
}

// The words of a line: blanks separate them, and "->" is a word of its own
// wherever it stands ("DRW->21").
std::vector<std::string> Split(std::string_view code) {
  std::vector<std::string> words;
  std::string current;
  auto flush = [&] {
    if (!current.empty()) words.push_back(current);
    current.clear();
  };
  for (size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '-' && i + 1 < code.size() && code[i + 1] == '>') {
      flush();
      words.emplace_back("->");
      ++i;
    } else if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
      flush();
    } else {
      current += c;
    }
  }
  flush();
  return words;
}

// Well-formed UTF-8 without NUL: a text file, not a picture or a program
// picked by mistake.
bool PlainText(std::string_view line) {
  for (size_t i = 0; i < line.size();) {
    const auto c = static_cast<unsigned char>(line[i]);
    const size_t n = c == 0 ? 0 : c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > line.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(line[i + k]) >> 6) != 2) return false;
    i += n;
  }
  return true;
}

struct PendingWord {
  MicroSourceWord word;
  std::string next;  // a label to resolve, "" when the address was given
};

}  // namespace

bool AssembleMicroSource(std::string_view text, std::string_view file, MicroSource& source,
                         std::vector<std::string>& errors) {
  source = MicroSource{};
  const std::string where(file);
  if (text.size() > kLongestMicroSource) {
    errors.push_back(where + ": too large (over 1 MiB)");
    return false;
  }
  std::vector<std::pair<int64_t, std::string>> found;  // line, message: reported in line order
  const auto failAt = [&](int64_t line, const std::string& m) { found.emplace_back(line, m); };
  std::vector<PendingWord> words;
  std::map<std::string, std::pair<int, int64_t>> labels;  // upper-case name -> address, line
  std::array<int64_t, ControlStoreSize> lineAt{};         // the line that set each address
  std::string isaText;  // the instruction lines where they stand, other lines empty: its errors keep the line numbers

  bool binary = false;
  ForEachLine(text, [&](std::string_view raw, int64_t number) {
    const auto fail = [&](const std::string& m) { failAt(number, m); };
    if (binary) return;
    if (!PlainText(raw)) {
      // One message, not one per line of a file that is no source at all.
      binary = true;
      fail("not UTF-8 text: a microprogram source is a plain text file");
      return;
    }
    std::string_view code = raw;
    std::string_view comment;
    if (const size_t semi = raw.find(';'); semi != std::string_view::npos) {
      code = raw.substr(0, semi);
      comment = files::TrimSpace(raw.substr(semi + 1));
    }
    std::vector<std::string> w = Split(code);
    if (!w.empty() && Upper(w[0]) == "INSTRUCTION") {
      source.hasInstructions = true;
      for (size_t i = 1; i < w.size(); ++i) isaText += w[i] + (i + 1 < w.size() ? " " : "");
      isaText += "\n";
      return;
    }
    isaText += "\n";
    if (w.empty()) return;
    // "HH:" may carry the first item ("00:PCINC").
    const size_t colon = w[0].find(':');
    if (colon == std::string::npos) {
      fail("a word starts with its address, two hex digits and ':': '" + w[0] + "'");
      return;
    }
    const std::string address = w[0].substr(0, colon);
    if (colon + 1 < w[0].size()) w.insert(w.begin() + 1, w[0].substr(colon + 1));
    if (!IsHex2(address)) {
      fail("bad address '" + address + "': two hex digits 00-3F");
      return;
    }
    PendingWord p;
    p.word.address = Hex2Value(address);
    p.word.line = number;
    p.word.comment = std::string(comment);
    if (p.word.address >= ControlStoreSize) {
      fail("address " + Upper(address) + " is past 3F");
      return;
    }
    if (lineAt[static_cast<size_t>(p.word.address)] != 0)
      fail("two words at address " + Upper(address) + " (line " +
           std::to_string(lineAt[static_cast<size_t>(p.word.address)]) + ")");
    else
      lineAt[static_cast<size_t>(p.word.address)] = number;

    size_t i = 1;
    if (i < w.size() && w[i].size() > 1 && w[i].back() == ':') {
      const std::string name = w[i].substr(0, w[i].size() - 1);
      const std::string upper = Upper(name);
      if (!IsName(name)) {
        fail("bad label '" + name + "' (a letter, then letters, digits, _)");
      } else if (!IsMicroLabel(name)) {
        fail("label '" + name + "' is spelt like an item or an address");
      } else if (const auto it = labels.find(upper); it != labels.end()) {
        fail("label '" + name + "' defined twice (line " + std::to_string(it->second.second) + ")");
      } else {
        labels[upper] = {p.word.address, number};
        p.word.label = name;
      }
      ++i;
    }
    std::vector<std::string> seen;
    auto once = [&](const std::string& item) {
      for (const std::string& s : seen)
        if (s == item) {
          fail("'" + item + "' given twice in a word");
          return false;
        }
      seen.push_back(item);
      return true;
    };
    for (; i < w.size(); ++i) {
      const std::string u = Upper(w[i]);
      if (u == "->") {
        if (i + 2 != w.size()) {
          fail("-> needs one next address, and nothing after it");
        } else if (IsHex2(w[i + 1])) {
          const int next = Hex2Value(w[i + 1]);
          if (next >= ControlStoreSize)
            fail("next address " + Upper(w[i + 1]) + " is past 3F");
          else
            p.word.word |= static_cast<uint64_t>(next);
        } else if (IsName(w[i + 1])) {
          p.next = w[i + 1];
        } else {
          fail("bad next address '" + w[i + 1] + "': two hex digits 00-3F or a label");
        }
        break;
      }
      const size_t eq = u.find('=');
      if (eq != std::string::npos && (u.substr(0, eq) == "S" || u.substr(0, eq) == "SEL")) {
        const std::string field = u.substr(0, eq), value = u.substr(eq + 1);
        if (!once(field + "=")) continue;
        if (value.size() != 1 || HexDigitValue(value[0]) < 0) {
          fail(field + "= takes one hex digit: '" + w[i] + "'");
          continue;
        }
        p.word.word |= static_cast<uint64_t>(HexDigitValue(value[0])) << (field == "S" ? kMicroSBit : kMicroSelBit);
        continue;
      }
      if (const auto bit = MicroItemBit(u)) {
        if (once(u)) p.word.word |= uint64_t{1} << *bit;
        continue;
      }
      fail("unknown word '" + w[i] + "'");
    }
    words.push_back(std::move(p));
  });

  for (PendingWord& p : words) {
    if (p.next.empty() || binary) continue;
    const auto it = labels.find(Upper(p.next));
    if (it == labels.end())
      failAt(p.word.line, "undefined label '" + p.next + "'");
    else
      p.word.word |= static_cast<uint64_t>(it->second.first);
  }
  if (source.hasInstructions && !binary) {
    std::vector<std::string> isaErrors;
    if (!ParseInstructionSet(isaText, source.isa, isaErrors))
      for (const std::string& e : isaErrors) {
        const size_t colon = e.find(": ");
        failAt(std::stoll(e.substr(0, colon)), e.substr(colon + 2));
      }
  }
  if (!found.empty()) {
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, m] : found) errors.push_back(where + ":" + std::to_string(line) + ": " + m);
    source = MicroSource{};
    return false;
  }
  std::sort(words.begin(), words.end(),
            [](const PendingWord& a, const PendingWord& b) { return a.word.address < b.word.address; });
  for (PendingWord& p : words) source.words.push_back(std::move(p.word));
  return true;
}

std::string EntryComment(const MicroSourceWord& w) {
  if (w.label.empty()) return w.comment.empty() ? std::string() : ";" + w.comment;
  return ";" + w.label + ":" + (w.comment.empty() ? "" : " " + w.comment);
}

void LoadMicroSource(MachineState& machine, const MicroSource& source) {
  ClearControlStore(machine);
  for (const MicroSourceWord& w : source.words) {
    const std::string word = WordHex(w.word);
    SetControlStoreEntry(machine, w.address, std::string(Hex2(w.address).view()) + word, word, EntryComment(w));
  }
}

std::string MicroFileText(const MicroSource& source) {
  std::string out;
  for (const MicroSourceWord& w : source.words) {
    out += std::string(Hex2(w.address).view()) + ":" + WordHex(w.word);
    if (const std::string c = EntryComment(w); !c.empty()) out += " " + c;
    out += "\r\n";
  }
  return out;
}

std::string DisassembleWord(int address, uint64_t word, std::string_view comment) {
  std::string out = std::string(Hex2(address & 63).view()) + ": " + MicrowordItems(word);
  comment = files::TrimSpace(comment);
  if (!comment.empty() && comment.front() == ';') comment = files::TrimSpace(comment.substr(1));
  if (!comment.empty()) {
    out += " ;";
    out += comment;
  }
  return out;
}

std::string DisassembleStore(const MachineState& machine) {
  std::string out;
  for (int a = 0; a < ControlStoreSize; ++a) {
    const ControlStoreEntry& e = machine.Micro.Store[static_cast<size_t>(a)];
    if (e.Address == NoValue) continue;
    out += DisassembleWord(a, e.Word, e.CommentText) + "\n";
  }
  return out;
}

}  // namespace orrin
