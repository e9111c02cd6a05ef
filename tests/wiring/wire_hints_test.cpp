#include <gtest/gtest.h>

#include "simulator/access.h"
#include "tests/wiring/wiring_util.h"

namespace orrin {
namespace {

using enum WidgetId;

TEST(WireHints, TheJackUnderTheMouseIsNamedWithItsWires) {
  Board b;
  Simulator& sim = b.sim;
  const Jack& k3 = JackOf(sim, K3);
  sim.Image_WireDrawMouseMove(k3.X - 4, k3.Y);  // inside the jack's circle
  EXPECT_EQ(sim.view[Label_ThisHoleName].text, "K3->");
  EXPECT_TRUE(sim.view[Label_ThisHoleName].visible);
  EXPECT_EQ(sim.view[Label_ThisHoleName].x, k3.X - 44);
  EXPECT_EQ(sim.view[Label_ThisHoleName].y, k3.Y - 24);
  EXPECT_EQ(sim.view[Image_WireDraw].cursor, Cursor::PointingHand);
  EXPECT_FALSE(sim.view[Label_ThisHoleSign].visible);

  const Jack& ldc = JackOf(sim, jack::LDC);
  sim.Image_WireDrawMouseMove(ldc.X, ldc.Y);
  EXPECT_EQ(sim.view[Label_ThisHoleName].text, "->LDC");

  DrawWireBetween(sim, jack::LDZ, K3);  // drawn first, listed second
  DrawWireBetween(sim, K3, jack::LDC);
  sim.Image_WireDrawMouseMove(k3.X, k3.Y);
  EXPECT_EQ(sim.view[Label_ThisHoleName].text, "K3->LDC,LDZ");
  sim.Image_WireDrawMouseMove(ldc.X, ldc.Y);
  EXPECT_EQ(sim.view[Label_ThisHoleName].text, "K3->LDC");
  // Two outputs on one input: only the first wire's output is named.
  DrawWireBetween(sim, K5, jack::LDC);
  DrawWireBetween(sim, K1, jack::LDC);
  sim.Image_WireDrawMouseMove(ldc.X, ldc.Y);
  EXPECT_EQ(sim.view[Label_ThisHoleName].text, "K3->LDC");

  sim.Image_WireDrawMouseMove(ldc.X + 4, ldc.Y + 1);  // just outside
  EXPECT_FALSE(sim.view[Label_ThisHoleName].visible);
  EXPECT_EQ(sim.view[Image_WireDraw].cursor, Cursor::Arrow);
}

TEST(WireHints, AFinishedWireIsNamedAtOnceAndLeavingTheBoardTakesTheLabelsAway) {
  Board b;
  Simulator& sim = b.sim;
  const Jack& ldz = JackOf(sim, jack::LDZ);
  sim.Image_WireDrawMouseMove(ldz.X, ldz.Y);
  EXPECT_EQ(sim.view[Label_ThisHoleName].text, "->LDZ");
  // The wire ends on LDZ with the mouse still on it: the hint says it is wired.
  DrawWireBetween(sim, K3, jack::LDZ);
  EXPECT_TRUE(sim.view[Label_ThisHoleName].visible);
  EXPECT_EQ(sim.view[Label_ThisHoleName].text, "K3->LDZ");
  // Clicking the pair again removes the wire: the hint says so too.
  DrawWireBetween(sim, K3, jack::LDZ);
  EXPECT_EQ(sim.view[Label_ThisHoleName].text, "->LDZ");
  // A release away from any jack leaves a hidden hint hidden.
  sim.Image_WireDrawMouseMove(300, 200);
  sim.Image_WireDrawMouseUp(MouseButton::Left, 300, 200);
  EXPECT_FALSE(sim.view[Label_ThisHoleName].visible);

  sim.Image_WireDrawMouseMove(ldz.X, ldz.Y);
  ASSERT_TRUE(sim.view[Label_NowXY].visible);
  sim.Image_WireDrawMouseLeave();
  EXPECT_FALSE(sim.view[Label_NowXY].visible);
  EXPECT_FALSE(sim.view[Label_ThisHoleName].visible);
  EXPECT_FALSE(sim.view[Label_ThisHoleSign].visible);
}

TEST(WireHints, CoordinatesFollowTheMouseAndTheLevelShowsWithThePowerOn) {
  Board b;
  Simulator& sim = b.sim;
  Access(sim).editor.WireColor = 0x00123456;
  sim.Image_WireDrawMouseMove(300, 200);
  EXPECT_EQ(sim.view[Label_NowMouseXY].text, "(300, 200)");
  EXPECT_EQ(sim.view[Label_NowXY].text, "300,200");
  EXPECT_EQ(sim.view[Label_NowXY].x, 310);
  EXPECT_EQ(sim.view[Label_NowXY].y, 190);
  EXPECT_EQ(sim.view[Label_NowXY].fontColor, 0x00123456u);
  EXPECT_TRUE(sim.view[Label_NowXY].visible);

  DrawWireBetween(sim, K3, jack::LDC);
  sim.ToggleLevelSwitch(3);
  sim.SpeedButtonPOWERClick();
  ASSERT_EQ(sim.console.PowerOn, 1);
  const Jack& ldc = JackOf(sim, jack::LDC);
  sim.Image_WireDrawMouseMove(ldc.X, ldc.Y);
  EXPECT_FALSE(sim.view[Label_NowXY].visible);
  EXPECT_EQ(sim.view[Label_NowMouseXY].text, "(619, 413)");
  EXPECT_EQ(sim.view[Label_ThisHoleSign].text, "1");
  EXPECT_TRUE(sim.view[Label_ThisHoleSign].visible);
  EXPECT_EQ(sim.view[Label_ThisHoleSign].x, 629);
  EXPECT_EQ(sim.view[Label_ThisHoleSign].y, 407);
  EXPECT_EQ(sim.view[Image_WireDraw].cursor, Cursor::Arrow);
  sim.ToggleLevelSwitch(3);
  sim.Image_WireDrawMouseMove(ldc.X, ldc.Y);
  EXPECT_EQ(sim.view[Label_ThisHoleSign].text, "0");
  const Jack& ldz = JackOf(sim, jack::LDZ);  // driven by nothing
  sim.Image_WireDrawMouseMove(ldz.X, ldz.Y);
  EXPECT_EQ(sim.view[Label_ThisHoleSign].text, "X");
  sim.Image_WireDrawMouseMove(10, 10);
  EXPECT_FALSE(sim.view[Label_ThisHoleSign].visible);
}

TEST(WireHints, TheCursorIsACrossOffTheJacksWhileAWireIsDrawn) {
  Board b;
  ClickJack(b.sim, jack::K0);
  b.sim.Image_WireDrawMouseMove(500, 100);
  EXPECT_EQ(b.sim.view[Image_WireDraw].cursor, Cursor::Cross);
  ClickJack(b.sim, jack::LDC);
  b.sim.Image_WireDrawMouseMove(500, 100);
  EXPECT_EQ(b.sim.view[Image_WireDraw].cursor, Cursor::Arrow);
}

TEST(WireHints, ALevelSwitchNamesTheInputsItIsWiredTo) {
  Board b;
  Simulator& sim = b.sim;
  sim.Image_KMouseMove(5, 10, 10);  // no wires: nothing shown
  EXPECT_FALSE(sim.view[Label_KeyThisHoleName].visible);

  DrawWireBetween(sim, K5, jack::LDZ);
  DrawWireBetween(sim, K5, jack::LDC);
  sim.Image_KMouseMove(5, 10, 12);
  EXPECT_EQ(sim.view[Label_KeyThisHoleName].text, "LDC,LDZ");
  EXPECT_TRUE(sim.view[Label_KeyThisHoleName].visible);
  EXPECT_EQ(sim.view[Label_KeyThisHoleName].x, LevelSwitchImageLeft(5) + 6);
  EXPECT_EQ(sim.view[Label_KeyThisHoleName].y, 8);

  sim.Panel_KEYMouseMove();
  EXPECT_FALSE(sim.view[Label_KeyThisHoleName].visible);

  sim.RadioButtonMicroProgramClick();
  sim.Image_KMouseMove(5, 10, 12);
  EXPECT_EQ(sim.view[Label_KeyThisHoleName].text, "微程序方式无效");

  DrawWireBetween(sim, jack::K16 + 4, jack::CIN);  // K20, lower row
  sim.RadioButtonHandLineClick();
  sim.Image_KMouseMove(20, 3, 5);
  EXPECT_EQ(sim.view[Label_KeyThisHoleName].text, "CIN");
  EXPECT_EQ(sim.view[Label_KeyThisHoleName].y, 49);
  EXPECT_EQ(LevelSwitchImageLeft(20), LevelSwitchImageLeft(4));
  EXPECT_EQ(LevelSwitchImageLeft(15), 328);
  EXPECT_EQ(LevelSwitchImageLeft(0), 684);
}

}  // namespace
}  // namespace orrin
