#include <gtest/gtest.h>

#include "simulator/access.h"
#include "tests/exec/board_fixture.h"

namespace orrin {
namespace {

using enum WidgetId;

TEST(Console, StartsPoweredOffWithThePowerOffPicture) {
  Board b;
  const BoardView& v = b.sim.view;
  EXPECT_EQ(v[SpeedButtonPOWER].picture, Pic::SpeedButton_PowerOFF);
  EXPECT_EQ(v[Image_T1_OUT].picture, Pic::Tx_PowerOFF);
  EXPECT_EQ(v[Label_PK_StepNum].text, "   ");
  EXPECT_EQ(v[Image_M].picture, Pic::LampRsL);
  EXPECT_EQ(v[Image_DRW].picture, Pic::LampGsL);
  EXPECT_EQ(v[Image_SELCTL].picture, Pic::LampGL);
  EXPECT_EQ(v[Label_KeyDPNote].text, "连续");
  EXPECT_EQ(v[Label_KeySWCBANote].text, "启动程序运行");
  EXPECT_EQ(v[Label_DP].text, "");
  EXPECT_TRUE(v[RadioButtonHandLine].checked);
  EXPECT_FALSE(v[RadioButtonHdLine].enabled);
  EXPECT_TRUE(v[Edit_R0].readOnly);
  EXPECT_FALSE(v[StringGrid_MEM].enabled);
}

TEST(Console, PowerRefusals) {
  Board b;
  Access(b.sim).editor.WireDrawing = 1;
  b.sim.SpeedButtonPOWERClick();
  Access(b.sim).editor.WireDrawing = 0;
  Access(b.sim).editor.WrongInputCount = 1;
  b.sim.SpeedButtonPOWERClick();
  EXPECT_EQ(b.sim.console.PowerOn, 0);
  ASSERT_EQ(b.host.warnings.size(), 2u);
  EXPECT_EQ(b.host.warnings[0], "连线进行中，不能通电。");
  EXPECT_EQ(b.host.warnings[1], "检查连线！输入插孔不能接多个输出插孔。");
}

TEST(Console, PowerOnShowsTheLiveBoard) {
  Board b;
  PowerOn(b.sim);
  const BoardView& v = b.sim.view;
  EXPECT_EQ(v[SpeedButtonPOWER].picture, Pic::SpeedButton_PowerON);
  EXPECT_EQ(v[Label_PK_StepNum].text, "0/0");
  EXPECT_EQ(v[Image_T2_OUT].picture, Pic::Tx_lowlevel);
  EXPECT_EQ(v[Label_DP].text, "0");
  EXPECT_EQ(v[Label_P4_SWC].text, "0");
  EXPECT_FALSE(v[Edit_R0].readOnly);
  EXPECT_TRUE(v[StringGrid_MEM].enabled);
  EXPECT_FALSE(v[Label_P4_INTQ].transparent);
}

TEST(Console, SwitchesWorkWithoutPower) {
  Board b;
  Simulator& sim = b.sim;
  sim.Image_SWCClick();
  sim.Image_SWAClick();
  EXPECT_EQ(sim.view[Label_KeySWCBANote].text, "运算器实验");
  EXPECT_EQ(sim.view[Image_SWC].picture, Pic::BSWH);
  EXPECT_EQ(sim.view[Label_P4_SWC].text, "");
  sim.ToggleDataSwitch(3);
  EXPECT_EQ(sim.view[Label_PKEY_SD].text, "08");
  EXPECT_EQ(sim.view[Label_SDNum].text, "");
  for (int i = 0; i < 8; ++i)
    if (i != 3) sim.ToggleDataSwitch(i);
  EXPECT_EQ(sim.machine.DataSw.Value, 255);
  EXPECT_EQ(sim.view[Label_PKEY_SD].text, "FF");
  sim.Image_DPClick();
  EXPECT_EQ(sim.view[Label_KeyDPNote].text, "单拍");
  EXPECT_EQ(sim.view[Image_DP].picture, Pic::BSWH);
}

TEST(Console, NothingRunsWithoutPower) {
  Board b;
  Simulator& sim = b.sim;
  sim.SpeedButtonQDClick();
  sim.Button_OneLittleStepClick();
  sim.SpeedButton_PULSEClick();
  sim.SpeedButtonCLRClick();
  EXPECT_FALSE(sim.console.Timer_RUN.enabled);
  EXPECT_EQ(sim.machine.Beat.StepCount, 0);
  Access(sim).console.Timer_RUN.enabled = true;  // a stray tick after power-off switches the timer off
  sim.Timer_RUNTimer();
  EXPECT_FALSE(sim.console.Timer_RUN.enabled);
}

TEST(Console, PulseNeedsEnabledInterrupts) {
  Board b;
  Simulator& sim = b.sim;
  PowerOn(sim);
  sim.SpeedButton_PULSEClick();
  EXPECT_EQ(sim.machine.Int.INTQ, 0);
  Access(sim).machine.Int.EN_INT = 1;
  sim.SpeedButton_PULSEClick();
  EXPECT_EQ(sim.machine.Int.INTQ, 1);
}

TEST(Console, PauseAndSingleSmallBeatStopARun) {
  Board b;
  Simulator& sim = b.sim;
  PowerOn(sim);
  sim.SpeedButtonQDClick();
  EXPECT_EQ(sim.view[SpeedButtonQD].picture, Pic::SpeedButtonQDON);
  sim.Timer_RUNTimer();
  sim.Button_PAUSEClick();
  EXPECT_EQ(sim.console.Running, 0);
  EXPECT_FALSE(sim.console.Timer_RUN.enabled);
  EXPECT_EQ(sim.view[SpeedButtonQD].picture, Pic::SpeedButtonQDOFF);
  EXPECT_EQ(sim.machine.Beat.StepCount, 7);
  sim.SpeedButtonQDClick();  // resumes mid-cycle
  sim.Button_OneLittleStepClick();
  EXPECT_EQ(sim.console.Running, 0);
  EXPECT_EQ(sim.machine.Beat.StepCount, 8);
}

TEST(Console, ControllerModeRadioButtons) {
  Board b;
  Simulator& sim = b.sim;
  sim.RadioButtonMicroProgramClick();
  EXPECT_TRUE(sim.console.Microprogram());
  EXPECT_EQ(sim.view[RadioButtonMicroProgram].color, color::Lime);
  EXPECT_EQ(sim.view[RadioButtonHandLine].color, color::ScrollBar);
  EXPECT_TRUE(sim.view[Panel_NowMicro].visible);
  EXPECT_FALSE(sim.view[Panel_NowHand].visible);
  EXPECT_EQ(sim.view[Image10].picture, Pic::Image10_Micro_ori);
  sim.RadioButtonHdLineClick();  // disabled: nothing happens
  EXPECT_TRUE(sim.console.Microprogram());
  sim.Button_CloseNowMicroClick();
  EXPECT_FALSE(sim.view[Panel_NowMicro].visible);
  sim.RadioButtonHandLineClick();
  EXPECT_TRUE(sim.console.Independent());
  EXPECT_EQ(sim.view[Image2].picture, Pic::Image3_Hand);
  // Whether the mode can be chosen is the controller's: a view that shows
  // the button enabled does not make the hard-wired controller usable.
  EXPECT_FALSE(sim.view[RadioButtonHdLine].enabled);
  EXPECT_TRUE(sim.view[RadioButtonHandLine].enabled);
  sim.view.SetEnabled(RadioButtonHdLine, true);
  sim.RadioButtonHdLineClick();
  EXPECT_TRUE(sim.console.Independent());
  EXPECT_EQ(sim.view[Image2].picture, Pic::Image3_Hand);
}

TEST(Evaluation, PowerOffShowsNothingWhateverTheWiring) {
  Board b;
  Simulator& sim = b.sim;
  Join(sim, jack::VCC1, jack::SBUS);
  sim.ToggleDataSwitch(0);
  sim.BoardEvaluation();
  EXPECT_EQ(sim.machine.Bus.Value, 0);
  EXPECT_EQ(sim.machine.Alu.Shown.Formula, std::string());
  EXPECT_EQ(sim.machine.Micro.NextMicroAddress, 0);
  EXPECT_EQ(sim.view[Image_SBUS].picture, Pic::LampGsL);
}

TEST(Evaluation, WiresCarryValueAndSourceName) {
  Board b;
  Simulator& sim = b.sim;
  Join(sim, 3, jack::LDC);
  Join(sim, 3, jack::LDZ);
  PowerOn(sim);
  sim.ToggleLevelSwitch(3);
  EXPECT_EQ(sim.wires.Value(jack::LDC), 1);
  EXPECT_EQ(sim.wires.SourceName(jack::LDZ), "K3");
  EXPECT_EQ(sim.wires.Value(jack::LIR), NoValue);
  EXPECT_EQ(sim.wires.SourceName(jack::LIR), "");
  // Two outputs on one input: the later in jack order wins.
  Join(sim, jack::VCC1, jack::LIR);
  Join(sim, jack::GND1, jack::LIR);
  sim.BoardEvaluation();
  EXPECT_EQ(sim.wires.Value(jack::LIR), 0);
  EXPECT_EQ(sim.wires.SourceName(jack::LIR), "GND");
  EXPECT_EQ(sim.view[Image_LDC].picture, Pic::LampGsH);
}

}  // namespace
}  // namespace orrin
