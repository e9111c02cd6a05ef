// The memory table and listing, rebuilt from the shown memory when it
// changed, and the "保存" button that writes typed cells back.
#include <string>
#include <utility>
#include <vector>

#include "base/text_files.h"
#include "panels/panel_helpers.h"

namespace orrin {

using enum WidgetId;

namespace {
// A listing line: "1F:01011010".
void ListingLine(char (&line)[12], int address, uint8_t byte) {
  const SmallText a = Hex2(address);
  line[0] = a.buf[0];
  line[1] = a.buf[1];
  line[2] = ':';
  for (int bit = 7; bit >= 0; --bit) line[3 + 7 - bit] = ((byte >> bit) & 1) ? '1' : '0';
  line[11] = 0;
}
}  // namespace

void Simulator::RefreshMemoryViews(uint8_t power) {
  if (power != 1) {
    ClearMemoryGrid();
    view.ClearLines(ListBox_MEM);
    return;
  }
  const MemoryUnit& mem = machine.Mem;
  if (machine.Console.MemoryGridDirty) {
    machine.Console.MemoryGridDirty = 0;
    ClearMemoryGrid();
    for (int a = 0; a < MemorySize; ++a)
      view.SetCell(StringGrid_MEM, a % 16 + 1, a / 16 + 1, Hex2(mem.ShownCells[static_cast<size_t>(a)]).view());
    // The listing keeps its 256 lines once built; rewriting them in place
    // spares an allocation per line on every memory write of a run.
    char line[12];
    if (view[ListBox_MEM].lines.size() != MemorySize) {
      view.ClearLines(ListBox_MEM);
      for (int a = 0; a < MemorySize; ++a) {
        ListingLine(line, a, mem.ShownCells[static_cast<size_t>(a)]);
        view.AddLine(ListBox_MEM, line);
      }
    } else {
      auto& lines = view.Writable(ListBox_MEM).lines;
      for (int a = 0; a < MemorySize; ++a) {
        ListingLine(line, a, mem.ShownCells[static_cast<size_t>(a)]);
        lines[static_cast<size_t>(a)].assign(line);
      }
    }
  }
  const int32_t fetch = mem.Shown.FetchAddress;
  if (fetch >= 0 && fetch < static_cast<int32_t>(view[ListBox_MEM].lines.size())) view.SelectLine(ListBox_MEM, fetch);
  const int32_t ar = machine.Ar.Shown.AR & 0xFF;
  view.SetCurrentCell(StringGrid_MEM, ar % 16 + 1, ar / 16 + 1);
}

void Simulator::Button_GridToMEMClick() {
  if (machine.Console.PowerOn != 1) return;
  MemoryUnit& mem = machine.Mem;
  if (machine.Console.TraceRestored == 1) {
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
  RecordMemoryEdit();
  for (int r = 1; r <= 16; ++r) {
    for (int c = 1; c <= 16; ++c) {
      const std::string& text = view.Cell(StringGrid_MEM, c, r);
      if (files::CharacterCount(text) > 2) continue;  // an over-long cell keeps its byte
      const size_t a = static_cast<size_t>((r - 1) * 16 + (c - 1));
      mem.Cells[a] = mem.ShownCells[a] = static_cast<uint8_t>(ParseHex(text) & 0xFF);
    }
  }
  machine.Console.MemoryGridDirty = 1;
  BoardEvaluation();
}

}  // namespace orrin

namespace orrin {

void Simulator::TypeGridCell(WidgetId grid, int col, int row, const std::string& text) {
  EndPlayback();
  // A disabled table (the memory's, power off) takes no typing.
  if (view[grid].enabled) view.SetCell(grid, col, row, text);
}

}  // namespace orrin
