#include "base/hex_text.h"

#include <cstdio>

namespace orrin {

SmallText Hex2(int32_t v) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  SmallText t;
  t.buf[0] = kDigits[(v >> 4) & 15];
  t.buf[1] = kDigits[v & 15];
  t.len = 2;
  return t;
}

SmallText Hex1(int32_t v) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  SmallText t;
  t.buf[0] = kDigits[v & 15];
  t.len = 1;
  return t;
}

SmallText Dec(int64_t v) {
  SmallText t;
  t.len = std::snprintf(t.buf, sizeof t.buf, "%lld", static_cast<long long>(v));
  return t;
}

}  // namespace orrin
