#pragma once
// Teacher-set faults of the registers and the memory: bits stuck at 0 or 1.
// They belong to the board, not to its state, so CLR and power cycling keep
// them; the core applies them wherever a register or a cell is written.
#include <array>
#include <cstddef>
#include <cstdint>

namespace orrin {

struct StuckBits {
  uint8_t atZero = 0, atOne = 0;
  int32_t Apply(int32_t byte) const { return (byte & ~atZero & 0xFF) | atOne; }
  bool Any() const { return (atZero | atOne) != 0; }
  // Bit `bit` stuck at `level` (0 or 1), replacing what it was stuck at.
  void Set(int bit, int level) {
    const auto mask = static_cast<uint8_t>(1 << bit);
    atZero = static_cast<uint8_t>(level ? atZero & ~mask : atZero | mask);
    atOne = static_cast<uint8_t>(level ? atOne | mask : atOne & ~mask);
  }
};

// The registers that can have a stuck bit, in this order.
enum class StuckRegister : uint8_t { R0, R1, R2, R3, AR, PC, IR, IAR, Count };

struct StuckFaults {
  std::array<StuckBits, static_cast<std::size_t>(StuckRegister::Count)> registers{};
  std::array<StuckBits, 256> cells{};
  bool any = false;  // a fast way past them when none is set
  StuckBits& Of(StuckRegister r) { return registers[static_cast<std::size_t>(r)]; }
  const StuckBits& Of(StuckRegister r) const { return registers[static_cast<std::size_t>(r)]; }
};

}  // namespace orrin
