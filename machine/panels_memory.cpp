// The memory module, the data bus with its conflict report, the interrupt
// enable flip-flop and the STOP signal.
#include "base/widget_groups.h"
#include "machine/panel_helpers.h"
#include "machine/panels.h"

namespace orrin {

using enum WidgetId;
using panels::FieldColor;
using panels::ShowByteLamps;

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

void Panels::RefreshMemoryViews(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  if (!power) {
    ClearMemoryGrid();
    view_.ClearLines(ListBox_MEM);
    return;
  }
  const MemoryUnit& mem = bp.m.Mem;
  if (MemoryGridDirty) {
    MemoryGridDirty = false;
    ClearMemoryGrid();
    for (int a = 0; a < MemorySize; ++a)
      view_.SetCell(StringGrid_MEM, a % 16 + 1, a / 16 + 1, Hex2(mem.ShownCells[static_cast<size_t>(a)]).view());
    // The listing keeps its 256 lines once built; rewriting them in place
    // spares an allocation per line on every memory write of a run.
    char line[12];
    if (view_[ListBox_MEM].lines.size() != MemorySize) {
      view_.ClearLines(ListBox_MEM);
      for (int a = 0; a < MemorySize; ++a) {
        ListingLine(line, a, mem.ShownCells[static_cast<size_t>(a)]);
        view_.AddLine(ListBox_MEM, line);
      }
    } else {
      auto& lines = view_.Writable(ListBox_MEM).lines;
      for (int a = 0; a < MemorySize; ++a) {
        ListingLine(line, a, mem.ShownCells[static_cast<size_t>(a)]);
        lines[static_cast<size_t>(a)].assign(line);
      }
    }
  }
  const int32_t fetch = mem.Shown.FetchAddress;
  if (fetch >= 0 && fetch < static_cast<int32_t>(view_[ListBox_MEM].lines.size())) view_.SelectLine(ListBox_MEM, fetch);
  const int32_t ar = bp.m.Ar.Shown.AR & 0xFF;
  view_.SetCurrentCell(StringGrid_MEM, ar % 16 + 1, ar / 16 + 1);
}

void Panels::RefreshMemory(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const MemoryPorts& m = bp.m.Mem.Shown;
  view_.SetPicture(Image_P3_T2_MEM, LevelPicture(power, m.T2));
  const int32_t ins = bp.m.Mem.ShownCells[static_cast<size_t>(m.PcAddr & 0xFF)];
  view_.SetFontColor(Label_MEMannounce, color::Red);  // the warnings of these modules read in red
  if (power) {
    const bool write = Active(m.MEMW), read = Active(m.MBUS);
    view_.SetText(Label_MBUS, BitText(m.MBUS));
    view_.SetText(Label_MEMW, BitText(m.MEMW));
    view_.SetVisible(Label_MEMannounce, write && read);
    view_.SetText(Label_MEMLONum, Hex2(bp.m.Mem.ShownCells[static_cast<size_t>(m.ArAddr & 0xFF)]).view());
    view_.SetText(Label_INSBUSNum1, Hex2(ins).view());
    view_.SetText(Label_INSBUSNum2, Hex2(ins).view());
    view_.SetColor(Label_MEMLONum, m.Written == 1 ? color::Red : write ? color::Yellow : color::BtnFace);
    view_.SetPicture(Image_SW_MBUS, write ? Pic::ToBG3 : read ? Pic::ToBG1 : Pic::ToBR0);
    view_.SetPicture(Image_SW_MEMW, write ? Pic::SWT : Pic::SW_PowerOff);
    view_.SetPicture(Image_SW_MEMOR, Pic::SW1);
  } else {
    for (WidgetId id : {Label_MBUS, Label_MEMW, Label_MEMLONum, Label_INSBUSNum1, Label_INSBUSNum2})
      view_.SetText(id, "");
    view_.SetVisible(Label_MEMannounce, false);
    view_.SetColor(Label_MEMLONum, color::BtnFace);
    view_.SetPicture(Image_SW_MBUS, Pic::To_PowerOff);
    view_.SetPicture(Image_SW_MEMW, Pic::SW_PowerOff);
    view_.SetPicture(Image_SW_MEMOR, Pic::SW_PowerOff);
  }
  RefreshMemoryViews(bp);
  ShowByteLamps(view_, kINSLamps, power ? ins : 0);
  panels::CopyLampRow(view_, kP3INSLamps, kINSLamps);
}

namespace {
constexpr std::string_view kMultiWriteCaption = "X写DB";
}  // namespace

void Panels::RefreshDataBus(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const BusRecord& b = bp.m.Bus.Shown;
  view_.SetFontColor(Label_P0_DBMultiWrite, color::Red);
  if (power) {
    int drivers = 0;
    for (Drive d : b.Drivers) drivers += d == Drive::Drives;
    const SmallText value = Hex2(b.Value);
    if (drivers <= 1) {
      // Hidden, it keeps its caption: what it shows never depends on
      // whether a refresh happened to fall inside a conflict.
      view_.SetVisible(Label_P0_DBMultiWrite, false);
      view_.SetText(Label_P0_DBMultiWrite, kMultiWriteCaption);
      view_.SetText(Label_DBUSNum1, value.view());
      view_.SetColor(Label_DBUSNum1, color::BtnFace);
    } else {
      // At most four sources, so the count is one digit and the texts stay small.
      const char digit = static_cast<char>('0' + drivers);
      char note[16] = {digit};
      const std::string_view tail = "写DB";
      tail.copy(note + 1, tail.size());
      view_.SetVisible(Label_P0_DBMultiWrite, true);
      view_.SetText(Label_P0_DBMultiWrite, std::string_view(note, 1 + tail.size()));
      char text[40] = {value.buf[0], value.buf[1], '[', digit};
      const std::string_view error = "写DBUS，错误]";
      error.copy(text + 4, error.size());
      view_.SetText(Label_DBUSNum1, std::string_view(text, 4 + error.size()));
      view_.SetColor(Label_DBUSNum1, color::Red);
    }
  } else {
    view_.SetVisible(Label_P0_DBMultiWrite, false);
    view_.SetText(Label_P0_DBMultiWrite, kMultiWriteCaption);
    view_.SetText(Label_DBUSNum1, "");
    view_.SetColor(Label_DBUSNum1, color::BtnFace);
  }
  view_.SetColor(Label_DBUSNum2, view_[Label_DBUSNum1].color);
  view_.CopyText(Label_DBUSNum2, Label_DBUSNum1);
  ShowByteLamps(view_, kDLamps, power ? b.Value : 0);
  panels::CopyLampRow(view_, kP3DLamps, kDLamps);
}

void Panels::RefreshInterrupt(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const InterruptRecord& n = bp.m.Int.Shown;
  view_.SetFontColor(Label_INTannounce, color::Red);
  if (power) {
    const bool en = Active(n.INTEN), di = Active(n.INTDI);
    view_.SetPicture(Image_EN_INT, n.EN_INT == 1 ? Pic::ENINTON : Pic::ENINTOFF);
    view_.SetText(Label_INTEN, BitText(n.INTEN));
    view_.SetText(Label_INTDI, BitText(n.INTDI));
    view_.SetText(Label_INTQ, BitText(n.INTQ));
    view_.SetText(Edit_EN_INT, BitText(n.EN_INT));
    view_.SetColor(Edit_EN_INT, FieldColor(en || di, panels::LoadedIf(n.Changed)));
    view_.SetVisible(Label_INTannounce, en && di);
  } else {
    view_.SetPicture(Image_EN_INT, Pic::ENINTOFF);
    for (WidgetId id : {Label_INTEN, Label_INTDI, Label_INTQ, Edit_EN_INT}) view_.SetText(id, "");
    view_.SetColor(Edit_EN_INT, color::Aqua);
    view_.SetVisible(Label_INTannounce, false);
  }
}

void Panels::RefreshStop(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  view_.SetText(Label_STOP, power ? BitText(bp.m.Signals.Shown[STOP]) : std::string_view());
}

}  // namespace orrin
