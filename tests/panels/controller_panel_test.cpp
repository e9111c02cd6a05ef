// The signal-source labels and the microprogram controller panel.
#include <gtest/gtest.h>

#include "tests/panels/panel_test_util.h"

namespace orrin {
namespace {

TEST(SourceLabels, IndependentModeNamesTheWiredSwitchInLime) {
  Board b;
  Join(b.sim, 26, jack::M);
  Join(b.sim, 3, jack::RD1);
  b.sim.BoardEvaluation();
  EXPECT_EQ(Text(b, Label_Hand_M), "(K26)");
  EXPECT_EQ(b.sim.view[Label_Hand_M].fontColor, color::Lime);
  EXPECT_EQ(Text(b, Label_Hand_S3), "(__)");
  EXPECT_EQ(Text(b, Label_Hand_RD1_1), "(K3)");
  EXPECT_EQ(Text(b, Label_Hand_RD1_2), "(K3)");
  EXPECT_EQ(Text(b, Label_Hand_RD0_2), "(__)");
}

TEST(SourceLabels, MicroprogramModeNamesTheMicrowordBitInGrey) {
  Board b;
  Join(b.sim, 26, jack::M);
  b.sim.RadioButtonMicroProgramClick();
  EXPECT_EQ(Text(b, Label_Hand_M), "(M26)");
  EXPECT_EQ(Text(b, Label_Hand_PCADD), "(M39)");
  EXPECT_EQ(Text(b, Label_Hand_DRW), "(M11)");
  for (WidgetId id : {Label_Hand_M, Label_Hand_RS0, Label_Hand_RD1_2}) EXPECT_EQ(b.sim.view[id].fontColor, color::Gray);
  for (WidgetId id :
       {Label_Hand_RD1_1, Label_Hand_RD0_1, Label_Hand_RS1, Label_Hand_RS0, Label_Hand_RD1_2, Label_Hand_RD0_2})
    EXPECT_EQ(Text(b, id), "");
  // Back in the independent mode the wire is named again.
  b.sim.RadioButtonHandLineClick();
  EXPECT_EQ(Text(b, Label_Hand_M), "(K26)");
}

TEST(ControllerPanel, ShowsTheCurrentWordAndItsNextAddress) {
  Board b;
  b.sim.Image_SWCClick();
  b.sim.Image_SWAClick();  // SWC SWB SWA = 1 0 1
  RunWord(b, "0C00000041");
  EXPECT_EQ(Text(b, Label_P4_MicroProStr), "00:0C00000041");
  EXPECT_EQ(Text(b, Label_P4_MicroProChar_9), "0");
  EXPECT_EQ(Text(b, Label_P4_MicroProChar_8), "C");
  EXPECT_EQ(Text(b, Label_P4_MicroProChar_0), "1");
  EXPECT_EQ(Text(b, Label_P4_MIROut_M39), "0");
  EXPECT_EQ(Text(b, Label_P4_MIROut_M35), "1");
  EXPECT_EQ(Text(b, Label_P4_MIROut_M06), "1");
  EXPECT_EQ(Text(b, Label_P4_MIROut_M00), "1");
  // P0 tests SWC SWB SWA into uA3 uA2 uA1 over the base address 01.
  EXPECT_EQ(Text(b, Label_P4_temp01), "1");
  EXPECT_EQ(Text(b, Label_P4_temp03), "0");
  EXPECT_EQ(Text(b, Label_P4_temp05), "1");
  EXPECT_EQ(Text(b, Label_P4_temp12), "1");
  EXPECT_EQ(Text(b, Label_P4_temp16), "1");  // NuA0 alone
  EXPECT_EQ(Text(b, Label_P0_RealNuA), "001011");
  EXPECT_EQ(Text(b, Label_P4_OKNuA), "0B");
  EXPECT_EQ(Text(b, Label_P4_OKNuA3), "1");
  EXPECT_EQ(Text(b, Label_P4_OKNuA2), "0");
  EXPECT_EQ(Text(b, Label_P4_SWC), "1");
  EXPECT_EQ(Text(b, Label_P4_SWB), "0");
  // Test bits and base address as lamps, in both views.
  EXPECT_EQ(Picture(b, Image_P0), Pic::LampYsH);
  EXPECT_EQ(Picture(b, Image_P1), Pic::LampYsL);
  EXPECT_EQ(Picture(b, Image_P4_P0), Pic::LampYsH);
  EXPECT_EQ(Picture(b, Image_NuA0), Pic::LampRsH);
  EXPECT_EQ(Picture(b, Image_NuA1), Pic::LampRsL);
  EXPECT_EQ(Picture(b, Image_uA0), Pic::LampGsL);
  EXPECT_EQ(Text(b, Label_P4_P0_1), "1");
  EXPECT_EQ(Text(b, Label_P4_P0_3), "1");
  EXPECT_EQ(Text(b, Label_P4_P1_4), "0");
  // SELCTL off: the register selects come from IR, and the switch symbols say so.
  EXPECT_EQ(Picture(b, Image_SW_SEL30), Pic::SW0);
  EXPECT_EQ(Picture(b, Image_SW_IR30), Pic::SW1);
  EXPECT_EQ(Text(b, Label_P4_SEL0), "1");
  EXPECT_EQ(Text(b, Label_P4_RS0), "0");
  EXPECT_EQ(Picture(b, Image_P4_SW3), Pic::SWT);
}

TEST(ControllerPanel, SelctlRoutesTheSelFieldToTheRegisterSelects) {
  Board b;
  RunWord(b, "6C00020000");  // SELCTL, SEL = B
  EXPECT_EQ(Picture(b, Image_SW_SEL30), Pic::SW1);
  EXPECT_EQ(Picture(b, Image_SW_IR30), Pic::SW0);
  EXPECT_EQ(Text(b, Label_P4_SELCTL), "1");
  EXPECT_EQ(Text(b, Label_P4_RD1), "1");
  EXPECT_EQ(Text(b, Label_P4_RD0), "0");
  EXPECT_EQ(Text(b, Label_P4_RS1), "1");
  EXPECT_EQ(Text(b, Label_P4_RS0), "1");
}

TEST(ControllerPanel, MicroAddressFieldAndTableCursorFollowTheAddress) {
  Board b;
  b.sim.RadioButtonMicroProgramClick();
  b.sim.SpeedButtonPOWERClick();
  b.sim.view.Writable(Edit_uAR).text = "2B";
  b.sim.EditKeyPress(Edit_uAR, 13);
  EXPECT_EQ(Text(b, Edit_uAR), "2B");
  EXPECT_EQ(b.sim.view[StringGrid_MicroMem].currentRow, 6);
  EXPECT_EQ(b.sim.view[StringGrid_MicroMem].currentCol, 4);
  EXPECT_EQ(Picture(b, Image_uA5), Pic::LampGsH);
  EXPECT_EQ(Picture(b, Image_P4_uA4), Pic::LampGsL);
  EXPECT_EQ(Text(b, Label_P4_MicroProStr), "2B:0040002401");
}

TEST(ControllerPanel, MicroAddressFieldIsRedInTheBeatThatLoadedIt) {
  Board b;
  b.sim.RadioButtonMicroProgramClick();
  b.sim.SpeedButtonPOWERClick();
  SmallBeats(b, 6);  // the first cycle after power-on executes word 00 without loading
  EXPECT_EQ(Color(b, Edit_uAR), color::Aqua);
  SmallBeats(b, 1);  // phase 1: 00 -> 01
  EXPECT_EQ(Text(b, Edit_uAR), "01");
  EXPECT_EQ(Color(b, Edit_uAR), color::Red);
  SmallBeats(b, 1);
  EXPECT_EQ(Color(b, Edit_uAR), color::Aqua);
}

TEST(ControllerPanel, PowerOffShowsNoDigitsAndNoLamps) {
  Board b;
  RunWord(b, "FFFFFFFFFF");
  EXPECT_EQ(Text(b, Label_P4_MIROut_M20), "1");
  b.sim.SpeedButtonPOWERClick();
  for (WidgetId id : {Label_P4_MicroProStr, Label_P4_MicroProChar_5, Label_P0_RealNuA, Label_P4_OKNuA, Label_P4_temp11,
                      Label_P4_temp16, Label_P4_MIROut_M20, Label_P4_P1_1, Label_P4_P1_2, Label_P4_P1_4, Label_P4_P0_2,
                      Label_P4_IR7O, Label_P4_CI, Label_P4_SELCTL, Label_P4_RD1, Edit_uAR})
    EXPECT_EQ(Text(b, id), "") << Info(id).name;
  for (WidgetId id : {Image_P4, Image_P4_P0, Image_NuA5, Image_P4_NuA0, Image_uA0, Image_P4_uA5}) {
    const Pic p = Picture(b, id);
    EXPECT_TRUE(p == Pic::LampYsL || p == Pic::LampRsL || p == Pic::LampGsL) << Info(id).name;
  }
  EXPECT_EQ(Color(b, Edit_uAR), color::Aqua);
  EXPECT_EQ(Picture(b, Image_SW_SEL30), Pic::SW_PowerOff);
  EXPECT_EQ(Picture(b, Image_P4_SW0), Pic::SW_PowerOff);
  EXPECT_EQ(Picture(b, Image_P4_T3_uAR), Pic::Tx_PowerOFF);
  EXPECT_EQ(b.sim.view[StringGrid_MicroMem].currentRow, 1);
  EXPECT_EQ(b.sim.view[StringGrid_MicroMem].currentCol, 1);
}

}  // namespace
}  // namespace orrin
