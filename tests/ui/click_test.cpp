// Clicks reach the simulator and come back as pictures: levers, double
// clicks, and a machine cycle run by the real run timer.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTimer>

#include "tests/test_host.h"
#include "tests/ui/fire_timer.h"
#include "ui/main_form.h"
#include "ui/picture_box.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

class Clicks : public testing::Test {
 protected:
  RecordingHost host;
  TMainForm form{&host};

  PictureBox* Picture(WidgetId id) { return static_cast<PictureBox*>(form.Widget(id)); }
  QString Text(WidgetId id) { return static_cast<QLabel*>(form.Widget(id))->text(); }
  void Click(WidgetId id) { QTest::mouseClick(form.Widget(id), Qt::LeftButton); }
  // What a double click delivers to a widget: press, release, double click,
  // release.
  void DoubleClick(WidgetId id) {
    QWidget* w = form.Widget(id);
    QTest::mousePress(w, Qt::LeftButton);
    QTest::mouseRelease(w, Qt::LeftButton);
    QTest::mouseDClick(w, Qt::LeftButton);
    QTest::mouseRelease(w, Qt::LeftButton);
  }
};

TEST_F(Clicks, LeverK5MovesWithThePowerOffButItsJackStaysLow) {
  ASSERT_EQ(Picture(Image_K5)->Role(), Pic::RSWL);
  Click(Image_K5);
  EXPECT_EQ(Picture(Image_K5)->Role(), Pic::RSWH);
  EXPECT_EQ(form.Sim().wires.Value(5), 0);
  Click(Image_K5);
  EXPECT_EQ(Picture(Image_K5)->Role(), Pic::RSWL);
}

TEST_F(Clicks, ADoubleClickOnASwitchActsTwice) {
  DoubleClick(Image_SWC);
  EXPECT_EQ(form.Sim().console.SWC, 0);  // flipped and flipped back
  DoubleClick(Image_SD3);
  EXPECT_EQ(Text(Label_PKEY_SD), "00");
  Click(Image_SD3);
  EXPECT_EQ(Text(Label_PKEY_SD), "08");
  EXPECT_EQ(Picture(Image_SD3)->Role(), Pic::GSWH);
}

TEST_F(Clicks, ADoubleClickOnTheDpSwitchShowsBothSettingsInTurn) {
  Click(Image_DP);
  EXPECT_EQ(Text(Label_KeyDPNote), QString::fromUtf8("单拍"));
  DoubleClick(Image_DP);
  EXPECT_EQ(Text(Label_KeyDPNote), QString::fromUtf8("单拍"));
  EXPECT_EQ(Picture(Image_DP)->Role(), Pic::BSWH);
}

TEST_F(Clicks, QdInSingleBeatModeRunsOneCycleThroughTheRunTimer) {
  Click(SpeedButtonPOWER);
  ASSERT_EQ(Picture(SpeedButtonPOWER)->Role(), Pic::SpeedButton_PowerON);
  Click(Image_DP);
  Click(SpeedButtonQD);
  auto* timer = form.findChild<QTimer*>("Timer_RUN");
  ASSERT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 50);
  EXPECT_EQ(timer->timerType(), Qt::PreciseTimer);
  EXPECT_EQ(Picture(SpeedButtonQD)->Role(), Pic::SpeedButtonQDON);
  // The first QD after power-on runs the seven small beats of one cycle; each
  // timeout of the timer (fired here, not waited for) is one small beat.
  for (int tick = 0; tick < 20 && timer->isActive(); ++tick) Fire(timer);
  EXPECT_EQ(form.Sim().machine.Beat.StepCount, 7);
  EXPECT_EQ(form.Sim().console.Running, 0);
  EXPECT_FALSE(timer->isActive());
  form.ApplyView();  // the frame that follows the ticks
  EXPECT_EQ(Text(Label_PK_StepNum), "7/7");
  EXPECT_EQ(Picture(SpeedButtonQD)->Role(), Pic::SpeedButtonQDOFF);
  EXPECT_EQ(Picture(Image_TSx)->Role(), Pic::TS1);
}

TEST_F(Clicks, ContinuousRunTicksEveryFiveMillisecondsUntilPause) {
  Click(SpeedButtonPOWER);
  Click(SpeedButtonQD);
  auto* timer = form.findChild<QTimer*>("Timer_RUN");
  ASSERT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 5);
  for (int tick = 0; tick < 10; ++tick) Fire(timer);
  EXPECT_EQ(form.Sim().machine.Beat.StepCount, 70);  // seven small beats a tick
  EXPECT_TRUE(timer->isActive());
  form.ApplyView();
  EXPECT_EQ(Text(Label_PK_StepNum), "70/70");
  Click(Button_PAUSE);
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(form.Sim().console.Running, 0);
}

TEST_F(Clicks, PlaybackArrowHeldRepeatsAndReleaseStopsBothTimers) {
  Click(SpeedButtonPOWER);
  for (int i = 0; i < 5; ++i) Click(Button_OneLittleStep);
  auto* trigger = form.findChild<QTimer*>("Timer_Trigger");
  QTest::mousePress(form.Widget(SpeedButton_BackLeft), Qt::LeftButton);
  EXPECT_TRUE(trigger->isActive());
  QTest::mouseRelease(form.Widget(SpeedButton_BackLeft), Qt::LeftButton);
  EXPECT_FALSE(trigger->isActive());
  EXPECT_FALSE(form.findChild<QTimer*>("Timer_RecotdBackPlay")->isActive());
  EXPECT_EQ(form.Sim().machine.Beat.ViewPos, 4);  // the click moved one position
  EXPECT_EQ(Text(Label_PK_StepNum), "4/5");
}

TEST_F(Clicks, TheMicroprogramNoticeCoversTheLeversUntilClosed) {
  QTest::mouseClick(form.Widget(RadioButtonMicroProgram), Qt::LeftButton);
  QWidget* notice = form.Widget(Panel_NowMicro);
  QWidget* key = form.Widget(Panel_KEY);
  ASSERT_FALSE(notice->isHidden());
  EXPECT_TRUE(form.Widget(Panel_NowHand)->isHidden());
  const QPoint overK5 = form.Widget(Image_K5)->geometry().center();
  QWidget* top = key->childAt(overK5);
  EXPECT_TRUE(top == notice || notice->isAncestorOf(top));
  Click(Button_CloseNowMicro);
  EXPECT_TRUE(notice->isHidden());
  EXPECT_EQ(key->childAt(overK5), form.Widget(Image_K5));
}

TEST_F(Clicks, QuitClosesTheWindow) {
  form.show();
  static_cast<QAction*>(form.Object(N_Quit))->trigger();
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace orrin::ui
