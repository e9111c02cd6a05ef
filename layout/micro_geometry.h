#pragma once
// The microprogram controller drawing (lower part of Panel3, Image10).
namespace orrin::layout::micro {

// The microinstruction register: bit M(39 - k) at MicroBitX(k), in groups of
// four that line up with the columns of the control-store grid below.
inline constexpr int kBitW = 13;
inline constexpr int MicroBitX(int k /* 0 = M39 */) { return 108 + 57 * (k / 4) + 14 * (k % 4); }
inline constexpr int kBitNamesY = 628, kBitValuesY = 676, kBitDigitsY = 694;

// The next-address logic: one row per address bit, with a sub-row for each
// test term that feeds it.
inline constexpr int kUarX = 334, kUarY = 886;
inline constexpr int UaLampX(int i /* 0 = bit 5 */) { return 364 + 16 * i; }
inline constexpr int kGateRowY = 910;
inline constexpr int kRowBit5 = 944, kRowBit4 = 964, kRowBit3 = 986, kRowBit2 = 1022, kRowBit1 = 1058, kRowBit0 = 1094;
inline constexpr int kRowPitch = 15;
// Columns of the logic.
inline constexpr int kIn1X = 52, kIn2X = 96, kAndX = 116, kTermX = 138, kOrX = 190, kNuaX = 258, kOkX = 336;

}  // namespace orrin::layout::micro
