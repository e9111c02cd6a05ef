#include <gtest/gtest.h>

#include "simulator/access.h"
#include "tests/wiring/wiring_util.h"

namespace orrin {
namespace {

using enum WidgetId;

const std::vector<std::string> kNoLines;

struct Editor : ::testing::Test {
  RecordingHost host;
  Simulator sim{host};
  std::vector<uint32_t> clean;
  Editor() {
    sim.cleanBoard = PatternedBoard();
    sim.Startup();
    clean = sim.cleanBoard;
  }
  const Wire& W(int i) const { return sim.wires.WireAt(i); }
  const std::vector<std::string>& Lines(WidgetId id) const { return sim.view[id].lines; }
};

TEST_F(Editor, AWireStartedOnTheInputIsStoredFromTheOutputWithItsPointsInDrawingOrder) {
  Click(sim, 621, 414);  // off-centre on LDC: the click itself is the start point
  EXPECT_EQ(sim.editor.WireDrawing, 1);
  Click(sim, 600, 450);
  Click(sim, 700, 470);
  ClickJack(sim, jack::K0);

  EXPECT_EQ(sim.editor.WireDrawing, 0);
  EXPECT_EQ(W(0).InUse, 1);
  EXPECT_EQ(W(0).From, jack::K0);
  EXPECT_EQ(W(0).To, jack::LDC);
  EXPECT_EQ(W(0).Color, color::SkyBlue);
  const std::vector<WirePoint> points = {{621, 414}, {600, 450}, {700, 470}, {742, 514}};
  EXPECT_EQ(W(0).Points, points);
  EXPECT_EQ(JackOf(sim, jack::K0).WireCount, 1);
  EXPECT_EQ(JackOf(sim, jack::LDC).WireCount, 1);
  EXPECT_EQ(std::count(JackOf(sim, jack::K0).Targets.begin(), JackOf(sim, jack::K0).Targets.end(), jack::LDC), 1);
  EXPECT_EQ(Lines(Memo_LineMidWay), (std::vector<std::string>{"621,414", "600,450", "700,470", "742,514"}));
  EXPECT_TRUE(sim.view.pointLabels.empty());
  EXPECT_EQ(Lines(Memo_WireOut), std::vector<std::string>{"K0 --> LDC"});
  // The lines drawn while editing are the wire's picture: drawing the stored
  // wire once more takes every pixel back to the clean board.
  EXPECT_NE(Pixels(sim.canvas), clean);
  Access(sim).editor.DrawWire(0);
  EXPECT_EQ(Pixels(sim.canvas), clean);
}

TEST_F(Editor, AReleaseOnAJackOfTheSameKindIsIgnoredAndTheDrawingGoesOn) {
  ClickJack(sim, jack::K0);
  ClickJack(sim, K1);        // output to output
  ClickJack(sim, jack::K0);  // the starting jack itself
  EXPECT_EQ(sim.editor.WireDrawing, 1);
  EXPECT_EQ(sim.wires.CountInUse(), 0);
  ClickJack(sim, jack::LDC);
  EXPECT_EQ(sim.editor.WireDrawing, 0);
  EXPECT_EQ(W(0).From, jack::K0);

  ClickJack(sim, jack::LDZ);
  ClickJack(sim, jack::LDZ);  // input back on the input
  EXPECT_EQ(sim.editor.WireDrawing, 1);
}

TEST_F(Editor, DrawingAPairAgainInEitherDirectionRemovesTheWireAndItsLines) {
  for (bool reverse : {false, true}) {
    DrawWireBetween(sim, jack::K0, jack::LDC, {{700, 450}});
    ASSERT_EQ(sim.wires.CountInUse(), 1);
    if (reverse)
      DrawWireBetween(sim, jack::LDC, jack::K0, {{650, 480}, {690, 500}});
    else
      DrawWireBetween(sim, jack::K0, jack::LDC, {{720, 300}});
    EXPECT_EQ(sim.wires.CountInUse(), 0);
    EXPECT_EQ(W(0).InUse, 0);
    EXPECT_EQ(W(0).From, NoValue);
    EXPECT_TRUE(W(0).Points.empty());
    EXPECT_EQ(JackOf(sim, jack::K0).WireCount, 0);
    EXPECT_EQ(JackOf(sim, jack::LDC).WireCount, 0);
    for (int32_t t : JackOf(sim, jack::K0).Targets) EXPECT_EQ(t, 0);
    EXPECT_EQ(Lines(Memo_LineMidWay), kNoLines);
    EXPECT_EQ(Lines(Memo_WireOut), kNoLines);
    EXPECT_EQ(sim.editor.WireDrawing, 0);
    EXPECT_EQ(Pixels(sim.canvas), clean) << "reverse " << reverse;
  }
}

TEST_F(Editor, ANewWireTakesTheLowestFreeRecord) {
  DrawWireBetween(sim, jack::K0, jack::LDC);
  DrawWireBetween(sim, K1, jack::LDZ);
  DrawWireBetween(sim, K3, jack::DRW);
  DrawWireBetween(sim, jack::LDZ, K1);  // removes record 1
  EXPECT_EQ(W(1).InUse, 0);
  DrawWireBetween(sim, K5, jack::CIN);
  EXPECT_EQ(W(1).From, K5);
  EXPECT_EQ(W(1).To, jack::CIN);
  EXPECT_EQ(W(3).InUse, 0);
}

TEST_F(Editor, ARightReleaseAbandonsTheWireButAnyButtonStartsBendsAndCompletes) {
  ClickJack(sim, jack::K0);
  Click(sim, 700, 450);
  Click(sim, 660, 430);
  sim.Image_WireDrawMouseMove(640, 440);
  EXPECT_EQ(sim.view.pointLabels.size(), 3u);
  Click(sim, 650, 445, MouseButton::Right);
  EXPECT_EQ(sim.editor.WireDrawing, 0);
  EXPECT_EQ(sim.wires.CountInUse(), 0);
  EXPECT_EQ(Lines(Memo_LineMidWay), kNoLines);
  EXPECT_TRUE(sim.view.pointLabels.empty());
  EXPECT_EQ(sim.view[Image_WireDraw].cursor, Cursor::Arrow);
  EXPECT_EQ(Pixels(sim.canvas), clean);

  const Jack& k0 = JackOf(sim, jack::K0);
  Click(sim, k0.X, k0.Y, MouseButton::Right);  // idle: a right release starts
  Click(sim, 700, 450, MouseButton::Middle);
  const Jack& ldc = JackOf(sim, jack::LDC);
  Click(sim, ldc.X, ldc.Y, MouseButton::Middle);
  EXPECT_EQ(sim.wires.CountInUse(), 1);
  EXPECT_EQ(W(0).Points.size(), 3u);
}

TEST_F(Editor, WithThePowerOnNoWireIsStarted) {
  sim.SpeedButtonPOWERClick();
  ASSERT_EQ(sim.console.PowerOn, 1);
  ClickJack(sim, jack::K0);
  EXPECT_EQ(sim.editor.WireDrawing, 0);
  EXPECT_TRUE(host.warnings.empty());
}

TEST_F(Editor, WhileAWireIsDrawnThePowerStaysOff) {
  ClickJack(sim, jack::K0);
  sim.SpeedButtonPOWERClick();
  EXPECT_EQ(sim.console.PowerOn, 0);
  EXPECT_EQ(host.warnings, std::vector<std::string>{"连线进行中，不能通电。"});
}

TEST_F(Editor, BendPointsOffThePictureAreClampedToItsEdges) {
  ClickJack(sim, jack::K0);
  Click(sim, -50, 900);
  Click(sim, 2000, -7);
  ClickJack(sim, jack::LDC);
  const std::vector<WirePoint> points = {{742, 514}, {0, 577}, {855, 0}, {619, 413}};
  EXPECT_EQ(W(0).Points, points);
  EXPECT_EQ(Lines(Memo_LineMidWay)[1], "0,577");
  Access(sim).editor.DrawWire(0);
  EXPECT_EQ(Pixels(sim.canvas), clean);
}

TEST_F(Editor, AReleaseWithoutAMoveThereStillDrawsTheLinesTheWireStores) {
  const Jack& k0 = JackOf(sim, jack::K0);
  const Jack& ldc = JackOf(sim, jack::LDC);
  sim.Image_WireDrawMouseUp(MouseButton::Left, k0.X, k0.Y);
  sim.Image_WireDrawMouseMove(600, 300);  // the last move is elsewhere
  sim.Image_WireDrawMouseUp(MouseButton::Left, 700, 460);
  sim.Image_WireDrawMouseUp(MouseButton::Left, ldc.X, ldc.Y);
  Access(sim).editor.DrawWire(0);
  EXPECT_EQ(Pixels(sim.canvas), clean);
}

TEST_F(Editor, CompletingAWireWithEveryRecordInUseIsRefusedAndLeavesNoLines) {
  // 1400 of the 1428 possible pairs.
  int n = 0;
  for (int o = 0; o <= 41 && n < WireCapacity; ++o)
    for (int i = 50; i <= 83 && n < WireCapacity; ++i, ++n) {
      Access(sim).wires.Add(o, i, 0);
    }
  const auto before = Pixels(sim.canvas);
  DrawWireBetween(sim, jack::GND2, jack::LIR, {{800, 480}});  // pair 1427: not stored
  EXPECT_EQ(host.warnings, std::vector<std::string>{"连线数已达上限。"});
  EXPECT_EQ(sim.wires.CountInUse(), WireCapacity);
  EXPECT_EQ(sim.editor.WireDrawing, 0);
  EXPECT_EQ(JackOf(sim, jack::GND2).WireCount, 6);
  EXPECT_EQ(JackOf(sim, jack::LIR).WireCount, 41);
  EXPECT_EQ(sim.wires.Find(jack::GND2, jack::LIR), -1);
  EXPECT_EQ(Pixels(sim.canvas), before);
  EXPECT_TRUE(sim.view.pointLabels.empty());
  // Removing a wire still works on a full store.
  DrawWireBetween(sim, jack::K0, jack::LDC);
  EXPECT_EQ(sim.wires.CountInUse(), WireCapacity - 1);
}

TEST_F(Editor, BendPointsBeyondTheListAreIgnoredButTheWireCanBeCompleted) {
  ClickJack(sim, jack::K0);
  for (int i = 0; i < MidwayCapacity; ++i) Click(sim, 100 + (i & 1), 100);
  // The start and 8190 bends fill the list; its last entry is never used.
  EXPECT_EQ(sim.view.pointLabels.size(), static_cast<size_t>(MidwayCapacity) - 1);
  EXPECT_EQ(Lines(Memo_LineMidWay).size(), static_cast<size_t>(MidwayCapacity) - 1);
  ClickJack(sim, jack::LDC);
  EXPECT_EQ(W(0).Points.size(), static_cast<size_t>(MidwayCapacity));
  Access(sim).editor.DrawWire(0);
  EXPECT_EQ(Pixels(sim.canvas), clean);
}

TEST_F(Editor, CoordinateLabelsMarkThePointsAndHideUnderTheMouse) {
  ClickJack(sim, jack::K0);
  Click(sim, 700, 450);
  ASSERT_EQ(sim.view.pointLabels.size(), 2u);
  const PointLabel& first = sim.view.pointLabels[0];
  EXPECT_EQ(first.x, 752);
  EXPECT_EQ(first.y, 504);
  EXPECT_EQ(first.text, "742,514");
  EXPECT_EQ(first.fontColor, color::SkyBlue);
  EXPECT_TRUE(sim.view.pointLabelsDirty);

  const PointLabel& bend = sim.view.pointLabels[1];
  sim.Image_WireDrawMouseMove(bend.x - 1, bend.y + 3);  // at the label's edge
  sim.PointLabelMouseMove();
  EXPECT_FALSE(sim.view.pointLabels[1].visible);
  EXPECT_TRUE(sim.view.pointLabels[0].visible);
  sim.Image_WireDrawMouseMove(bend.x - 2, bend.y + 3);  // not on any label
  sim.PointLabelMouseMove();
  EXPECT_TRUE(sim.view.pointLabels[0].visible);
}

TEST_F(Editor, ClearingAllWiresIsRefusedWithPowerAndAskedFirstWithout) {
  DrawWireBetween(sim, jack::K0, jack::LDC, {{700, 450}});
  DrawWireBetween(sim, K5, jack::LDC);
  ASSERT_TRUE(sim.editor.Timer_WrongLine.enabled);

  host.answers = {Answer::No, Answer::Cancel};
  sim.Button_delLineClick();
  sim.Button_delLineClick();
  EXPECT_EQ(host.questions, (std::vector<std::string>(2, "清除连线不可恢复，要继续吗？")));
  EXPECT_EQ(sim.wires.CountInUse(), 2);

  ClickJack(sim, K3);  // a wire in progress ends with the clearing
  host.answers = {Answer::Yes};
  sim.Button_delLineClick();
  EXPECT_EQ(sim.wires.CountInUse(), 0);
  EXPECT_EQ(sim.editor.WireDrawing, 0);
  EXPECT_TRUE(sim.view.pointLabels.empty());
  EXPECT_EQ(Pixels(sim.canvas), clean);
  EXPECT_EQ(JackOf(sim, jack::LDC).WireCount, 0);
  EXPECT_EQ(Lines(Memo_WireOut), kNoLines);
  EXPECT_EQ(sim.view[Label_LineCount].text, "0");
  EXPECT_FALSE(sim.editor.Timer_WrongLine.enabled);
  EXPECT_EQ(sim.editor.WrongInputCount, 0);

  DrawWireBetween(sim, jack::K0, jack::LDC);
  sim.SpeedButtonPOWERClick();
  sim.Button_delLineClick();
  EXPECT_EQ(host.warnings.back(), "通电状态不能删除连线。");
  EXPECT_EQ(sim.wires.CountInUse(), 1);
}

TEST_F(Editor, TheWireColourIsChosenWhenNoWireIsBeingDrawn) {
  EXPECT_EQ(sim.view[Image_colorset].color, color::SkyBlue);
  DrawWireBetween(sim, jack::K0, jack::LDC);
  host.color = 0x000000FF;
  sim.Button_SetColorClick();
  EXPECT_EQ(sim.editor.WireColor, 0x000000FFu);
  EXPECT_EQ(sim.view[Image_colorset].color, 0x000000FFu);
  DrawWireBetween(sim, K1, jack::LDZ);
  EXPECT_EQ(W(0).Color, color::SkyBlue);
  EXPECT_EQ(W(1).Color, 0x000000FFu);

  host.color.reset();  // cancelled
  sim.Button_SetColorClick();
  EXPECT_EQ(host.shownColor, 0x000000FFu);  // the dialog opened on the colour in use
  EXPECT_EQ(sim.editor.WireColor, 0x000000FFu);

  ClickJack(sim, K3);
  host.color = 0x0000FF00;
  sim.Button_SetColorClick();
  EXPECT_EQ(sim.editor.WireColor, 0x000000FFu);
  // Both wires come off the picture in their own colours.
  Click(sim, 10, 10, MouseButton::Right);
  Access(sim).editor.DrawWire(0);
  Access(sim).editor.DrawWire(1);
  EXPECT_EQ(Pixels(sim.canvas), clean);
}

}  // namespace
}  // namespace orrin
