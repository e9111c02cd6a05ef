#pragma once
// A microword in the words of a microprogram source: the names of its
// signals and tests, its fields S= and SEL=, its next address. The source's
// assembler reads these words; the controller panel and the disassembly
// write them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orrin {

// The bit of a single-bit item (a signal or a test) named `upper`, in upper
// case; nothing for any other word.
std::optional<int> MicroItemBit(std::string_view upper);
inline constexpr int kMicroSBit = 22, kMicroSelBit = 34, kMicroSelCtlBit = 38;

// "ITEMS -> HH": the single-bit signals from M39 down to M11, S=H when
// S3..S0 are not all 0, SEL=H when SELCTL is 1 or SEL3..SEL0 are not all 0,
// the tests P4 .. P0, then the next address.
std::string MicrowordItems(uint64_t word);

// A source's label: a letter, then letters, digits, '_', not spelt like an
// item or like two hex digits.
bool IsMicroLabel(std::string_view name);
// The label a control-store entry's comment carries (";fetch: …" gives
// "fetch"); "" for none.
std::string LabelOfComment(std::string_view comment);

}  // namespace orrin
