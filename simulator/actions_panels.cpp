// The panels' actions: the memory and control-store tables and their "保存",
// the memory, assembly and microprogram files, and the register fields.
#include <utility>
#include <vector>

#include "asm/assembler.h"
#include "asm/micro_source.h"
#include "base/memory_file.h"
#include "base/micro_file.h"
#include "base/text_files.h"
#include "base/widget_groups.h"
#include "simulator/access.h"
#include "simulator/commands.h"
#include "simulator/file_reading.h"
#include "simulator/simulator.h"
#include "units/units.h"

namespace orrin {

using enum WidgetId;

namespace {
bool IsWord(const std::string& text) {
  if (text.size() != 10) return false;
  for (char c : text)
    if (HexDigitValue(c) < 0) return false;
  return true;
}

// Leading and trailing blanks and control characters do not count.
std::string_view Stripped(std::string_view t) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!t.empty() && blank(t.front())) t.remove_prefix(1);
  while (!t.empty() && blank(t.back())) t.remove_suffix(1);
  return t;
}
}  // namespace

void Simulator::TypeGridCell(WidgetId grid, int col, int row, const std::string& text) {
  const auto recorded = Record([&] {
    const bool mem = grid == StringGrid_MEM;
    const int cols = mem ? 16 : 8, rows = mem ? 16 : 8;
    if (col < 1 || col > cols || row < 1 || row > rows) return std::string();
    return CommandLine(mem ? Cmd::MemCell : Cmd::MicroCell, std::string(Hex2((row - 1) * cols + col - 1).view()), text);
  });
  EndPlayback();
  // A disabled table (the memory's, power off) takes no typing.
  if (view[grid].enabled) view.SetCell(grid, col, row, text);
}

void Simulator::Button_GridToMEMClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::MemSave); });
  if (!console_.PowerOn) return;
  MemoryUnit& mem = machine_.Mem;
  if (trace_.PlaybackShown) {
    // The table shows an older memory. Only the cells the user changed are
    // taken over to the live memory: saving the rest would undo every write
    // made since the position shown.
    std::vector<std::pair<int, std::string>> typed;
    for (int a = 0; a < MemorySize; ++a) {
      const std::string& text = view.Cell(StringGrid_MEM, a % 16 + 1, a / 16 + 1);
      if (text != Hex2(mem.ShownCells[static_cast<size_t>(a)]).view()) typed.emplace_back(a, text);
    }
    EndPlayback();  // the table now shows the live memory
    for (const auto& [a, text] : typed) view.SetCell(StringGrid_MEM, a % 16 + 1, a / 16 + 1, text);
  }
  trace_.KeepMemory(machine_);
  for (int r = 1; r <= 16; ++r) {
    for (int c = 1; c <= 16; ++c) {
      const std::string& text = view.Cell(StringGrid_MEM, c, r);
      if (files::CharacterCount(text) > 2) continue;  // an over-long cell keeps its byte
      const size_t a = static_cast<size_t>((r - 1) * 16 + (c - 1));
      EditMemoryCell(mem, a, static_cast<uint8_t>(ParseHex(text) & 0xFF));
    }
  }
  panels_.MemoryGridDirty = true;
  BoardEvaluation();
}

void Simulator::N_MEM2FileClick() {
  const auto recorded = Record([this] { return CommandLine(Cmd::SaveMemory, session.FileWord()); });
  EndPlayback();
  if (!console_.PowerOn) {
    host.Warn("电源没开，内存没有数据，不能备份！");
    return;
  }
  const std::string name = host.SaveFileName();
  if (name.empty()) return;
  if (!host.WriteFile(name, MemoryFileText(machine_.Mem.Cells))) host.Warn(files::CannotWriteWarning(name));
}

namespace {
// The memory loads' common start: the power, then the dialog (empty: the
// command ends).
std::string ChooseMemoryInput(Simulator& sim) {
  sim.EndPlayback();
  if (!Access(sim).console.PowerOn) {
    sim.host.Warn("电源没开，内存无法写入！");
    return {};
  }
  return sim.host.OpenFileName();
}

// ... and their end.
void LoadIntoMemory(Simulator& sim, const MemoryImage& image) {
  Access(sim).trace.KeepMemory(Access(sim).machine);
  LoadMemoryImage(Access(sim).machine.Mem, image);
  Access(sim).panels.MemoryGridDirty = true;
  sim.BoardEvaluation();
}
}  // namespace

void Simulator::N_Asm2MEMClick() {
  const auto recorded = Record([this] { return CommandLine(Cmd::LoadAsm, session.FileWord()); });
  const std::string name = ChooseMemoryInput(*this);
  if (name.empty()) return;
  std::string source;
  if (!ReadForLoading(host, name, kLongestSource, "汇编文件太大，未读取。", source)) return;
  const AsmResult result = Assemble(source, isa);
  if (!result.ok()) {
    // Every error in one box, as orrin-asm prints them; the memory stays.
    std::string text = "汇编文件有错误，内存未改变：";
    for (const AsmError& e : result.errors) text += "\n" + name + ":" + std::to_string(e.line) + ": " + e.message;
    host.WarnAboutFile(name, text);
    return;
  }
  LoadIntoMemory(*this, result.image);
}

void Simulator::UseInstructionSetFile(const std::string& path) {
  std::string text;
  if (host.ReadFile(path, kLongestSource, text) != files::ReadResult::Ok) {
    host.Warn("无法读取指令集文件，使用标准指令集：" + path);
    return;
  }
  std::vector<std::string> errors;
  InstructionSet read;
  if (ParseInstructionSet(text, read, errors)) {
    isa = read;
    return;
  }
  // The path once, then each error with its line.
  std::string message = "指令集文件有错误，使用标准指令集：" + path;
  for (const std::string& e : errors) message += "\n" + e;
  host.Warn(message);
}

void Simulator::N_File2MEMClick() {
  const auto recorded = Record([this] { return CommandLine(Cmd::LoadMemory, session.FileWord()); });
  const std::string name = ChooseMemoryInput(*this);
  if (name.empty()) return;
  // A file too long to be one is as wrong as one that is not.
  static const std::string kWrongFormat = "内存文件格式不对：需要 512 个十六进制字符。";
  std::string data;
  if (!ReadForLoading(host, name, kLongestMemoryFile, kWrongFormat, data)) return;
  MemoryImage image;
  if (!ReadMemoryFile(data, image)) {
    host.WarnAboutFile(name, kWrongFormat);
    return;
  }
  LoadIntoMemory(*this, image);
}

void Simulator::Button_GridToMicroClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::MicroSave); });
  EndPlayback();
  trace_.KeepStore(machine_);
  for (int r = 1; r <= 8; ++r) {
    for (int c = 1; c <= 8; ++c) {
      std::string word = view.Cell(StringGrid_MicroMem, c, r);
      if (!IsWord(word)) continue;  // the entry keeps its word; the refill shows it again
      for (char& ch : word)
        if (ch >= 'a' && ch <= 'f') ch = static_cast<char>(ch - 'a' + 'A');
      const int a = (r - 1) * 8 + (c - 1);
      SetControlStoreEntry(machine_, a, std::string(Hex2(a).view()) + word, word, "");
    }
  }
  panels_.RefillMicroGrid(machine_);
  BoardEvaluation();
}

void Simulator::N_ReadMicroFileClick() {
  const auto recorded = Record([this] { return CommandLine(Cmd::LoadMicro, session.FileWord()); });
  LoadMicroFile("defaultfile");
}

void Simulator::LoadMicroFile(const std::string& given) {
  EndPlayback();
  const std::string name = given == "defaultfile" ? host.OpenFileName() : given;
  if (name.empty()) return;
  // The whole file is read before the store is touched, so a file that
  // cannot be read or is too long leaves the microprogram as it was.
  std::string text;
  if (!ReadForLoading(host, name, files::kLongestMicroFile, "微程序文件太大，未读取。", text)) return;
  // A file without a single word (another kind of file, picked by mistake)
  // would empty the whole store: it is refused and the store kept. An empty
  // file is what the board writes for an empty store, and loads.
  if (files::CountMicrowords(text) == 0 && !files::IsBlank(text)) {
    host.WarnAboutFile(name, "微程序文件中没有一条能读出的微指令，微程序未改变：" + name);
    return;
  }
  trace_.KeepStore(machine_);
  ClearControlStore(machine_);
  const std::vector<int64_t> skipped = files::ReadMicroprogram(machine_, text);
  panels_.RefillMicroGrid(machine_);
  BoardEvaluation();
  if (!skipped.empty()) host.WarnAboutFile(name, "微程序文件第 " + files::LineList(skipped) + " 行无法读取，已跳过。");
}

void Simulator::N_BakMicro2FileClick() {
  const auto recorded = Record([this] { return CommandLine(Cmd::SaveMicro, session.FileWord()); });
  EndPlayback();
  const std::string name = host.SaveFileName();
  if (name.empty()) return;
  if (!host.WriteFile(name, files::MicroprogramBackup(machine_))) host.Warn(files::CannotWriteWarning(name));
}

// A microprogram source replaces the whole store, as a microprogram file
// does; one with any error changes nothing and says every error at once. Its
// instruction lines, when it has any, are the instruction set from then on.
void Simulator::N_ReadMicroSourceClick() {
  const auto recorded = Record([this] { return CommandLine(Cmd::LoadMicroSource, session.FileWord()); });
  EndPlayback();
  const std::string name = host.OpenFileName();
  if (name.empty()) return;
  std::string text;
  if (!ReadForLoading(host, name, kLongestMicroSource, "微程序源文件太大，未读取。", text)) return;
  MicroSource source;
  std::vector<std::string> errors;
  if (!AssembleMicroSource(text, name, source, errors)) {
    std::string message = "微程序源文件有错误，微程序未改变：";
    for (const std::string& e : errors) message += "\n" + e;
    host.WarnAboutFile(name, message);
    return;
  }
  trace_.KeepStore(machine_);
  LoadMicroSource(machine_, source);
  if (source.hasInstructions) isa = source.isa;
  panels_.RefillMicroGrid(machine_);
  BoardEvaluation();
}

void Simulator::N_SaveMicroSourceClick() {
  const auto recorded = Record([this] { return CommandLine(Cmd::SaveMicroSource, session.FileWord()); });
  EndPlayback();
  const std::string name = host.SaveFileName();
  if (name.empty()) return;
  if (!host.WriteFile(name, DisassembleStore(machine_))) host.Warn(files::CannotWriteWarning(name));
}

// A hard-wired controller: Yosys's JSON netlist, or Verilog that Yosys
// synthesises first. A design that cannot be read leaves the one loaded and
// the mode as they were; a new one starts from its reset state.
void Simulator::N_ReadControllerClick() {
  const auto recorded = Record([this] { return CommandLine(Cmd::LoadController, session.FileWord()); });
  EndPlayback();
  const std::string name = host.OpenFileName();
  if (name.empty()) return;
  constexpr std::size_t kLongestDesign = 64u << 20;
  std::string text;
  if (!ReadForLoading(host, name, kLongestDesign, "硬连线控制器文件太大，未读取。", text)) return;
  std::string netlist, why;
  if (const std::string ext = files::LowerExtension(name); ext == "v" || ext == "sv") {
    if (!host.Synthesise(text, name, netlist, why)) {
      host.WarnAboutFile(name, why);
      return;
    }
  } else {
    netlist = std::move(text);
  }
  if (!controllers_.HardWired().Load(netlist, why)) {
    host.WarnAboutFile(name, "硬连线控制器读不出，控制器未改变：" + name + ": " + why);
    return;
  }
  panels_.ShowControllerMode(console_.Mode, controllers_);  // its button takes clicks now
  BoardEvaluation();
}

void Simulator::TypeField(WidgetId field, const std::string& text) {
  if (!view[field].readOnly) view.Writable(field).text = text;
}

int RegisterFieldLength(WidgetId field) {
  switch (field) {
    case Edit_EN_INT:
    case Edit_Z:
    case Edit_C:
      return 1;
    case Edit_R0:
    case Edit_R1:
    case Edit_R2:
    case Edit_R3:
    case Edit_AR:
    case Edit_PC:
    case Edit_IAR:
    case Edit_IR:
    case Edit_uAR:
      return 2;
    default:
      return 0;
  }
}

bool Simulator::EditKeyPress(WidgetId field, int key) {
  const int length = RegisterFieldLength(field);
  if (length == 0 || key != 13) return false;
  // Enter with the power off reaches a read-only field and does nothing.
  const auto recorded = Record([field, typed = view[field].text] {
    return CommandLine(Cmd::Edit, std::string(Info(field).name).substr(5), typed);
  });
  if (!console_.PowerOn) return false;
  // Typed over an older position: the text is the user's, the register the live one.
  const std::string typed = view[field].text;
  EndPlayback();
  const std::string_view text = Stripped(typed);
  if (!text.empty() && files::CharacterCount(text) <= static_cast<size_t>(length)) {
    const int32_t v = ParseHex(text);
    const int32_t bit = v & 1, byte = v & 0xFF;
    switch (field) {
      case Edit_EN_INT:
        EditInterruptEnable(machine_.Int, bit);
        break;
      case Edit_Z:
        EditZ(machine_.Flags, bit);
        break;
      case Edit_C:
        EditC(machine_.Flags, bit);
        break;
      case Edit_R0:
      case Edit_R1:
      case Edit_R2:
      case Edit_R3:
        EditRegister(machine_.Regs, static_cast<size_t>(static_cast<int>(field) - static_cast<int>(Edit_R0)), byte);
        break;
      case Edit_AR:
        EditAr(machine_.Ar, byte);
        break;
      case Edit_PC:
        EditPc(machine_.Pc, byte);
        break;
      case Edit_IR:
        EditIr(machine_.Ir, byte);
        break;
      case Edit_IAR:
        EditIar(machine_.Iar, byte);
        break;
      case Edit_uAR:
        EditMicroAddress(machine_.Micro, v);
        break;
      default:
        break;
    }
  }
  // Also after a refused text: the repaint puts the register's value back.
  BoardEvaluation();
  return true;
}

}  // namespace orrin
