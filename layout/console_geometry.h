#pragma once
// The console strip (Panel_KEY): where the levers stand, shared by the layout
// and by the painted strip behind them.
#include "machine/wire_editor.h"

namespace orrin::layout::console {

inline constexpr int kSeparators[] = {118, 318, 710, 936};
inline constexpr int kModeLeverX[4] = {8, 38, 64, 90};  // DP, SWC, SWB, SWA
inline constexpr int kLeverY = 26;

// Data switches SD7..SD0 from x 128 to x 290, a wider gap after SD4.
inline constexpr int SdLeverX(int i /* 0 = SD7 */) { return 128 + 22 * i + (i >= 4 ? 8 : 0); }
static_assert(SdLeverX(7) == 290);

// Level switches: K15..K0 in the upper row from x 328 to x 684, K31..K16
// below, in groups of four; the columns are the simulator's, which places the
// switch hints by them.
inline int KLeverX(int i /* 0 = K15 or K31 */) { return LevelSwitchImageLeft(15 - i); }
inline constexpr int kKUpperY = 18, kKLowerY = 66;

}  // namespace orrin::layout::console
