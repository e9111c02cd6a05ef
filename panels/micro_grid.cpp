// The control-store table: typed words written back by "保存", refilled from
// the store; and the menu commands that load and back up the microprogram.
#include "base/micro_file.h"
#include "base/text_files.h"
#include "panels/panel_helpers.h"

namespace orrin {

using enum WidgetId;

namespace {
bool IsWord(const std::string& text) {
  if (text.size() != 10) return false;
  for (char c : text)
    if (HexDigitValue(c) < 0) return false;
  return true;
}
}  // namespace

void Simulator::RefillMicroGrid() {
  for (int a = 0; a < ControlStoreSize; ++a)
    view.SetCell(StringGrid_MicroMem, a % 8 + 1, a / 8 + 1, FetchMicroword(machine, a));
}

void Simulator::Button_GridToMicroClick() {
  EndPlayback();
  RecordStoreEdit();
  for (int r = 1; r <= 8; ++r) {
    for (int c = 1; c <= 8; ++c) {
      std::string word = view.Cell(StringGrid_MicroMem, c, r);
      if (!IsWord(word)) continue;  // the entry keeps its word; the refill shows it again
      for (char& ch : word)
        if (ch >= 'a' && ch <= 'f') ch = static_cast<char>(ch - 'a' + 'A');
      const int a = (r - 1) * 8 + (c - 1);
      SetControlStoreEntry(machine, a, std::string(Hex2(a).view()) + word, word, "");
    }
  }
  RefillMicroGrid();
  BoardEvaluation();
}

void Simulator::N_ReadMicroFileClick() { LoadMicroFile("defaultfile"); }

void Simulator::LoadMicroFile(const std::string& given) {
  EndPlayback();
  const std::string name = given == "defaultfile" ? host.OpenFileName() : given;
  if (name.empty()) return;
  // The whole file is read before the store is touched, so a file that
  // cannot be read or is too long leaves the microprogram as it was.
  std::string text;
  switch (host.ReadFile(name, files::kLongestMicroFile, text)) {
    case files::ReadResult::CannotRead:
      host.Warn(files::CannotReadWarning(name));
      return;
    case files::ReadResult::TooLarge:
      host.Warn("微程序文件太大，未读取。");
      return;
    case files::ReadResult::Ok:
      break;
  }
  RecordStoreEdit();
  ClearControlStore(machine);
  const std::vector<int64_t> skipped = files::ReadMicroprogram(machine, text);
  RefillMicroGrid();
  BoardEvaluation();
  if (!skipped.empty()) host.Warn("微程序文件第 " + files::LineList(skipped) + " 行无法读取，已跳过。");
}

void Simulator::N_BakMicro2FileClick() {
  EndPlayback();
  const std::string name = host.SaveFileName();
  if (name.empty()) return;
  if (!host.WriteFile(name, files::MicroprogramBackup(machine))) host.Warn(files::CannotWriteWarning(name));
}

}  // namespace orrin
