// The memory module, the data bus with its conflict report, the interrupt
// enable flip-flop and the STOP signal.
#include "base/widget_groups.h"
#include "panels/panel_helpers.h"

namespace orrin {

using enum WidgetId;
using panels::FieldColor;
using panels::ShowByteLamps;

void Simulator::RefreshMemory(uint8_t power) {
  const MemoryPorts& m = machine.Mem.Shown;
  view.SetPicture(Image_P3_T2_MEM, LevelPicture(power, m.T2));
  const int32_t ins = machine.Mem.ShownCells[static_cast<size_t>(m.PcAddr & 0xFF)];
  view.SetFontColor(Label_MEMannounce, color::Red);  // the warnings of these modules read in red
  if (power == 1) {
    const bool write = Active(m.MEMW), read = Active(m.MBUS);
    view.SetText(Label_MBUS, BitText(m.MBUS));
    view.SetText(Label_MEMW, BitText(m.MEMW));
    view.SetVisible(Label_MEMannounce, write && read);
    view.SetText(Label_MEMLONum, Hex2(machine.Mem.ShownCells[static_cast<size_t>(m.ArAddr & 0xFF)]).view());
    view.SetText(Label_INSBUSNum1, Hex2(ins).view());
    view.SetText(Label_INSBUSNum2, Hex2(ins).view());
    view.SetColor(Label_MEMLONum, m.Written == 1 ? color::Red : write ? color::Yellow : color::BtnFace);
    view.SetPicture(Image_SW_MBUS, write ? Pic::ToBG3 : read ? Pic::ToBG1 : Pic::ToBR0);
    view.SetPicture(Image_SW_MEMW, write ? Pic::SWT : Pic::SW_PowerOff);
    view.SetPicture(Image_SW_MEMOR, Pic::SW1);
  } else {
    for (WidgetId id : {Label_MBUS, Label_MEMW, Label_MEMLONum, Label_INSBUSNum1, Label_INSBUSNum2})
      view.SetText(id, "");
    view.SetVisible(Label_MEMannounce, false);
    view.SetColor(Label_MEMLONum, color::BtnFace);
    view.SetPicture(Image_SW_MBUS, Pic::To_PowerOff);
    view.SetPicture(Image_SW_MEMW, Pic::SW_PowerOff);
    view.SetPicture(Image_SW_MEMOR, Pic::SW_PowerOff);
  }
  RefreshMemoryViews(power);
  ShowByteLamps(view, kINSLamps, power == 1 ? ins : 0);
  panels::CopyLampRow(view, kP3INSLamps, kINSLamps);
}

namespace {
constexpr std::string_view kMultiWriteCaption = "X写DB";
}  // namespace

void Simulator::RefreshDataBus(uint8_t power) {
  const BusRecord& b = machine.Bus.Shown;
  view.SetFontColor(Label_P0_DBMultiWrite, color::Red);
  if (power == 1) {
    int drivers = 0;
    for (int32_t count : b.Drive)
      if (count > 0) ++drivers;
    const SmallText value = Hex2(b.Value);
    if (drivers <= 1) {
      // Hidden, it keeps its caption: what it shows never depends on
      // whether a refresh happened to fall inside a conflict.
      view.SetVisible(Label_P0_DBMultiWrite, false);
      view.SetText(Label_P0_DBMultiWrite, kMultiWriteCaption);
      view.SetText(Label_DBUSNum1, value.view());
      view.SetColor(Label_DBUSNum1, color::BtnFace);
    } else {
      // At most four sources, so the count is one digit and the texts stay small.
      const char digit = static_cast<char>('0' + drivers);
      char note[16] = {digit};
      const std::string_view tail = "写DB";
      tail.copy(note + 1, tail.size());
      view.SetVisible(Label_P0_DBMultiWrite, true);
      view.SetText(Label_P0_DBMultiWrite, std::string_view(note, 1 + tail.size()));
      char text[40] = {value.buf[0], value.buf[1], '[', digit};
      const std::string_view error = "写DBUS，错误]";
      error.copy(text + 4, error.size());
      view.SetText(Label_DBUSNum1, std::string_view(text, 4 + error.size()));
      view.SetColor(Label_DBUSNum1, color::Red);
    }
  } else {
    view.SetVisible(Label_P0_DBMultiWrite, false);
    view.SetText(Label_P0_DBMultiWrite, kMultiWriteCaption);
    view.SetText(Label_DBUSNum1, "");
    view.SetColor(Label_DBUSNum1, color::BtnFace);
  }
  view.SetColor(Label_DBUSNum2, view[Label_DBUSNum1].color);
  view.CopyText(Label_DBUSNum2, Label_DBUSNum1);
  ShowByteLamps(view, kDLamps, power == 1 ? b.Value : 0);
  panels::CopyLampRow(view, kP3DLamps, kDLamps);
}

void Simulator::RefreshInterrupt(uint8_t power) {
  const InterruptRecord& n = machine.Int.Shown;
  view.SetFontColor(Label_INTannounce, color::Red);
  if (power == 1) {
    const bool en = Active(n.INTEN), di = Active(n.INTDI);
    view.SetPicture(Image_EN_INT, n.EN_INT == 1 ? Pic::ENINTON : Pic::ENINTOFF);
    view.SetText(Label_INTEN, BitText(n.INTEN));
    view.SetText(Label_INTDI, BitText(n.INTDI));
    view.SetText(Label_INTQ, BitText(n.INTQ));
    view.SetText(Edit_EN_INT, BitText(n.EN_INT));
    view.SetColor(Edit_EN_INT, FieldColor(en || di, n.Mark == 1 ? 1 : 0));
    view.SetVisible(Label_INTannounce, en && di);
  } else {
    view.SetPicture(Image_EN_INT, Pic::ENINTOFF);
    for (WidgetId id : {Label_INTEN, Label_INTDI, Label_INTQ, Edit_EN_INT}) view.SetText(id, "");
    view.SetColor(Edit_EN_INT, color::Aqua);
    view.SetVisible(Label_INTannounce, false);
  }
}

void Simulator::RefreshStop(uint8_t power) {
  view.SetText(Label_STOP, power == 1 ? BitText(machine.Signals.Copy[STOP]) : std::string_view());
}

}  // namespace orrin
