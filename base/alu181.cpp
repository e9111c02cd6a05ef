#include "base/alu181.h"

namespace orrin {

namespace {

enum class Carry { Sum, Difference, OrRule, AndRule, Fixed0, Fixed1, Cin, Special };

struct Entry {
  const char* formula;
  Carry carry;
};

// Indexed by S3..S0, one entry a line where the table is read by its index.
// clang-format off
constexpr Entry kLogic[16] = {
    {"F = /A", Carry::OrRule},          {"F = /(A|B)", Carry::OrRule}, {"F= /A && B", Carry::OrRule},
    {"F = 0", Carry::Cin},              {"F = /(A&&B)", Carry::OrRule}, {"F = /B", Carry::AndRule},
    {"F= A⊕B ", Carry::OrRule},         {"F = A && /B", Carry::AndRule}, {"F= /A | B", Carry::Special},
    {"F = /(A⊕B)", Carry::OrRule},      {"F = B", Carry::OrRule},      {"F = A&&B", Carry::AndRule},
    {"F = 全1", Carry::Special},        {"F = A | /B", Carry::Special}, {"F = A|B", Carry::Fixed0},
    {"F = A", Carry::AndRule},
};

constexpr Entry kArithNoCarry[16] = {  // CIN = 1
    {"F = A", Carry::Fixed1},
    {"F = A|B", Carry::Fixed1},
    {"F = A | /B", Carry::Fixed1},
    {"F = 全1", Carry::Fixed1},
    {"F = A + A && /B", Carry::Sum},
    {"(A && /B)+(A|B)", Carry::Sum},
    {"F = A-B-1", Carry::Difference},
    {"F = (A && /B) - 1", Carry::Difference},
    {"F = A+(A&&B)", Carry::Sum},
    {"F = A+B", Carry::Sum},
    {"(A | /B)+(A&&B)", Carry::Sum},
    {"F = (A&&B)-1", Carry::Difference},
    {"F = A+A", Carry::Sum},
    {"F = A+(A|B)", Carry::Sum},
    {"F = A+(A | /B)", Carry::Sum},
    {"F = A-1", Carry::Difference},
};

constexpr Entry kArithCarry[16] = {  // CIN = 0
    {"F = A+1", Carry::Sum},
    {"F = (A|B)+1", Carry::Sum},
    {"F = (A | /B)+1", Carry::Sum},
    {"F = 0", Carry::Fixed0},
    {"A + (A && /B) +1", Carry::Sum},
    {"(A && /B)+(A|B)+1", Carry::Sum},
    {"F = A-B", Carry::Difference},
    {"F = A&&(/B)", Carry::Fixed0},
    {"F = A+(A&&B)+1", Carry::Sum},
    {"F = A+B+1", Carry::Sum},
    {"(A&&B)+(A | /B)+1", Carry::Sum},
    {"F = A&&B", Carry::Fixed0},
    {"F = A+A+1", Carry::Sum},
    {"F = (A|B)+A+1", Carry::Sum},
    {"F = (A | /B)+A+1", Carry::Sum},
    {"F = A", Carry::Fixed0},
};
// clang-format on

int32_t LogicValue(int s, int32_t a, int32_t b) {
  const int32_t na = 255 - a, nb = 255 - b;
  switch (s) {
    case 0:
      return na;
    case 1:
      return 255 - (a | b);
    case 2:
      return na & b;
    case 3:
      return 0;
    case 4:
      return 255 - (a & b);
    case 5:
      return nb;
    case 6:
      return a ^ b;
    case 7:
      return a & nb;
    case 8:
      return na | b;
    case 9:
      return 255 - (a ^ b);
    case 10:
      return b;
    case 11:
      return a & b;
    case 12:
      return 255;
    case 13:
      return a | nb;
    case 14:
      return a | b;
    default:
      return a;
  }
}

int32_t ArithValue(int s, int32_t a, int32_t b, int32_t carryIn) {
  const int32_t nb = 255 - b;
  switch (s) {
    case 0:
      return a + carryIn;
    case 1:
      return (a | b) + carryIn;
    case 2:
      return (a | nb) + carryIn;
    case 3:
      return carryIn ? 0 : 255;
    case 4:
      return a + (a & nb) + carryIn;
    case 5:
      return (a | b) + (a & nb) + carryIn;
    case 6:
      return a - b - 1 + carryIn;
    case 7:
      return carryIn ? (a & nb) : (a & nb) - 1;
    case 8:
      return a + (a & b) + carryIn;
    case 9:
      return a + b + carryIn;
    case 10:
      return (a & b) + (a | nb) + carryIn;
    case 11:
      return carryIn ? (a & b) : (a & b) - 1;
    case 12:
      return a + a + carryIn;
    case 13:
      return a + (a | b) + carryIn;
    case 14:
      return a + (a | nb) + carryIn;
    default:
      return carryIn ? a : a - 1;
  }
}

}  // namespace

int32_t Alu181::Compute(int32_t s3, int32_t s2, int32_t s1, int32_t s0, int32_t m, int32_t cin, int32_t a, int32_t b) {
  *this = Alu181{};
  S3 = s3, S2 = s2, S1 = s1, S0 = s0, M = m, Cn = cin, A = a, B = b;
  const int s = (s3 & 1) * 8 + (s2 & 1) * 4 + (s1 & 1) * 2 + (s0 & 1);
  const int32_t c = cin & 1;
  const int32_t av = a & 0xFF, bv = b & 0xFF;

  const Entry* entry;
  int32_t value;
  if (m == 1) {
    entry = &kLogic[s];
    value = LogicValue(s, av, bv);
  } else {
    // CIN is active low: 0 means a carry into the chip.
    entry = c ? &kArithNoCarry[s] : &kArithCarry[s];
    value = ArithValue(s, av, bv, c ? 0 : 1);
  }
  Formula = entry->formula;

  switch (entry->carry) {
    case Carry::Sum:
      if (value > 255) {
        F = value - 256;
        Cn4 = 0;
      } else {
        F = value;
        Cn4 = 1;
      }
      break;
    case Carry::Difference:
      value = ((value % 512) + 512) % 512;
      if (value > 255) {
        F = value - 256;
        Cn4 = 1;
      } else {
        F = value;
        Cn4 = 0;
      }
      break;
    case Carry::OrRule:
      F = value;
      Cn4 = (c == 0 && F == 0) ? 0 : 1;
      break;
    case Carry::AndRule:
      F = value;
      Cn4 = (c == 1 && F == 0) ? 1 : 0;
      break;
    case Carry::Fixed0:
      F = value;
      Cn4 = 0;
      break;
    case Carry::Fixed1:
      F = value;
      Cn4 = 1;
      break;
    case Carry::Cin:
      F = value;
      Cn4 = c;
      break;
    case Carry::Special:
      F = value;
      if (s == 8) {
        Cn4 = c == 0 ? (av == 255 ? 0 : 1) : (bv == 0 ? 1 : 0);
      } else if (s == 12) {
        Cn4 = av >= 128 ? 1 : 0;
      } else {  // 1101
        Cn4 = c == 0 ? (bv == 255 ? 0 : (av < 128 ? 1 : 0)) : (av >> 7) & 1;
      }
      break;
  }
  return Cn4 * 256 + F;
}

}  // namespace orrin
