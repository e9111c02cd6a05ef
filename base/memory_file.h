#pragma once
// The memory text file: 256 bytes as 512 hex digits, two per byte from
// address 00 up, high digit first. The board, orrin-asm -d and the grader
// all read it here, so they agree on which files are memory files.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orrin {

using MemoryImage = std::array<uint8_t, 256>;

// A saved file may have picked up line ends or blanks in a text editor;
// anything longer than this is not a memory file whatever it holds.
inline constexpr std::size_t kLongestMemoryFile = 64 * 1024;

// The 512 upper-case hex digits of a memory file.
std::string MemoryFileText(const MemoryImage& image);
// Reads a memory file: after an optional UTF-8 byte-order mark, 512
// characters, a pair per byte (a character that is not a hex digit counts
// 0), followed by nothing but blanks and line ends. False when the text is
// not one; the image is then untouched.
bool ReadMemoryFile(std::string_view text, MemoryImage& image);

}  // namespace orrin
