// The wire file's lines: one wire each, in upper-case hex digits.
#include "base/wire_format.h"

#include <cstdio>

#include "base/line_ends.h"

namespace orrin {

std::string FormatWireLine(const Wire& w) {
  // Every field is cut to its width, so a value that does not fit can never
  // shift the fields after it.
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04X%04X%08X", static_cast<unsigned>(w.From) & 0xFFFFu,
                static_cast<unsigned>(w.To) & 0xFFFFu, static_cast<unsigned>(w.Color));
  std::string line = buf;
  line.reserve(16 + 8 * w.Points.size());
  for (const WirePoint& p : w.Points) {
    std::snprintf(buf, sizeof buf, "%04X%04X", static_cast<unsigned>(p.X) & 0xFFFFu,
                  static_cast<unsigned>(p.Y) & 0xFFFFu);
    line += buf;
  }
  return line;
}

void ForEachWireLine(std::string_view bytes, const std::function<void(std::string_view, int64_t)>& take) {
  std::string digits;
  ForEachLine(bytes, [&](std::string_view line, int64_t number) {
    digits.clear();
    for (char c : line)
      if (HexDigitValue(c) >= 0) digits += c;
    take(digits, number);
  });
}

}  // namespace orrin
