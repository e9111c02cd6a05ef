// Where the control signals come from: the source labels beside the signal
// inputs, and the microprogram controller panel with its lamps, bit labels,
// next-address terms, the current word and the micro-address field.
#include <algorithm>
#include <utility>

#include "base/microword_text.h"
#include "base/signal_table.h"
#include "machine/panel_helpers.h"
#include "machine/panels.h"

namespace orrin {

using enum WidgetId;
using panels::After;

namespace {

// "(" + name + ")" without touching the heap.
SmallText InParens(std::string_view name) {
  SmallText t;
  t.buf[t.len++] = '(';
  const size_t room = sizeof t.buf - 2;
  for (size_t i = 0; i < name.size() && i < room; ++i) t.buf[t.len++] = name[i];
  t.buf[t.len++] = ')';
  return t;
}

// Runs of the controller panel in table order.
constexpr WidgetId kMIROut = Label_P4_MIROut_M39;  // M39 .. M00
static_assert(After(kMIROut, 39) == Label_P4_MIROut_M00);
constexpr WidgetId kMicroChars = Label_P4_MicroProChar_9;  // _9 .. _0
static_assert(After(kMicroChars, 9) == Label_P4_MicroProChar_0);
constexpr WidgetId kOKNuA = Label_P4_OKNuA5;  // bit 5 .. bit 0
static_assert(After(kOKNuA, 5) == Label_P4_OKNuA0);
constexpr WidgetId kNuALabels = Label_P4_NuA5;
static_assert(After(kNuALabels, 5) == Label_P4_NuA0);
constexpr WidgetId kPLamps = Image_P4;  // P4 .. P0
static_assert(After(kPLamps, 4) == Image_P0);
constexpr WidgetId kNuALamps = Image_NuA5;
static_assert(After(kNuALamps, 5) == Image_NuA0);
constexpr WidgetId kuALamps = Image_uA5;
static_assert(After(kuALamps, 5) == Image_uA0);
constexpr WidgetId kIRLabels = Label_P4_IR7O;  // IR7 .. IR0
static_assert(After(kIRLabels, 7) == Label_P4_IR0);
constexpr WidgetId kSelLabels = Label_P4_SEL3;  // SEL3 .. SEL0, then RD1 RD0 RS1 RS0
static_assert(After(kSelLabels, 7) == Label_P4_RS0);
constexpr WidgetId kPanelSwitches = Image_P4_SW4;  // SW4 .. SW0
static_assert(After(kPanelSwitches, 4) == Image_P4_SW0);
constexpr WidgetId kSecondLamps = Image_P4_P4;  // P4..P0, NuA5..NuA0, uA5..uA0
static_assert(After(kSecondLamps, 16) == Image_P4_uA0);
static_assert(After(kPLamps, 16) == Image_uA0);

// temp01..temp09 and temp11 show Terms[0..8] and Terms[10]; temp12..temp16 the partial ORs.
constexpr WidgetId kTermLabels[10] = {Label_P4_temp01, Label_P4_temp02, Label_P4_temp03, Label_P4_temp04,
                                      Label_P4_temp05, Label_P4_temp06, Label_P4_temp07, Label_P4_temp08,
                                      Label_P4_temp09, Label_P4_temp11};
constexpr int kTermIndex[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10};
constexpr WidgetId kOrLabels[5] = {Label_P4_temp12, Label_P4_temp13, Label_P4_temp14, Label_P4_temp15, Label_P4_temp16};

}  // namespace

void Panels::RefreshSourceLabels(const BoardParts& bp) {
  if (bp.c.Independent()) {
    for (const SignalInfo& l : kSignalInfo) {
      view_.SetFontColor(l.label, color::Lime);
      const std::string& source = bp.w.SourceName(kSigJack[l.sig]);
      view_.SetText(l.label, source.empty() ? std::string_view("(__)") : InParens(source).view());
    }
    view_.SetFontColor(Label_Hand_RD1_2, color::Lime);
    view_.SetFontColor(Label_Hand_RD0_2, color::Lime);
    view_.CopyText(Label_Hand_RD1_2, Label_Hand_RD1_1);
    view_.CopyText(Label_Hand_RD0_2, Label_Hand_RD0_1);
  } else {
    for (const SignalInfo& l : kSignalInfo) {
      view_.SetFontColor(l.label, color::Gray);
      view_.SetText(l.label, l.microText);
    }
    view_.SetFontColor(Label_Hand_RD1_2, color::Gray);
    view_.SetFontColor(Label_Hand_RD0_2, color::Gray);
    view_.SetText(Label_Hand_RD1_2, "");
    view_.SetText(Label_Hand_RD0_2, "");
  }
}

void Panels::RefreshControllerPanel(const BoardParts& bp) {
  const bool on = bp.c.PowerOn;
  const SequencerRecord& sh = bp.m.Micro.Shown;
  const MicroDecode& d = bp.m.Micro.Decode;
  view_.SetPicture(Image_P4_T3_uAR, LevelPicture(on, sh.T3));
  view_.SetPicture(Image_P4_T3uARFan, LevelPicture(on, sh.T3Inv));

  // Lamps: the test bits, the base next address, the micro-address.
  for (int i = 0; i < 5; ++i)
    view_.SetLamp(After(kPLamps, i), on ? d.Bit(mbit::P4 - i) : 0, Pic::LampYsH, Pic::LampYsL);
  for (int i = 0; i < 6; ++i) {
    view_.SetLamp(After(kNuALamps, i), on ? d.Bit(mbit::NuA5 - i) : 0, Pic::LampRsH, Pic::LampRsL);
    view_.SetLamp(After(kuALamps, i), on ? (sh.MicroAddress >> (5 - i)) & 1 : 0, Pic::LampGsH, Pic::LampGsL);
  }
  ShowMicroSource(bp.m, on ? sh.MicroAddress & 63 : 0);
  if (on)
    RefreshControllerTexts(bp);
  else
    ClearControllerTexts();

  // Both power states: the copies.
  for (int i = 0; i < 5; ++i) view_.CopyPicture(After(kPanelSwitches, i), Image_P4_SW5);
  view_.CopyText(Label_P4_P1_2, Label_P4_P1_1);
  view_.CopyText(Label_P4_P1_3, Label_P4_P1_1);
  view_.CopyText(Label_P4_P1_4, Label_P4_P1_1);
  view_.CopyText(Label_P4_P0_2, Label_P4_P0_1);
  view_.CopyText(Label_P4_P0_3, Label_P4_P0_1);
  for (int i = 0; i <= 16; ++i) view_.CopyPicture(After(kSecondLamps, i), After(kPLamps, i));
}

void Panels::RefreshControllerTexts(const BoardParts& bp) {
  const SequencerRecord& sh = bp.m.Micro.Shown;
  const MicroDecode& d = bp.m.Micro.Decode;
  char real[6];
  for (int i = 0; i < 6; ++i) real[i] = ((sh.NextMicroAddress >> (5 - i)) & 1) ? '1' : '0';
  view_.SetText(Label_P0_RealNuA, std::string_view(real, 6));
  view_.SetText(Label_P4_SELCTL, BitText(d.Bit(mbit::SELCTL)));
  for (int i = 0; i < 4; ++i) {
    view_.SetText(After(kSelLabels, i), BitText(d.Bit(mbit::SEL3 - i)));
    view_.SetText(After(kSelLabels, 4 + i), BitText(sh.SEL[static_cast<size_t>(i)]));
  }
  view_.SetPicture(Image_SW_SEL30, d.Bit(mbit::SELCTL) == 1 ? Pic::SW1 : Pic::SW0);
  view_.SetPicture(Image_SW_IR30, d.Bit(mbit::SELCTL) == 1 ? Pic::SW0 : Pic::SW1);

  // "AA:WWWWWWWWWW": the address and the word as it was written.
  const bool decoded = d.WordText[0] != '\0';
  char text[13];
  const SmallText address = Hex2(d.Address);
  text[0] = address.buf[0];
  text[1] = address.buf[1];
  text[2] = ':';
  std::copy(d.WordText.begin(), d.WordText.end(), text + 3);
  view_.SetText(Label_P4_MicroProStr, decoded ? std::string_view(text, 13) : std::string_view());
  for (int i = 0; i < 10; ++i)
    view_.SetText(After(kMicroChars, i), decoded ? std::string_view(text + 3 + i, 1) : std::string_view());

  for (int i = 0; i < 8; ++i) view_.SetText(After(kIRLabels, i), BitText(sh.In.IR >> (7 - i)));
  view_.SetText(Label_P4_ZO, BitText(sh.In.ZOut));
  view_.SetText(Label_P4_CO, BitText(sh.In.COut));

  view_.SetCurrentCell(StringGrid_MicroMem, (sh.MicroAddress & 7) + 1, ((sh.MicroAddress & 63) >> 3) + 1);
  view_.SetText(Edit_uAR, Hex2(sh.MicroAddress).view());
  view_.SetColor(Edit_uAR, sh.MicroAddressLoaded ? color::Red : color::Aqua);
  view_.SetPicture(Image_P4_SW5, Pic::SWT);

  for (int i = 0; i < 6; ++i) view_.SetText(After(kOKNuA, i), BitText(sh.NextMicroAddress >> (5 - i)));
  view_.SetText(Label_P4_OKNuA, Hex2(sh.NextMicroAddress).view());
  for (int i = 0; i < 10; ++i) view_.SetText(kTermLabels[i], BitText(d.Terms[static_cast<size_t>(kTermIndex[i])]));
  for (int i = 0; i < 5; ++i) view_.SetText(kOrLabels[i], BitText(d.PartialOr[static_cast<size_t>(i)]));
  for (int i = 0; i < 6; ++i) view_.SetText(After(kNuALabels, i), BitText(d.Bit(mbit::NuA5 - i)));
  view_.SetText(Label_P4_P4, BitText(d.Bit(mbit::P4)));
  view_.SetText(Label_P4_P3, BitText(d.Bit(mbit::P3)));
  view_.SetText(Label_P4_P2, BitText(d.Bit(mbit::P2)));
  view_.SetText(Label_P4_P1_1, BitText(d.Bit(mbit::P1)));
  view_.SetText(Label_P4_P0_1, BitText(d.Bit(mbit::P0)));
  const MicroInputs& in = sh.In;
  const std::pair<WidgetId, int32_t> inputs[] = {
      {Label_P4_INTQ, in.INTQ}, {Label_P4_SWC, in.SWC},   {Label_P4_SWB, in.SWB},   {Label_P4_SWA, in.SWA},
      {Label_P4_IR7I, in.IR7I}, {Label_P4_IR6I, in.IR6I}, {Label_P4_IR5I, in.IR5I}, {Label_P4_IR4I, in.IR4I},
      {Label_P4_ZI, in.ZI},     {Label_P4_CI, in.CI}};
  for (const auto& [label, value] : inputs) view_.SetText(label, BitText(value));
  for (int n = 39; n >= 0; --n) view_.SetText(After(kMIROut, 39 - n), BitText(d.Bit(n)));
}

// The word at the table's current cell in source form, with the label its
// comment carries: "01: fetch: LIR PCINC P1 -> 20". Each address keeps its
// text until its entry changes, so a run does not build one every machine
// cycle (the view may have been reset since: the text is set every time).
void Panels::ShowMicroSource(const MachineState& m, int address) {
  const ControlStoreEntry& e = m.Micro.Store[static_cast<size_t>(address)];
  ShownSource& s = shownSource_[static_cast<size_t>(address)];
  const bool set = e.Address != NoValue;
  if (!s.made || s.set != set || s.word != e.Word || s.comment != e.CommentText) {
    s = {true, set, e.Word, e.CommentText, {}};
    const std::string label = LabelOfComment(e.CommentText);
    if (set)
      s.text = std::string(Hex2(address).view()) + ": " + (label.empty() ? "" : label + ": ") + MicrowordItems(e.Word);
  }
  view_.SetText(Label_MicroSource, s.text);
}

void Panels::ClearControllerTexts() {
  view_.SetText(Label_P0_RealNuA, "");
  view_.SetText(Label_P4_SELCTL, "");
  for (int i = 0; i < 8; ++i) view_.SetText(After(kSelLabels, i), "");
  view_.SetPicture(Image_SW_SEL30, Pic::SW_PowerOff);
  view_.SetPicture(Image_SW_IR30, Pic::SW_PowerOff);
  view_.SetText(Label_P4_MicroProStr, "");
  for (int i = 0; i < 10; ++i) view_.SetText(After(kMicroChars, i), "");
  for (int i = 0; i < 8; ++i) view_.SetText(After(kIRLabels, i), "");
  view_.SetText(Label_P4_ZO, "");
  view_.SetText(Label_P4_CO, "");
  view_.SetCurrentCell(StringGrid_MicroMem, 1, 1);
  view_.SetText(Edit_uAR, "");
  view_.SetColor(Edit_uAR, color::Aqua);
  view_.SetPicture(Image_P4_SW5, Pic::SW_PowerOff);
  for (int i = 0; i < 6; ++i) view_.SetText(After(kOKNuA, i), "");
  view_.SetText(Label_P4_OKNuA, "");
  for (WidgetId id : kTermLabels) view_.SetText(id, "");
  for (WidgetId id : kOrLabels) view_.SetText(id, "");
  for (int i = 0; i < 6; ++i) view_.SetText(After(kNuALabels, i), "");
  for (WidgetId id :
       {Label_P4_P4, Label_P4_P3, Label_P4_P2, Label_P4_P1_1, Label_P4_P0_1, Label_P4_INTQ, Label_P4_SWC, Label_P4_SWB,
        Label_P4_SWA, Label_P4_IR7I, Label_P4_IR6I, Label_P4_IR5I, Label_P4_IR4I, Label_P4_ZI, Label_P4_CI})
    view_.SetText(id, "");
  for (int i = 0; i < 40; ++i) view_.SetText(After(kMIROut, i), "");
}

}  // namespace orrin
