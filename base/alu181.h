#pragma once
// The board's 74LS181 on 8-bit operands, active-high data.
#include <cstdint>

namespace orrin {

struct Alu181 {
  int32_t S3 = 0, S2 = 0, S1 = 0, S0 = 0, M = 0, Cn = 0, A = 0, B = 0;
  int32_t F = 0, Cn4 = 1;
  const char* Formula = "";

  // Returns Cn4 * 256 + F and leaves the formula text in the model.
  int32_t Compute(int32_t s3, int32_t s2, int32_t s1, int32_t s0, int32_t m, int32_t cin, int32_t a, int32_t b);
};

}  // namespace orrin
