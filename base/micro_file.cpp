#include "base/micro_file.h"

#include "base/hex_text.h"
#include "base/line_ends.h"

namespace orrin::files {

// Every hex digit outside the comment counts; blanks, colons and any other
// character are passed over. A line of exactly twelve digits sets an entry;
// its comment keeps the line end, as the file had it.
namespace {
// Each line's twelve digits (or the count of digits when not twelve) and its
// comment, to `take`.
template <typename Take>
void ForEachMicroLine(std::string_view text, Take take) {
  ForEachLine(text, [&](std::string_view line, int64_t number) {
    const size_t semi = line.find(';');
    std::string_view comment;
    if (semi != std::string_view::npos) {
      const size_t after = static_cast<size_t>(line.data() - text.data()) + line.size();
      const size_t end = after < text.size() ? LineEndAt(text, after) : 0;
      comment = std::string_view(line.data() + semi, line.size() - semi + end);
      line = line.substr(0, semi);
    }
    char digits[12];
    int count = 0;  // every digit counts, also past the twelfth
    for (char c : line) {
      if (HexDigitValue(c) < 0) continue;
      if (count < 12) digits[count] = c;
      ++count;
    }
    take(std::string_view(digits, count == 12 ? 12 : 0), count, comment, number);
  });
}
}  // namespace

std::vector<int64_t> ReadMicroprogram(MachineState& machine, std::string_view text) {
  std::vector<int64_t> skipped;
  ForEachMicroLine(text, [&](std::string_view all, int count, std::string_view comment, int64_t number) {
    if (count == 12) {
      SetControlStoreEntry(machine, ParseHex(all.substr(0, 2)), all, all.substr(2), comment);
    } else if (count > 0) {
      skipped.push_back(number);
    }
  });
  return skipped;
}

std::size_t CountMicrowords(std::string_view text) {
  std::size_t n = 0;
  ForEachMicroLine(text, [&](std::string_view, int count, std::string_view, int64_t) { n += count == 12 ? 1 : 0; });
  return n;
}

std::string MicroprogramBackup(const MachineState& machine) {
  std::string out;
  out.reserve(ControlStoreSize * 15);
  for (int a = 0; a < ControlStoreSize; ++a) {
    if (machine.Micro.Store[static_cast<size_t>(a)].Address == NoValue) continue;
    out.append(Hex2(a).view());
    out += ':';
    out += FetchMicroword(machine, a);
    out += "\r\n";
  }
  return out;
}

}  // namespace orrin::files
