// The datapath modules: the look of each register field before and after
// the beat that acts on it, the warnings, the gates and the lamps.
#include <gtest/gtest.h>

#include "tests/panels/panel_test_util.h"

namespace orrin {
namespace {

// Phase 5 (T3 rising) is where the registers latch.
constexpr int kToLatch = 5;

TEST(ArDisplay, YellowWhileLoadingRedAfterALoadLimeAfterACount) {
  Board load;
  RunWord(load, "0010008000");  // SBUS LAR
  load.sim.ToggleDataSwitch(0);
  EXPECT_EQ(Color(load, Edit_AR), color::Yellow);
  EXPECT_EQ(Picture(load, Image_SW_LAR), Pic::SWT);
  EXPECT_FALSE(Visible(load, Label_ARAdd1));
  SmallBeats(load, kToLatch);
  EXPECT_EQ(Text(load, Edit_AR), "01");
  EXPECT_EQ(Color(load, Edit_AR), color::Red);
  EXPECT_EQ(Picture(load, Image_AR0), Pic::LampGmH);
  EXPECT_EQ(Picture(load, Image_P3_AR0), Pic::LampGmH);

  Board count;
  RunWord(count, "0000004000");  // ARINC
  SmallBeats(count, kToLatch);
  EXPECT_EQ(Text(count, Edit_AR), "01");
  EXPECT_EQ(Color(count, Edit_AR), color::Lime);
  SmallBeats(count, 1);  // the mark lasts one beat; the signal keeps it yellow
  EXPECT_EQ(Color(count, Edit_AR), color::Yellow);
}

TEST(ArDisplay, CountAndLoadTogetherWarnThatTheCountWins) {
  Board b;
  RunWord(b, "000000C000");  // LAR ARINC
  EXPECT_EQ(Color(b, Edit_AR), color::Yellow);
  EXPECT_TRUE(Visible(b, Label_ARAdd1));
  EXPECT_TRUE(Visible(b, Label_ARannounce));
  EXPECT_EQ(Text(b, Label_ARannounce), "ARINC>LAR");
  EXPECT_EQ(Picture(b, Image_SW_LAR), Pic::SW0);
  EXPECT_EQ(Text(b, Label_LAR), "1");
  EXPECT_EQ(Text(b, Label_ARINC), "1");
}

TEST(PcDisplay, ColourTellsIncrementLoadOrOffset) {
  struct Case {
    const char* word;
    uint32_t after;
  };
  for (const Case& c :
       {Case{"0000001000", color::Lime}, Case{"0000002000", color::Red}, Case{"8000000000", color::Fuchsia}}) {
    Board b;
    RunWord(b, c.word);
    EXPECT_EQ(Color(b, Edit_PC), color::Yellow) << c.word;
    SmallBeats(b, kToLatch);
    EXPECT_EQ(Color(b, Edit_PC), c.after) << c.word;
  }
}

TEST(PcDisplay, LoadAndAddTogetherShowTheLoadAndTheWarning) {
  Board b;
  RunWord(b, "8000002000");  // PCADD LPC
  EXPECT_EQ(Picture(b, Image_SW_LPC), Pic::SWT);
  EXPECT_EQ(Picture(b, Image_SW_PCADD), Pic::SW0);
  EXPECT_FALSE(Visible(b, Label_PCAdd1));
  EXPECT_TRUE(Visible(b, Label_PCannounce));
  EXPECT_EQ(Text(b, Label_PCannounce), "PCINC>LPC>PCADD");

  Board one;
  RunWord(one, "8000000000");  // PCADD alone: no warning
  EXPECT_EQ(Picture(one, Image_SW_PCADD), Pic::SWT);
  EXPECT_FALSE(Visible(one, Label_PCannounce));
}

TEST(RegisterFileDisplay, OnlyTheDestinationGateOpensAndItsFieldTurnsYellowThenRed) {
  Board b;
  RunWord(b, "6000000800");  // SELCTL SEL=8 (RD = 10) DRW
  for (int r = 0; r < 4; ++r) {
    const WidgetId gate = static_cast<WidgetId>(static_cast<int>(Image_SW_LR0) + r);
    const WidgetId field = static_cast<WidgetId>(static_cast<int>(Edit_R0) + r);
    EXPECT_EQ(Picture(b, gate), r == 2 ? Pic::SWT : Pic::SW0) << r;
    EXPECT_EQ(Color(b, field), r == 2 ? color::Yellow : color::Aqua) << r;
  }
  EXPECT_EQ(Picture(b, Image_SW_SEL_A2), Pic::SW1);
  EXPECT_EQ(Picture(b, Image_SW_SEL_A0), Pic::SW0);
  EXPECT_EQ(Picture(b, Image_SW_SEL_B0), Pic::SW1);
  EXPECT_EQ(Text(b, Label_LR2_1), "1");
  EXPECT_EQ(Text(b, Label_LR2_2), "1");
  EXPECT_EQ(Text(b, Label_DRW_4), "1");
  SmallBeats(b, kToLatch);
  EXPECT_EQ(Color(b, Edit_R2), color::Red);
  EXPECT_EQ(Color(b, Edit_R1), color::Aqua);
}

TEST(RegisterFileDisplay, PortsShowTheSelectedRegistersAsLamps) {
  Board b;
  RunWord(b, "5000000000");  // SELCTL SEL=4: A = R1, B = R0
  b.sim.view.Writable(Edit_R1).text = "5A";
  b.sim.EditKeyPress(Edit_R1, 13);
  EXPECT_EQ(Text(b, Label_ChoiceANum), "5A");
  EXPECT_EQ(Text(b, Label_ChoiceBNum), "00");
  EXPECT_EQ(Picture(b, Image_A6), Pic::LampRmH);
  EXPECT_EQ(Picture(b, Image_A7), Pic::LampRmL);
  EXPECT_EQ(Picture(b, Image_A3), Pic::LampGmH);
  EXPECT_EQ(Picture(b, Image_A0), Pic::LampGmL);
  EXPECT_EQ(Picture(b, Image_P3_A6), Pic::LampRmH);
  EXPECT_EQ(Picture(b, Image_B6), Pic::LampRmL);
}

TEST(AluDisplay, ZeroResultAndCarryOutLabels) {
  Board b;
  RunWord(b, "0004C80000");  // M S1 S0 (F = 0) with CIN 0, LDZ
  EXPECT_EQ(Text(b, Label_181formula), "F = 0");
  EXPECT_EQ(Text(b, Label_181Zero), "1");
  EXPECT_EQ(Text(b, Label_181Cn4), "1");  // Cn4 follows CIN = 0: a carry, so C would load 1
  EXPECT_EQ(Text(b, Label_181F), "00");
  EXPECT_EQ(Text(b, Label_M), "1");
  EXPECT_EQ(Color(b, Edit_Z), color::Yellow);
  EXPECT_EQ(Picture(b, Image_SW_LDZ), Pic::SWT);
  EXPECT_EQ(Picture(b, Image_SW_LDC), Pic::SW0);
  SmallBeats(b, kToLatch);
  EXPECT_EQ(Text(b, Edit_Z), "1");
  EXPECT_EQ(Color(b, Edit_Z), color::Red);
  EXPECT_EQ(Picture(b, Image_Z), Pic::LampGH);
  EXPECT_EQ(Picture(b, Image_P3_Z), Pic::LampGH);
  EXPECT_EQ(Picture(b, Image_C), Pic::LampRL);

  Board add;
  RunWord(add, "0002000000");  // S = 1000 with a carry in: F = A+(A&&B)+1 = 01
  EXPECT_EQ(Text(add, Label_181Zero), "0");
}

TEST(IrAndIarDisplay, LoadsAndGates) {
  Board b;
  RunWord(b, "00C0040000");  // LIAR IABUS LIR
  EXPECT_EQ(Color(b, Edit_IR), color::Yellow);
  EXPECT_EQ(Picture(b, Image_SW_LIR), Pic::SWT);
  EXPECT_EQ(Picture(b, Image_SW_IROUT3), Pic::SW3);
  EXPECT_EQ(Color(b, Edit_IAR), color::Yellow);
  EXPECT_EQ(Picture(b, Image_SW_IABUS), Pic::ToBG1);
  b.sim.view.Writable(Edit_IR).text = "C7";
  b.sim.EditKeyPress(Edit_IR, 13);
  EXPECT_EQ(Text(b, Label_P3_IR30), "7");
  EXPECT_EQ(Picture(b, Image_IR7), Pic::LampRmH);
  EXPECT_EQ(Picture(b, Image_P3_IR5), Pic::LampRmL);
  SmallBeats(b, kToLatch);
  EXPECT_EQ(Color(b, Edit_IR), color::Red);
  EXPECT_EQ(Color(b, Edit_IAR), color::Red);
}

TEST(DatapathDisplay, PowerOffEmptiesEveryFieldAndDarkensEveryLamp) {
  Board b;
  RunWord(b, "FFFFFFFFFF");
  SmallBeats(b, kToLatch);
  b.sim.SpeedButtonPOWERClick();
  for (WidgetId id : {Edit_Z, Edit_C, Edit_R0, Edit_R3, Edit_AR, Edit_PC, Edit_IR, Edit_IAR}) {
    EXPECT_EQ(Text(b, id), "") << Info(id).name;
    EXPECT_EQ(Color(b, id), color::Aqua) << Info(id).name;
  }
  for (WidgetId id : {Label_181formula, Label_181F, Label_LDC, Label_RD1_2, Label_DRW_3, Label_P3_R2_2,
                      Label_ChoiceANum, Label_LAR, Label_PCADD, Label_P3_PC, Label_LIR, Label_P3_IR30, Label_IABUS})
    EXPECT_EQ(Text(b, id), "") << Info(id).name;
  for (WidgetId id : {Label_ARAdd1, Label_ARannounce, Label_PCAdd1, Label_PCannounce}) EXPECT_FALSE(Visible(b, id));
  for (WidgetId id : {Image_A7, Image_P3_B0, Image_AR4, Image_P3_PC7, Image_IR0})
    EXPECT_TRUE(Picture(b, id) == Pic::LampRmL || Picture(b, id) == Pic::LampGmL) << Info(id).name;
  EXPECT_EQ(Picture(b, Image_Z), Pic::LampGL);
  EXPECT_EQ(Picture(b, Image_P3_C), Pic::LampRL);
  for (WidgetId id : {Image_SW_LDZ, Image_SW_LR1, Image_SW_R2OUT, Image_SW_Ain, Image_SW_SEL_B3, Image_SW_LAR,
                      Image_SW_AROUT, Image_SW_PCOUT, Image_SW_IROUT4, Image_SW_LIAR})
    EXPECT_EQ(Picture(b, id), Pic::SW_PowerOff) << Info(id).name;
  EXPECT_EQ(Picture(b, Image_SW_ABUS), Pic::To_PowerOff);
  EXPECT_EQ(Picture(b, Image_SW_IABUS), Pic::To_PowerOff);
  EXPECT_EQ(Picture(b, Image_P3_T3_R3), Pic::Tx_PowerOFF);
}

}  // namespace
}  // namespace orrin
