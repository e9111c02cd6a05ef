#pragma once
// Lines of a text file from any editor. A line ends at CR LF, at LF or at a
// lone CR, in any mix within one file: a CR LF file with lines appended by a
// Linux tool, or an LF file whose last line came from Windows, loses nothing.
// A UTF-8 byte-order mark at the start is not part of the first line.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orrin {

inline std::string_view WithoutBom(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return text;
}

// Length of the line end that starts at byte i: 2 for CR LF, 1 for a lone CR
// or LF, 0 when no line ends there.
inline std::size_t LineEndAt(std::string_view text, std::size_t i) {
  if (text[i] == '\r') return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
  return text[i] == '\n' ? 1 : 0;
}

// Calls take(line, number) for every line, numbered from 1, without its line
// end; text after the last line end is a line too. The BOM is passed over.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
  text = WithoutBom(text);
  int64_t number = 1;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t end = LineEndAt(text, i); end > 0) {
      take(text.substr(start, i - start), number++);
      i += end;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) take(text.substr(start), number);
}

}  // namespace orrin
