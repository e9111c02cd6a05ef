// Where the control signals come from: the source labels beside the signal
// inputs, and the microprogram controller panel with its lamps, bit labels,
// next-address terms, the current word and the micro-address field.
#include "panels/panel_helpers.h"

namespace orrin {

using enum WidgetId;
using panels::After;

namespace {

struct SourceLabel {
  WidgetId label;
  Sig sig;
  const char* microText;  // the microword bit that drives it in microprogram mode
};
constexpr SourceLabel kSourceLabels[] = {
    {Label_Hand_M, M, "(M26)"},         {Label_Hand_S3, S3, "(M25)"},       {Label_Hand_S2, S2, "(M24)"},
    {Label_Hand_S1, S1, "(M23)"},       {Label_Hand_S0, S0, "(M22)"},       {Label_Hand_Cin, CIN, "(M21)"},
    {Label_Hand_LDC, LDC, "(M20)"},     {Label_Hand_LDZ, LDZ, "(M19)"},     {Label_Hand_ABUS, ABUS, "(M27)"},
    {Label_Hand_SBUS, SBUS, "(M28)"},   {Label_Hand_MBUS, MBUS, "(M29)"},   {Label_Hand_IABUS, IABUS, "(M30)"},
    {Label_Hand_LIAR, LIAR, "(M31)"},   {Label_Hand_INTDI, INTDI, "(M32)"}, {Label_Hand_INTEN, INTEN, "(M33)"},
    {Label_Hand_PCADD, PCADD, "(M39)"}, {Label_Hand_LIR, LIR, "(M18)"},     {Label_Hand_STOP, STOP, "(M17)"},
    {Label_Hand_MEMW, MEMW, "(M16)"},   {Label_Hand_LAR, LAR, "(M15)"},     {Label_Hand_ARINC, ARINC, "(M14)"},
    {Label_Hand_LPC, LPC, "(M13)"},     {Label_Hand_PCINC, PCINC, "(M12)"}, {Label_Hand_DRW, DRW, "(M11)"},
    {Label_Hand_RD1_1, RD1, ""},        {Label_Hand_RD0_1, RD0, ""},        {Label_Hand_RS1, RS1, ""},
    {Label_Hand_RS0, RS0, ""},
};

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

void Simulator::RefreshSourceLabels(uint8_t) {
  if (view[RadioButtonHandLine].checked) {
    for (const SourceLabel& l : kSourceLabels) {
      view.SetFontColor(l.label, color::Lime);
      const std::string& source = wires.SourceName(kSigJack[l.sig]);
      view.SetText(l.label, source.empty() ? std::string_view("(__)") : InParens(source).view());
    }
    view.SetFontColor(Label_Hand_RD1_2, color::Lime);
    view.SetFontColor(Label_Hand_RD0_2, color::Lime);
    view.CopyText(Label_Hand_RD1_2, Label_Hand_RD1_1);
    view.CopyText(Label_Hand_RD0_2, Label_Hand_RD0_1);
  } else {
    for (const SourceLabel& l : kSourceLabels) {
      view.SetFontColor(l.label, color::Gray);
      view.SetText(l.label, l.microText);
    }
    view.SetFontColor(Label_Hand_RD1_2, color::Gray);
    view.SetFontColor(Label_Hand_RD0_2, color::Gray);
    view.SetText(Label_Hand_RD1_2, "");
    view.SetText(Label_Hand_RD0_2, "");
  }
}

void Simulator::RefreshControllerPanel(uint8_t power) {
  const SequencerRecord& sh = machine.Micro.Shown;
  const MicroDecode& d = machine.Micro.Decode;
  const auto& M = d.Bits;
  const bool on = power == 1;
  view.SetPicture(Image_P4_T3_uAR, LevelPicture(power, sh.T3));
  view.SetPicture(Image_P4_T3uARFan, LevelPicture(power, sh.T3Inv));

  // Lamps: the test bits, the base next address, the micro-address.
  for (int i = 0; i < 5; ++i)
    view.SetLamp(After(kPLamps, i), on ? M[static_cast<size_t>(10 - i)] : 0, Pic::LampYsH, Pic::LampYsL);
  for (int i = 0; i < 6; ++i) {
    view.SetLamp(After(kNuALamps, i), on ? M[static_cast<size_t>(5 - i)] : 0, Pic::LampRsH, Pic::LampRsL);
    view.SetLamp(After(kuALamps, i), on ? (sh.MicroAddress >> (5 - i)) & 1 : 0, Pic::LampGsH, Pic::LampGsL);
  }

  if (on) {
    char real[7];
    for (int i = 0; i < 6; ++i) real[i] = ((sh.NextMicroAddress >> (5 - i)) & 1) ? '1' : '0';
    view.SetText(Label_P0_RealNuA, std::string_view(real, 6));
    view.SetText(Label_P4_SELCTL, BitText(M[38]));
    for (int i = 0; i < 4; ++i) {
      view.SetText(After(kSelLabels, i), BitText(M[static_cast<size_t>(37 - i)]));
      view.SetText(After(kSelLabels, 4 + i), BitText(sh.SEL[static_cast<size_t>(i)]));
    }
    view.SetPicture(Image_SW_SEL30, M[38] == 1 ? Pic::SW1 : Pic::SW0);
    view.SetPicture(Image_SW_IR30, M[38] == 1 ? Pic::SW0 : Pic::SW1);

    const std::string_view text(d.MicroText);
    view.SetText(Label_P4_MicroProStr, text);
    for (int i = 0; i < 10; ++i)
      view.SetText(After(kMicroChars, i), text.size() == 13 ? text.substr(static_cast<size_t>(3 + i), 1) : "");

    for (int i = 0; i < 8; ++i) view.SetText(After(kIRLabels, i), BitText(sh.In.IR >> (7 - i)));
    view.SetText(Label_P4_ZO, BitText(sh.In.ZOut));
    view.SetText(Label_P4_CO, BitText(sh.In.COut));

    view.SetCurrentCell(StringGrid_MicroMem, (sh.MicroAddress & 7) + 1, ((sh.MicroAddress & 63) >> 3) + 1);
    view.SetText(Edit_uAR, Hex2(sh.MicroAddress).view());
    view.SetColor(Edit_uAR, sh.MicroAddressLoaded == 1 ? color::Red : color::Aqua);
    view.SetPicture(Image_P4_SW5, Pic::SWT);

    for (int i = 0; i < 6; ++i) view.SetText(After(kOKNuA, i), BitText(sh.NextMicroAddress >> (5 - i)));
    view.SetText(Label_P4_OKNuA, Hex2(sh.NextMicroAddress).view());
    for (int i = 0; i < 10; ++i) view.SetText(kTermLabels[i], BitText(d.Terms[static_cast<size_t>(kTermIndex[i])]));
    for (int i = 0; i < 5; ++i) view.SetText(kOrLabels[i], BitText(d.PartialOr[static_cast<size_t>(i)]));
    for (int i = 0; i < 6; ++i) view.SetText(After(kNuALabels, i), BitText(M[static_cast<size_t>(5 - i)]));
    view.SetText(Label_P4_P4, BitText(M[10]));
    view.SetText(Label_P4_P3, BitText(M[9]));
    view.SetText(Label_P4_P2, BitText(M[8]));
    view.SetText(Label_P4_P1_1, BitText(M[7]));
    view.SetText(Label_P4_P0_1, BitText(M[6]));
    view.SetText(Label_P4_INTQ, BitText(sh.In.INTQ));
    view.SetText(Label_P4_SWC, BitText(sh.In.SWC));
    view.SetText(Label_P4_SWB, BitText(sh.In.SWB));
    view.SetText(Label_P4_SWA, BitText(sh.In.SWA));
    view.SetText(Label_P4_IR7I, BitText(sh.In.IR7I));
    view.SetText(Label_P4_IR6I, BitText(sh.In.IR6I));
    view.SetText(Label_P4_IR5I, BitText(sh.In.IR5I));
    view.SetText(Label_P4_IR4I, BitText(sh.In.IR4I));
    view.SetText(Label_P4_ZI, BitText(sh.In.ZI));
    view.SetText(Label_P4_CI, BitText(sh.In.CI));
    for (int n = 39; n >= 0; --n) view.SetText(After(kMIROut, 39 - n), BitText(M[static_cast<size_t>(n)]));
  } else {
    view.SetText(Label_P0_RealNuA, "");
    view.SetText(Label_P4_SELCTL, "");
    for (int i = 0; i < 8; ++i) view.SetText(After(kSelLabels, i), "");
    view.SetPicture(Image_SW_SEL30, Pic::SW_PowerOff);
    view.SetPicture(Image_SW_IR30, Pic::SW_PowerOff);
    view.SetText(Label_P4_MicroProStr, "");
    for (int i = 0; i < 10; ++i) view.SetText(After(kMicroChars, i), "");
    for (int i = 0; i < 8; ++i) view.SetText(After(kIRLabels, i), "");
    view.SetText(Label_P4_ZO, "");
    view.SetText(Label_P4_CO, "");
    view.SetCurrentCell(StringGrid_MicroMem, 1, 1);
    view.SetText(Edit_uAR, "");
    view.SetColor(Edit_uAR, color::Aqua);
    view.SetPicture(Image_P4_SW5, Pic::SW_PowerOff);
    for (int i = 0; i < 6; ++i) view.SetText(After(kOKNuA, i), "");
    view.SetText(Label_P4_OKNuA, "");
    for (WidgetId id : kTermLabels) view.SetText(id, "");
    for (WidgetId id : kOrLabels) view.SetText(id, "");
    for (int i = 0; i < 6; ++i) view.SetText(After(kNuALabels, i), "");
    for (WidgetId id : {Label_P4_P4, Label_P4_P3, Label_P4_P2, Label_P4_P1_1, Label_P4_P0_1, Label_P4_INTQ,
                        Label_P4_SWC, Label_P4_SWB, Label_P4_SWA, Label_P4_IR7I, Label_P4_IR6I, Label_P4_IR5I,
                        Label_P4_IR4I, Label_P4_ZI, Label_P4_CI})
      view.SetText(id, "");
    for (int i = 0; i < 40; ++i) view.SetText(After(kMIROut, i), "");
  }

  // Both power states: the copies.
  for (int i = 0; i < 5; ++i) view.CopyPicture(After(kPanelSwitches, i), Image_P4_SW5);
  view.CopyText(Label_P4_P1_2, Label_P4_P1_1);
  view.CopyText(Label_P4_P1_3, Label_P4_P1_1);
  view.CopyText(Label_P4_P1_4, Label_P4_P1_1);
  view.CopyText(Label_P4_P0_2, Label_P4_P0_1);
  view.CopyText(Label_P4_P0_3, Label_P4_P0_1);
  for (int i = 0; i <= 16; ++i) view.CopyPicture(After(kSecondLamps, i), After(kPLamps, i));
}

}  // namespace orrin
