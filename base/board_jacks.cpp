// The 76 jacks of the board: names, kinds and positions on the board picture.
#include <string>

#include "base/machine_state.h"

namespace orrin {

namespace {
struct JackDef {
  int number;
  const char* name;
  int x, y;
};

constexpr int kK0to15X[16] = {742, 700, 658, 617, 576, 534, 492, 451, 409, 368, 326, 285, 243, 201, 160, 118};
constexpr int kK16to31X[16] = {723, 681, 640, 598, 556, 515, 473, 432, 390, 349, 307, 265, 224, 182, 141, 99};

constexpr JackDef kOthers[] = {
    {32, "C-O", 301, 413},   {33, "Z-O", 332, 413},   {34, "IR7-O", 758, 339}, {35, "IR6-O", 781, 339},
    {36, "IR5-O", 803, 339}, {37, "IR4-O", 826, 339}, {38, "VCC", 30, 514},    {39, "VCC", 782, 514},
    {40, "GND", 65, 514},    {41, "GND", 818, 514},   {50, "C-I", 147, 222},   {51, "Z-I", 185, 222},
    {52, "IR4-I", 237, 222}, {53, "IR5-I", 280, 222}, {54, "IR6-I", 324, 222}, {55, "IR7-I", 367, 222},
    {56, "RS1", 20, 413},    {57, "RS0", 52, 413},    {58, "RD1", 87, 413},    {59, "RD0", 117, 413},
    {60, "S3", 151, 413},    {61, "S2", 183, 413},    {62, "S1", 212, 413},    {63, "S0", 240, 413},
    {64, "M", 269, 413},     {65, "ABUS", 373, 413},  {66, "PCADD", 405, 413}, {67, "SBUS", 443, 413},
    {68, "STOP", 475, 413},  {69, "DRW", 504, 413},   {70, "PCINC", 536, 413}, {71, "CIN", 569, 413},
    {72, "LAR", 594, 413},   {73, "LDC", 619, 413},   {74, "LDZ", 645, 413},   {75, "MBUS", 674, 413},
    {76, "MEMW", 706, 413},  {77, "ARINC", 740, 413}, {78, "LPC", 771, 413},   {79, "INTEN", 810, 409},
    {80, "INTDI", 810, 420}, {81, "LIAR", 810, 432},  {82, "IABUS", 810, 443}, {83, "LIR", 810, 454},
};
}  // namespace

std::vector<JackPlace> BoardJacks() {
  std::vector<JackPlace> jacks;
  jacks.reserve(76);
  // Appending rather than "K" + to_string(): GCC 12 at -O3 reports a false
  // -Wrestrict on the latter, which breaks the Release build.
  auto kName = [](int n) { return std::string("K").append(std::to_string(n)); };
  for (int i = 0; i < 16; ++i) jacks.push_back({i, kName(i), kK0to15X[i], 514});
  for (int i = 0; i < 16; ++i) jacks.push_back({16 + i, kName(16 + i), kK16to31X[i], 541});
  for (const JackDef& d : kOthers) jacks.push_back({d.number, d.name, d.x, d.y});
  return jacks;
}

}  // namespace orrin
