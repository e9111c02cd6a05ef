#pragma once
// The datapath drawing on Panel3: the places the artwork draws lines and
// symbols through, shared with the layout of the widgets on top of it.
namespace orrin::layout::datapath {

inline constexpr int kBusY = 500;  // the data bus, a thick horizontal line
inline constexpr int kBusLeft = 10, kBusRight = 850;

// 74LS181: the narrow edge (output) on top, the notched wide edge (inputs)
// below.
inline constexpr int kAluTop = 112, kAluBottom = 206;
inline constexpr int kAluTopL = 196, kAluTopR = 356, kAluBotL = 116, kAluBotR = 436;
inline constexpr int kAluAX = 156, kAluBX = 396, kAluFX = 336, kAluZX = 216, kAluCX = 243;

// The register file: field left edges and the two select lines.
inline constexpr int kRegX[4] = {126, 200, 274, 346};
inline constexpr int kRegY = 364;
inline constexpr int RegCX(int n) { return kRegX[n] + 11; }
inline constexpr int kSelBY = 304, kSelAY = 326;
inline constexpr int kPortY = 262;  // where the A and B lines turn towards the ALU
inline constexpr int kALineX = 96, kBLineX = 416;

// 8-bit lamp rows on the datapath page.
inline constexpr int kLampPitch = 13;
inline constexpr int RowX(int left, int i /* 0 = bit 7 */) { return left + kLampPitch * i + (i >= 4 ? 4 : 0); }
inline constexpr int kRowW = 7 * kLampPitch + 4 + 12;

// Memory and the registers around it.
inline constexpr int kGridL = 494, kGridT = 67, kGridR = 858, kGridB = 311;
inline constexpr int kDataPortX = 530;
inline constexpr int kArX = 594, kArY = 344, kPcX = 690, kPcY = 344;
inline constexpr int kIarX = 616, kIarY = 452, kIrX = 704, kIrY = 452;
inline constexpr int kInsX = 850;      // the instruction bus runs down the right
inline constexpr int kInsTurnY = 441;  // and turns left into IR here

}  // namespace orrin::layout::datapath
