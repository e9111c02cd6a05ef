// The timers the simulator asks for run as real QTimers: the wiring alarm
// blinks, a held playback arrow repeats, and both stop when told.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "tests/test_host.h"
#include "tests/ui/fire_timer.h"
#include "ui/main_form.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

class Timers : public testing::Test {
 protected:
  RecordingHost host;
  TMainForm form{&host};

  void Wire(QPoint from, QPoint to) {
    QTest::mouseClick(form.Widget(Image_WireDraw), Qt::LeftButton, {}, from);
    QTest::mouseClick(form.Widget(Image_WireDraw), Qt::LeftButton, {}, to);
  }
  QColor Paper(WidgetId id) { return form.Widget(id)->palette().color(QPalette::Window); }
};

TEST_F(Timers, AnInputDrivenTwiceBlinksUntilTheSecondWireGoes) {
  const QPoint k0(742, 514), k5(534, 514), ldc(619, 413);
  Wire(k0, ldc);
  Wire(k5, ldc);
  auto* blink = form.findChild<QTimer*>("Timer_WrongLine");
  ASSERT_TRUE(blink->isActive());
  EXPECT_EQ(blink->interval(), 100);
  // Half a second in each look: five timeouts normal, then five in alarm.
  for (int tick = 0; tick < 4; ++tick) Fire(blink);
  EXPECT_EQ(Paper(Label_wrongwarn), QColor(0xA6, 0xCA, 0xF0));
  Fire(blink);
  EXPECT_EQ(Paper(Label_wrongwarn), QColor(255, 0, 0));
  EXPECT_EQ(static_cast<QLabel*>(form.Widget(Label_wrongNum))->text(), "1");
  Wire(k5, ldc);  // drawing the pair again removes that wire
  EXPECT_FALSE(blink->isActive());
  EXPECT_EQ(Paper(Label_wrongwarn), QColor(0xA6, 0xCA, 0xF0));
}

TEST_F(Timers, HoldingTheLeftArrowRepeatsOnceTheTriggerFires) {
  QTest::mouseClick(form.Widget(SpeedButtonPOWER), Qt::LeftButton);
  for (int i = 0; i < 10; ++i) QTest::mouseClick(form.Widget(Button_OneLittleStep), Qt::LeftButton);
  QWidget* left = form.Widget(SpeedButton_BackLeft);
  QTest::mousePress(left, Qt::LeftButton);
  auto* trigger = form.findChild<QTimer*>("Timer_Trigger");
  auto* repeat = form.findChild<QTimer*>("Timer_RecotdBackPlay");
  ASSERT_TRUE(trigger->isActive());
  EXPECT_EQ(trigger->interval(), 1000);
  EXPECT_FALSE(repeat->isActive());
  Fire(trigger);  // held for a second: the repeat starts
  EXPECT_FALSE(trigger->isActive());
  ASSERT_TRUE(repeat->isActive());
  EXPECT_EQ(repeat->interval(), 100);
  for (int tick = 0; tick < 3; ++tick) Fire(repeat);
  EXPECT_EQ(form.Sim().machine.Beat.ViewPos, 7);
  QTest::mouseRelease(left, Qt::LeftButton);
  EXPECT_FALSE(repeat->isActive());
  EXPECT_FALSE(form.findChild<QTimer*>("Timer_Trigger")->isActive());
}

TEST_F(Timers, TheControlStoreTableFollowsTheMicroAddress) {
  QTest::mouseClick(form.Widget(SpeedButtonPOWER), Qt::LeftButton);
  auto* uar = static_cast<QLineEdit*>(form.Widget(Edit_uAR));
  uar->setFocus();
  uar->selectAll();
  QTest::keyClicks(uar, "2B");
  QTest::keyClick(uar, Qt::Key_Return);
  auto* grid = static_cast<QTableWidget*>(form.Widget(StringGrid_MicroMem));
  EXPECT_EQ(grid->currentRow(), 6);
  EXPECT_EQ(grid->currentColumn(), 4);
}

}  // namespace
}  // namespace orrin::ui
