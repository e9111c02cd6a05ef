#pragma once
// Value conventions shared by every unit of the board.
#include <cstdint>

namespace orrin {

// An input jack that no wire drives; a store latching it keeps 0.
inline constexpr int32_t NoValue = 65535;
// A three-state source that is switched off; a store latching it keeps 255.
inline constexpr int32_t Released = 5001;

// A three-state source: off the bus, or putting its value on it.
enum class Drive : uint8_t { Released, Drives };

// Beat-line level codes. The complementary line of code x is 9999 - x.
inline constexpr int32_t LevelLow = 1111;
inline constexpr int32_t LevelRising = 1357;
inline constexpr int32_t LevelFalling = 8642;
inline constexpr int32_t LevelHigh = 8888;
inline constexpr int32_t Complement(int32_t code) { return 9999 - code; }

inline constexpr int HistoryDepth = 50000;
inline constexpr int JackCount = 100;
inline constexpr int TargetSlots = 40;
inline constexpr int WireCapacity = 1400;
inline constexpr int MidwayCapacity = 8192;
inline constexpr int ControlStoreSize = 64;
inline constexpr int MemorySize = 256;

// BeatLevel marker values.
inline constexpr int32_t EdgeBeat = 0;
inline constexpr int32_t LevelBeat = 100;

// Latching a bus value into an 8-bit store.
inline constexpr int32_t Latch8(int32_t v) {
  if (v == NoValue) return 0;
  if (v == Released) return 255;
  return v & 0xFF;
}

// A signal is active only when it is exactly 1.
inline constexpr bool Active(int32_t v) { return v == 1; }

// Colours as 0x00BBGGRR; system colours carry the high byte 0xFF.
namespace color {
inline constexpr uint32_t Aqua = 0x00FFFF00;
inline constexpr uint32_t Yellow = 0x0000FFFF;
inline constexpr uint32_t Red = 0x000000FF;
inline constexpr uint32_t Lime = 0x0000FF00;
inline constexpr uint32_t Gray = 0x00808080;
inline constexpr uint32_t Fuchsia = 0x00FF00FF;
inline constexpr uint32_t Silver = 0x00C0C0C0;
inline constexpr uint32_t Green = 0x00008000;
inline constexpr uint32_t Black = 0x00000000;
inline constexpr uint32_t White = 0x00FFFFFF;
inline constexpr uint32_t Blue = 0x00FF0000;
inline constexpr uint32_t SkyBlue = 0x00F0CAA6;
inline constexpr uint32_t ScrollBar = 0xFF000000;
inline constexpr uint32_t WindowText = 0xFF000008;
inline constexpr uint32_t BtnFace = 0xFF00000F;
// "Not set": the widget keeps the colour its layout gives it.
inline constexpr uint32_t Default = 0xFFFFFFFF;
inline constexpr bool IsSystem(uint32_t c) { return (c >> 24) == 0xFF; }
}  // namespace color

}  // namespace orrin
