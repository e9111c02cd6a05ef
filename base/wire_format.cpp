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

void ForEachWireLine(std::string_view bytes, const std::function<void(std::string_view)>& take) {
  std::string line;
  bool pending = false;  // digits or a line end seen since the last line was taken
  const LineEnds ends(bytes);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (const size_t end = ends.At(i); end > 0) {
      take(line);
      line.clear();
      pending = false;
      i += end - 1;
    } else if (HexDigitValue(c) >= 0) {
      line += c;
      pending = true;
    }
  }
  if (pending) take(line);
}

}  // namespace orrin
