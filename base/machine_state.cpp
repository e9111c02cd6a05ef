#include "base/machine_state.h"

namespace orrin {

int SnapshotJack(int slot) { return slot < 38 ? slot : slot - 38 + 50; }

namespace {
const std::string kEmptyWord = "0000020000";
const uint64_t kEmptyWordValue = ParseMicroword(kEmptyWord);
}  // namespace

const std::string& FetchMicroword(const MachineState& machine, int32_t address) {
  const auto& e = machine.Micro.Store[static_cast<size_t>(address & 63)];
  return e.Address == NoValue ? kEmptyWord : e.WordText;
}

uint64_t MicrowordValue(const MachineState& machine, int32_t address) {
  const auto& e = machine.Micro.Store[static_cast<size_t>(address & 63)];
  return e.Address == NoValue ? kEmptyWordValue : e.Word;
}

void SetControlStoreEntry(MachineState& machine, int32_t address, std::string_view full, std::string_view word,
                          std::string_view comment) {
  auto& e = machine.Micro.Store[static_cast<size_t>(address & 63)];
  e.Address = address & 63;
  e.FullText.assign(full);
  e.WordText.assign(word);
  e.CommentText.assign(comment);
  e.Word = ParseMicroword(word);
}

void ClearControlStore(MachineState& machine) {
  for (auto& e : machine.Micro.Store) e = ControlStoreEntry{};
}

uint64_t ParseMicroword(std::string_view text) {
  uint64_t w = 0;
  for (size_t i = 0; i < 10; ++i) {
    const int d = i < text.size() ? HexDigitValue(text[i]) : 0;
    w = (w << 4) | static_cast<uint64_t>(d < 0 ? 0 : d);
  }
  return w;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int32_t ParseHex(std::string_view text) {
  // Counted in characters as typed: a non-ASCII character is one character
  // (worth 0) however many UTF-8 bytes it takes, so "1é" reads 10.
  uint32_t v = 0;
  int characters = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;  // inside a character
    if (++characters > 32) break;
    const int d = HexDigitValue(c);
    v = (v << 4) | static_cast<uint32_t>(d < 0 ? 0 : d);
  }
  return static_cast<int32_t>(v);
}

}  // namespace orrin
