// The memory text file: 256 bytes as 512 hex digits, two per byte from
// address 00 up, nothing else.
#include <algorithm>

#include "asm/assembler.h"
#include "base/text_files.h"
#include "panels/panel_helpers.h"

namespace orrin {

namespace {
constexpr std::size_t kDigits = 2 * MemorySize;
// A saved file may have picked up line ends or blanks in a text editor;
// anything longer than this is not a memory file whatever it holds.
constexpr std::size_t kLongestMemoryFile = 64 * 1024;
// A program for 256 bytes is a few kilobytes of source, comments and all.
constexpr std::size_t kLongestSource = 1024 * 1024;

// The 512 digits, followed only by what an editor leaves at the end.
bool IsMemoryFile(std::string_view data) {
  if (data.size() < kDigits) return false;
  for (char c : data.substr(kDigits))
    if (c != '\r' && c != '\n' && c != ' ' && c != '\t') return false;
  return true;
}
}  // namespace

void Simulator::N_MEM2FileClick() {
  EndPlayback();
  if (machine.Console.PowerOn != 1) {
    host.Warn("电源没开，内存没有数据，不能备份！");
    return;
  }
  const std::string name = host.SaveFileName();
  if (name.empty()) return;
  char digits[kDigits];
  for (int a = 0; a < MemorySize; ++a) {
    const SmallText h = Hex2(machine.Mem.Cells[static_cast<size_t>(a)]);
    digits[2 * a] = h.buf[0];
    digits[2 * a + 1] = h.buf[1];
  }
  if (!files::WriteWholeFile(name, std::string_view(digits, kDigits))) host.Warn(files::CannotWriteWarning(name));
}

std::string Simulator::ChooseMemoryInput() {
  EndPlayback();
  if (machine.Console.PowerOn != 1) {
    host.Warn("电源没开，内存无法写入！");
    return {};
  }
  return host.OpenFileName();
}

void Simulator::LoadIntoMemory(const std::array<uint8_t, MemorySize>& image) {
  machine.Mem.Cells = machine.Mem.ShownCells = image;
  machine.Console.MemoryGridDirty = 1;
  BoardEvaluation();
}

void Simulator::N_Asm2MEMClick() {
  const std::string name = ChooseMemoryInput();
  if (name.empty()) return;
  std::string source;
  if (files::ReadWholeFile(name, kLongestSource, source) != files::ReadResult::Ok) {
    host.Warn(files::CannotReadWarning(name));
    return;
  }
  const AsmResult result = Assemble(source, isa);
  if (!result.ok()) {
    // Every error in one box, as orrin-asm prints them; the memory stays.
    std::string text = "汇编文件有错误，内存未改变：";
    for (const AsmError& e : result.errors) text += "\n" + name + ":" + std::to_string(e.line) + ": " + e.message;
    host.Warn(text);
    return;
  }
  LoadIntoMemory(result.image);
}

void Simulator::N_File2MEMClick() {
  const std::string name = ChooseMemoryInput();
  if (name.empty()) return;
  std::string data;
  const files::ReadResult r = files::ReadWholeFile(name, kLongestMemoryFile, data);
  if (r == files::ReadResult::CannotRead) {
    host.Warn(files::CannotReadWarning(name));
    return;
  }
  if (r == files::ReadResult::TooLarge || !IsMemoryFile(data)) {
    host.Warn("内存文件格式不对：需要 512 个十六进制字符。");
    return;
  }
  std::array<uint8_t, MemorySize> image;
  for (size_t a = 0; a < MemorySize; ++a) {
    // The file is 512 bytes, two per cell; a byte that is not a hex digit counts 0.
    auto digit = [&](size_t i) { return std::max(HexDigitValue(data[i]), 0); };
    image[a] = static_cast<uint8_t>(digit(2 * a) * 16 + digit(2 * a + 1));
  }
  LoadIntoMemory(image);
}

}  // namespace orrin
