// The memory module, the data bus conflict report, the interrupt enable
// flip-flop and STOP.
#include <gtest/gtest.h>

#include "tests/panels/panel_test_util.h"

namespace orrin {
namespace {

void SetSwitches(Board& b, int value) {
  for (int bit = 0; bit < 8; ++bit)
    if (((value >> bit) & 1) != b.sim.machine.DataSw.Bits[static_cast<size_t>(bit)]) b.sim.ToggleDataSwitch(bit);
}

TEST(MemoryDisplay, WriteWithReadWarnsAndTheWrittenByteTurnsRed) {
  Board b;
  RunWord(b, "0020010000");  // MBUS MEMW
  EXPECT_TRUE(Visible(b, Label_MEMannounce));
  EXPECT_EQ(Text(b, Label_MEMannounce), "MEMW>MBUS");
  EXPECT_EQ(Picture(b, Image_SW_MBUS), Pic::ToBG3);
  EXPECT_EQ(Picture(b, Image_SW_MEMW), Pic::SWT);
  EXPECT_EQ(Color(b, Label_MEMLONum), color::Yellow);
  SmallBeats(b, 4);  // phase 4 writes
  EXPECT_EQ(Color(b, Label_MEMLONum), color::Red);
  SmallBeats(b, 1);
  EXPECT_EQ(Color(b, Label_MEMLONum), color::Yellow);
}

TEST(MemoryDisplay, PortsShowTheBytesAtArAndPc) {
  Board b;
  RunWord(b, "0020000000");  // MBUS alone: the memory reads onto the bus
  EXPECT_EQ(Picture(b, Image_SW_MBUS), Pic::ToBG1);
  EXPECT_EQ(Picture(b, Image_SW_MEMW), Pic::SW_PowerOff);
  EXPECT_FALSE(Visible(b, Label_MEMannounce));
  b.sim.view.SetCell(StringGrid_MEM, 1, 1, "C3");  // address 00
  b.sim.view.SetCell(StringGrid_MEM, 6, 1, "A5");  // address 05
  b.sim.Button_GridToMEMClick();
  b.sim.view.Writable(Edit_AR).text = "05";
  b.sim.EditKeyPress(Edit_AR, 13);
  EXPECT_EQ(Text(b, Label_MEMLONum), "A5");
  EXPECT_EQ(Color(b, Label_MEMLONum), color::BtnFace);
  EXPECT_EQ(Text(b, Label_INSBUSNum1), "C3");
  EXPECT_EQ(Text(b, Label_INSBUSNum2), "C3");
  EXPECT_EQ(Picture(b, Image_INS7), Pic::LampRmH);
  EXPECT_EQ(Picture(b, Image_P3_INS2), Pic::LampGmL);
  EXPECT_EQ(Text(b, Label_DBUSNum1), "A5");

  Board idle;
  RunWord(idle, "0000000000");
  EXPECT_EQ(Picture(idle, Image_SW_MBUS), Pic::ToBR0);
}

TEST(DataBusDisplay, TwoDriversAreReportedAsAConflict) {
  Board b;
  RunWord(b, "001CC00000");  // SBUS, and ABUS with F = 0
  SetSwitches(b, 0x5A);
  EXPECT_EQ(Text(b, Label_DBUSNum1), "5A[2写DBUS，错误]");
  EXPECT_EQ(Text(b, Label_DBUSNum2), "5A[2写DBUS，错误]");
  EXPECT_EQ(Color(b, Label_DBUSNum1), color::Red);
  EXPECT_EQ(Color(b, Label_DBUSNum2), color::Red);
  EXPECT_TRUE(Visible(b, Label_P0_DBMultiWrite));
  EXPECT_EQ(Text(b, Label_P0_DBMultiWrite), "2写DB");

  Board one;
  RunWord(one, "0010000000");  // SBUS alone
  SetSwitches(one, 0x5A);
  EXPECT_EQ(Text(one, Label_DBUSNum1), "5A");
  EXPECT_EQ(Color(one, Label_DBUSNum2), color::BtnFace);
  EXPECT_FALSE(Visible(one, Label_P0_DBMultiWrite));
  EXPECT_EQ(Picture(one, Image_D6), Pic::LampRmH);
  EXPECT_EQ(Picture(one, Image_P3_D0), Pic::LampGmL);
}

TEST(InterruptDisplay, EnableAndDisableTogetherWarnAndEnableWins) {
  Board b;
  RunWord(b, "0300000000");  // INTEN INTDI
  EXPECT_EQ(Color(b, Edit_EN_INT), color::Yellow);
  EXPECT_TRUE(Visible(b, Label_INTannounce));
  EXPECT_EQ(Text(b, Label_INTannounce), "INTEN>INTDI");
  EXPECT_EQ(Picture(b, Image_EN_INT), Pic::ENINTOFF);
  SmallBeats(b, 2);  // the first level beat sets the flip-flop
  EXPECT_EQ(Text(b, Edit_EN_INT), "1");
  EXPECT_EQ(Color(b, Edit_EN_INT), color::Red);
  EXPECT_EQ(Picture(b, Image_EN_INT), Pic::ENINTON);
  EXPECT_EQ(Text(b, Label_INTEN), "1");
  EXPECT_EQ(Text(b, Label_INTQ), "0");

  Board quiet;
  RunWord(quiet, "0200000000");  // INTEN alone
  EXPECT_FALSE(Visible(quiet, Label_INTannounce));
}

TEST(StopDisplay, ShowsTheSignal) {
  Board b;
  RunWord(b, "0000020000");
  EXPECT_EQ(Text(b, Label_STOP), "1");
  b.sim.SpeedButtonPOWERClick();
  EXPECT_EQ(Text(b, Label_STOP), "");
}

TEST(MemoryBusDisplay, PowerOffShowsNoDigitsNoLampsNoWarnings) {
  Board b;
  RunWord(b, "033C010000");  // every warning of these modules at once
  SetSwitches(b, 0xFF);
  ASSERT_TRUE(Visible(b, Label_MEMannounce));
  ASSERT_TRUE(Visible(b, Label_P0_DBMultiWrite));
  b.sim.SpeedButtonPOWERClick();
  for (WidgetId id : {Label_MBUS, Label_MEMW, Label_MEMLONum, Label_INSBUSNum1, Label_INSBUSNum2, Label_DBUSNum1,
                      Label_DBUSNum2, Label_INTEN, Label_INTDI, Label_INTQ, Edit_EN_INT, Label_STOP})
    EXPECT_EQ(Text(b, id), "") << Info(id).name;
  for (WidgetId id : {Label_MEMannounce, Label_P0_DBMultiWrite, Label_INTannounce}) EXPECT_FALSE(Visible(b, id));
  EXPECT_EQ(Color(b, Label_MEMLONum), color::BtnFace);
  EXPECT_EQ(Color(b, Label_DBUSNum2), color::BtnFace);
  EXPECT_EQ(Color(b, Edit_EN_INT), color::Aqua);
  EXPECT_EQ(Picture(b, Image_SW_MBUS), Pic::To_PowerOff);
  EXPECT_EQ(Picture(b, Image_SW_MEMOR), Pic::SW_PowerOff);
  EXPECT_EQ(Picture(b, Image_EN_INT), Pic::ENINTOFF);
  for (WidgetId id : {Image_D7, Image_P3_D0, Image_INS4, Image_P3_INS3})
    EXPECT_TRUE(Picture(b, id) == Pic::LampRmL || Picture(b, id) == Pic::LampGmL) << Info(id).name;
}

}  // namespace
}  // namespace orrin
