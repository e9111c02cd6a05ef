// The memory and control-store tables: their headers, and the control
// store's 64 words written into its table.
#include "base/hex_text.h"
#include "machine/panels.h"

namespace orrin {

using enum WidgetId;

void Panels::ClearMemoryGrid() {
  for (int r = 0; r < 17; ++r)
    for (int c = 0; c < 17; ++c) view_.SetCell(StringGrid_MEM, c, r, "");
  for (int c = 1; c <= 16; ++c) {
    const char h[3] = {' ', Hex1(c - 1).buf[0], 0};
    view_.SetCell(StringGrid_MEM, c, 0, h);
  }
  for (int r = 1; r <= 16; ++r) {
    const char h[3] = {Hex1(r - 1).buf[0], '-', 0};
    view_.SetCell(StringGrid_MEM, 0, r, h);
  }
}

void Panels::ClearMicroGrid() {
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) view_.SetCell(StringGrid_MicroMem, c, r, "");
  for (int i = 0; i < 8; ++i) {
    std::string h = " 上";
    h += Hex1(i).buf[0];
    h += ",下";
    h += Hex1(i + 8).buf[0];
    view_.SetCell(StringGrid_MicroMem, i + 1, 0, h);
  }
  for (int k = 0; k < 4; ++k) {
    std::string h = "       ";
    h += Hex1(k).buf[0];
    h += '-';
    view_.SetCell(StringGrid_MicroMem, 0, 2 * k + 1, h);
    view_.SetCell(StringGrid_MicroMem, 0, 2 * k + 2, h);
  }
}

void Panels::RefillMicroGrid(const MachineState& m) {
  for (int a = 0; a < ControlStoreSize; ++a)
    view_.SetCell(StringGrid_MicroMem, a % 8 + 1, a / 8 + 1, FetchMicroword(m, a));
}

}  // namespace orrin
