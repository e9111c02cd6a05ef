#include "base/memory_file.h"

#include <algorithm>

#include "base/hex_text.h"
#include "base/line_ends.h"
#include "base/machine_state.h"

namespace orrin {

std::string MemoryFileText(const MemoryImage& image) {
  std::string text;
  text.reserve(2 * image.size());
  for (uint8_t b : image) text.append(Hex2(b).view());
  return text;
}

bool ReadMemoryFile(std::string_view text, MemoryImage& image) {
  text = WithoutBom(text);
  constexpr std::size_t kDigits = 2 * std::tuple_size_v<MemoryImage>;
  if (text.size() < kDigits) return false;
  for (char c : text.substr(kDigits))
    if (c != '\r' && c != '\n' && c != ' ' && c != '\t') return false;
  auto digit = [&](std::size_t i) { return std::max(HexDigitValue(text[i]), 0); };
  for (std::size_t a = 0; a < image.size(); ++a) image[a] = static_cast<uint8_t>(digit(2 * a) * 16 + digit(2 * a + 1));
  return true;
}

}  // namespace orrin
