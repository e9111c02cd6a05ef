#pragma once
// Numbers as the board shows them, formatted into a small buffer without
// allocation (a run formats many of them per small beat).
#include <cstdint>
#include <string_view>

namespace orrin {

// Fixed-width formatting into a small buffer, without allocation.
struct SmallText {
  char buf[24];
  int len = 0;
  std::string_view view() const { return {buf, static_cast<size_t>(len)}; }
};
SmallText Hex2(int32_t v);  // two upper-case hex digits of the low 8 bits
SmallText Hex1(int32_t v);  // one upper-case hex digit of the low 4 bits
SmallText Dec(int64_t v);
inline std::string_view BitText(int32_t v) { return (v & 1) ? "1" : "0"; }

}  // namespace orrin
