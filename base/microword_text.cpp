#include "base/microword_text.h"

#include <cctype>

#include "base/hex_text.h"
#include "base/machine_state.h"
#include "base/signals.h"
#include "base/text_files.h"

namespace orrin {

namespace {

struct Bit {
  std::string_view name;
  int bit;
};
constexpr Bit kBits[] = {
#define ORRIN_MC_BIT(name, bit) {#name, bit},
    ORRIN_MICROWORD_BITS(ORRIN_MC_BIT)
#undef ORRIN_MC_BIT
};

// A bit that is an item of its own: the signals and the tests, not the
// fields S3..S0, SEL3..SEL0 (S=, SEL=) or the next address (->).
constexpr bool OwnItem(int bit) {
  return bit >= 6 && !(bit >= kMicroSBit && bit < kMicroSBit + 4) && !(bit >= kMicroSelBit && bit < kMicroSelBit + 4);
}

constexpr char kDigits[] = "0123456789ABCDEF";

}  // namespace

std::optional<int> MicroItemBit(std::string_view upper) {
  for (const Bit& b : kBits)
    if (OwnItem(b.bit) && b.name == upper) return b.bit;
  return std::nullopt;
}

std::string MicrowordItems(uint64_t word) {
  std::string out;
  const auto bit = [&](int b) { return static_cast<int>((word >> b) & 1); };
  const auto add = [&](std::string_view item) {
    out += item;
    out += ' ';
  };
  for (const Bit& b : kBits)
    if (b.bit >= 11 && OwnItem(b.bit) && bit(b.bit)) add(b.name);
  if (const int s = static_cast<int>((word >> kMicroSBit) & 15); s != 0) add(std::string("S=") + kDigits[s]);
  if (const int sel = static_cast<int>((word >> kMicroSelBit) & 15); sel != 0 || bit(kMicroSelCtlBit))
    add(std::string("SEL=") + kDigits[sel]);
  for (int p = 4; p >= 0; --p)
    if (bit(6 + p)) add(std::string(1, 'P') + static_cast<char>('0' + p));
  return out + "-> " + std::string(Hex2(static_cast<int>(word & 63)).view());
}

bool IsMicroLabel(std::string_view name) {
  if (!files::IsName(name)) return false;
  const bool hex2 = name.size() == 2 && HexDigitValue(name[0]) >= 0 && HexDigitValue(name[1]) >= 0;
  return !hex2 && !MicroItemBit(files::UpperAscii(name));
}

std::string LabelOfComment(std::string_view comment) {
  comment = files::TrimSpace(comment);
  if (!comment.empty() && comment.front() == ';') comment = files::TrimSpace(comment.substr(1));
  const size_t colon = comment.find(':');
  if (colon == std::string_view::npos) return {};
  const std::string_view name = comment.substr(0, colon);
  return IsMicroLabel(name) ? std::string(name) : std::string();
}

}  // namespace orrin
