#pragma once
// The modules printed on the board picture (Panel0). The layout puts the
// lamps into these boxes and the artwork draws the boxes, so both read the
// positions from here.
#include "layout/geometry.h"

namespace orrin::layout::board {

struct Module {
  Rect r;
  const char* caption;
};

// 8-bit lamp rows: bits 7..0 left to right, a gap between the nibbles.
inline constexpr int kRowLampPitch = 16;
inline constexpr int kRowNibbleGap = 6;
inline constexpr int RowLampX(int boxLeft, int i /* 0 = bit 7 */) {
  return boxLeft + 12 + kRowLampPitch * i + (i >= 4 ? kRowNibbleGap : 0);
}
inline constexpr int kRowBoxW = 152, kRowBoxH = 50;
inline constexpr int kRow1Y = 4, kRow2Y = 58;
inline constexpr int kRowLampDy = 22;  // lamp top below the box top
inline constexpr int kBoxX[4] = {6, 164, 322, 480};

inline constexpr Module kA{{kBoxX[0], kRow1Y, kRowBoxW, kRowBoxH}, QT_TRANSLATE_NOOP("orrin", "A 端口 (ALU A)")};
inline constexpr Module kB{{kBoxX[1], kRow1Y, kRowBoxW, kRowBoxH}, QT_TRANSLATE_NOOP("orrin", "B 端口 (ALU B)")};
inline constexpr Module kD{{kBoxX[2], kRow1Y, kRowBoxW, kRowBoxH}, QT_TRANSLATE_NOOP("orrin", "数据总线 DBUS")};
inline constexpr Module kFlags{{kBoxX[3], kRow1Y, 158, kRowBoxH}, QT_TRANSLATE_NOOP("orrin", "标志  Z   C")};
inline constexpr Module kAR{{kBoxX[0], kRow2Y, kRowBoxW, kRowBoxH}, QT_TRANSLATE_NOOP("orrin", "地址寄存器 AR")};
inline constexpr Module kPC{{kBoxX[1], kRow2Y, kRowBoxW, kRowBoxH}, QT_TRANSLATE_NOOP("orrin", "程序计数器 PC")};
inline constexpr Module kINS{{kBoxX[2], kRow2Y, kRowBoxW, kRowBoxH}, QT_TRANSLATE_NOOP("orrin", "指令总线 INS")};
inline constexpr Module kIR{{kBoxX[3], kRow2Y, 158, kRowBoxH}, QT_TRANSLATE_NOOP("orrin", "指令寄存器 IR")};

// Microprogram controller lamps.
inline constexpr int kRow3Y = 112, kRow3H = 54;
inline constexpr int kMicroLampPitch = 18;
inline constexpr Module kUA{{6, kRow3Y, 128, kRow3H}, QT_TRANSLATE_NOOP("orrin", "微地址 μA5-μA0")};
inline constexpr Module kNuA{{140, kRow3Y, 128, kRow3H}, QT_TRANSLATE_NOOP("orrin", "下址 NuA5-NuA0")};
inline constexpr Module kP{{274, kRow3Y, 110, kRow3H}, QT_TRANSLATE_NOOP("orrin", "判别 P4-P0")};
inline constexpr Module kSel{{390, kRow3Y, 248, kRow3H}, QT_TRANSLATE_NOOP("orrin", "寄存器选择 SEL3-SEL0  SELCTL")};
inline constexpr Module kBeat{{646, 112, 106, 132}, QT_TRANSLATE_NOOP("orrin", "节拍信号")};

// Jacks and the print around them.
inline constexpr Module kTestJacks{{120, 172, 276, 72}, QT_TRANSLATE_NOOP("orrin", "微程序判别输入")};
inline constexpr Module kLogo{{404, 172, 234, 72}, nullptr};
inline constexpr Module kLegend{{6, 172, 108, 72}, QT_TRANSLATE_NOOP("orrin", "插孔")};
inline constexpr Module kSignals{{6, 250, 842, 58}, QT_TRANSLATE_NOOP("orrin", "控制信号指示灯")};
inline constexpr Module kHint{{6, 314, 688, 46}, QT_TRANSLATE_NOOP("orrin", "连线方法")};
inline constexpr Module kIrOut{{700, 310, 148, 52}, nullptr};  // captioned on its left
inline constexpr Module kInputs{{4, 364, 776, 64},
                                QT_TRANSLATE_NOOP("orrin", "控制信号输入插孔   (括号内为驱动该信号的开关或微指令位)")};
// The INTEN column's box, two pixels right of the row's; its windows sit
// inside it, clear of its frame and of the jacks' rings.
inline constexpr Module kIntInputs{{782, 376, 70, 86}, nullptr};
inline constexpr Module kPowerL{{4, 470, 80, 104}, QT_TRANSLATE_NOOP("orrin", "电源")};
inline constexpr Module kLevels{{88, 470, 668, 104},
                                QT_TRANSLATE_NOOP("orrin", "电平开关输出   K15-K0 (上排)   K31-K16 (下排)")};
inline constexpr Module kPowerR{{760, 470, 88, 104}, QT_TRANSLATE_NOOP("orrin", "电源")};

// The 24 signal lamps: six groups of four.
inline constexpr int kSignalLampY = 272;
inline constexpr int SignalLampCenterX(int k /* 0..23 */) { return 26 + (k / 4) * 140 + (k % 4) * 32; }

}  // namespace orrin::layout::board
