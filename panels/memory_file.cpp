// The memory text file: 256 bytes as 512 hex digits, two per byte from
// address 00 up, nothing else.
#include "base/memory_file.h"

#include "asm/assembler.h"
#include "base/text_files.h"
#include "panels/panel_helpers.h"

namespace orrin {

void Simulator::N_MEM2FileClick() {
  EndPlayback();
  if (machine.Console.PowerOn != 1) {
    host.Warn("电源没开，内存没有数据，不能备份！");
    return;
  }
  const std::string name = host.SaveFileName();
  if (name.empty()) return;
  if (!host.WriteFile(name, MemoryFileText(machine.Mem.Cells))) host.Warn(files::CannotWriteWarning(name));
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
  RecordMemoryEdit();
  machine.Mem.Cells = machine.Mem.ShownCells = image;
  machine.Console.MemoryGridDirty = 1;
  BoardEvaluation();
}

void Simulator::N_Asm2MEMClick() {
  const std::string name = ChooseMemoryInput();
  if (name.empty()) return;
  std::string source;
  switch (host.ReadFile(name, kLongestSource, source)) {
    case files::ReadResult::CannotRead:
      host.Warn(files::CannotReadWarning(name));
      return;
    case files::ReadResult::TooLarge:
      host.Warn("汇编文件太大，未读取。");
      return;
    case files::ReadResult::Ok:
      break;
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
  const files::ReadResult r = host.ReadFile(name, kLongestMemoryFile, data);
  if (r == files::ReadResult::CannotRead) {
    host.Warn(files::CannotReadWarning(name));
    return;
  }
  MemoryImage image;
  if (r == files::ReadResult::TooLarge || !ReadMemoryFile(data, image)) {
    host.Warn("内存文件格式不对：需要 512 个十六进制字符。");
    return;
  }
  LoadIntoMemory(image);
}

}  // namespace orrin
