#include "base/alu181.h"

#include <gtest/gtest.h>

#include <string>

namespace orrin {
namespace {

struct Result {
  int f, cn4;
  std::string formula;
};

Result Alu(int s, int m, int cin, int a, int b) {
  Alu181 alu;
  const int r = alu.Compute((s >> 3) & 1, (s >> 2) & 1, (s >> 1) & 1, s & 1, m, cin, a, b);
  EXPECT_EQ(r, alu.Cn4 * 256 + alu.F);
  return {r % 256, r / 256, alu.Formula};
}

TEST(Alu181, SumAndDifferenceCarryRules) {
  auto r = Alu(0b1001, 0, 1, 200, 100);
  EXPECT_EQ(r.f, 44);
  EXPECT_EQ(r.cn4, 0);
  EXPECT_EQ(r.formula, "F = A+B");
  r = Alu(0b0110, 0, 0, 5, 7);
  EXPECT_EQ(r.f, 254);
  EXPECT_EQ(r.cn4, 1);
  r = Alu(0b0110, 0, 0, 7, 5);
  EXPECT_EQ(r.f, 2);
  EXPECT_EQ(r.cn4, 0);
  r = Alu(0b1111, 0, 1, 0, 0);
  EXPECT_EQ(r.f, 255);
  EXPECT_EQ(r.cn4, 1);
  r = Alu(0b1111, 0, 1, 1, 0);
  EXPECT_EQ(r.f, 0);
  EXPECT_EQ(r.cn4, 0);
  r = Alu(0b0000, 0, 0, 255, 0);
  EXPECT_EQ(r.f, 0);
  EXPECT_EQ(r.cn4, 0);
  EXPECT_EQ(r.formula, "F = A+1");
}

TEST(Alu181, LogicCarryRules) {
  for (int cin : {0, 1}) {
    EXPECT_EQ(Alu(0b0011, 1, cin, 12, 34).f, 0);
    EXPECT_EQ(Alu(0b0011, 1, cin, 12, 34).cn4, cin);
    EXPECT_EQ(Alu(0b1110, 1, cin, 0, 0).cn4, 0);
    EXPECT_EQ(Alu(0b1110, 1, cin, 255, 255).cn4, 0);
  }
  EXPECT_EQ(Alu(0b0000, 1, 0, 255, 0).cn4, 0);  // or-rule, F = 0
  EXPECT_EQ(Alu(0b0000, 1, 1, 255, 0).cn4, 1);
  EXPECT_EQ(Alu(0b0101, 1, 1, 0, 255).cn4, 1);  // and-rule, F = 0
  EXPECT_EQ(Alu(0b0101, 1, 0, 0, 255).cn4, 0);
  EXPECT_EQ(Alu(0b1000, 1, 0, 255, 7).cn4, 0);
  EXPECT_EQ(Alu(0b1000, 1, 0, 254, 7).cn4, 1);
  EXPECT_EQ(Alu(0b1000, 1, 1, 3, 0).cn4, 1);
  EXPECT_EQ(Alu(0b1000, 1, 1, 3, 1).cn4, 0);
  EXPECT_EQ(Alu(0b1100, 1, 0, 128, 0).cn4, 1);
  EXPECT_EQ(Alu(0b1100, 1, 0, 127, 0).cn4, 0);
  EXPECT_EQ(Alu(0b1101, 1, 0, 0, 255).cn4, 0);
  EXPECT_EQ(Alu(0b1101, 1, 0, 127, 0).cn4, 1);
  EXPECT_EQ(Alu(0b1101, 1, 0, 128, 0).cn4, 0);
  EXPECT_EQ(Alu(0b1101, 1, 1, 128, 0).cn4, 1);
  EXPECT_EQ(Alu(0b1101, 1, 1, 127, 0).cn4, 0);
}

// Every entry against an independent reading of the chip's function table:
// the value before the carry rule, for all operands of a coarse grid.
TEST(Alu181, ValuesOfEveryEntry) {
  auto inv = [](int x) { return 255 - x; };
  for (int a = 0; a < 256; a += 17) {
    for (int b = 0; b < 256; b += 13) {
      const int logic[16] = {inv(a),     inv(a | b), inv(a) & b, 0,     inv(a & b), inv(b),     a ^ b, a & inv(b),
                             inv(a) | b, inv(a ^ b), b,          a & b, 255,        a | inv(b), a | b, a};
      for (int s = 0; s < 16; ++s) EXPECT_EQ(Alu(s, 1, 0, a, b).f, logic[s]) << s;
      const int plus[16] = {a,
                            a | b,
                            a | inv(b),
                            255,
                            a + (a & inv(b)),
                            (a | b) + (a & inv(b)),
                            a - b - 1,
                            (a & inv(b)) - 1,
                            a + (a & b),
                            a + b,
                            (a & b) + (a | inv(b)),
                            (a & b) - 1,
                            a + a,
                            a + (a | b),
                            a + (a | inv(b)),
                            a - 1};
      for (int s = 0; s < 16; ++s) EXPECT_EQ(Alu(s, 0, 1, a, b).f, ((plus[s] % 256) + 256) % 256) << s;
      const int carried[16] = {a + 1,
                               (a | b) + 1,
                               (a | inv(b)) + 1,
                               0,
                               a + (a & inv(b)) + 1,
                               (a | b) + (a & inv(b)) + 1,
                               a - b,
                               a & inv(b),
                               a + (a & b) + 1,
                               a + b + 1,
                               (a & b) + (a | inv(b)) + 1,
                               a & b,
                               a + a + 1,
                               a + (a | b) + 1,
                               a + (a | inv(b)) + 1,
                               a};
      for (int s = 0; s < 16; ++s) EXPECT_EQ(Alu(s, 0, 0, a, b).f, ((carried[s] % 256) + 256) % 256) << s;
    }
  }
}

TEST(Alu181, FormulaTextsVerbatim) {
  EXPECT_EQ(Alu(0b0010, 1, 0, 0, 0).formula, "F= /A && B");
  EXPECT_EQ(Alu(0b0110, 1, 0, 0, 0).formula, "F= A⊕B ");
  EXPECT_EQ(Alu(0b1000, 1, 0, 0, 0).formula, "F= /A | B");
  EXPECT_EQ(Alu(0b1100, 1, 0, 0, 0).formula, "F = 全1");
  EXPECT_EQ(Alu(0b0101, 0, 1, 0, 0).formula, "(A && /B)+(A|B)");
  EXPECT_EQ(Alu(0b0100, 0, 0, 0, 0).formula, "A + (A && /B) +1");
  EXPECT_EQ(Alu(0b1110, 0, 0, 0, 0).formula, "F = (A | /B)+A+1");
  // M counts as logic only when it is exactly 1.
  EXPECT_EQ(Alu(0b1001, 3, 1, 1, 1).formula, "F = A+B");
}

}  // namespace
}  // namespace orrin
