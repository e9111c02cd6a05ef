// The view reaches the widgets: only what changed is touched, and what the
// user types flows into the view without being written back over.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "tests/test_host.h"
#include "ui/main_form.h"
#include "ui/picture_box.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

class Apply : public testing::Test {
 protected:
  RecordingHost host;
  TMainForm form{&host};
};

TEST_F(Apply, OnlyChangedWidgetsAreTouched) {
  auto* note = static_cast<QLabel*>(form.Widget(Label_KeySWCBANote));
  note->setText("untouched");
  QTest::mouseClick(form.Widget(Image_K3), Qt::LeftButton);  // changes a lever, not the mode note
  EXPECT_EQ(note->text(), "untouched");
  QTest::mouseClick(form.Widget(Image_SWA), Qt::LeftButton);
  EXPECT_EQ(note->text(), QString::fromUtf8("写存储器"));
}

TEST_F(Apply, TypedFieldTextFlowsIntoTheViewAndARefreshReplacesIt) {
  QTest::mouseClick(form.Widget(SpeedButtonPOWER), Qt::LeftButton);
  auto* pc = static_cast<QLineEdit*>(form.Widget(Edit_PC));
  ASSERT_FALSE(pc->isReadOnly());
  pc->setFocus();
  QTest::keyClicks(pc, "5");
  EXPECT_EQ(form.Sim().view[Edit_PC].text, pc->text().toStdString());
  EXPECT_EQ(pc->cursorPosition(), pc->text().size());  // applying did not reset the caret
  // Any evaluation paints the fields from the machine again: PC is still 00.
  QTest::mouseClick(form.Widget(Image_SWB), Qt::LeftButton);
  EXPECT_EQ(pc->text(), "00");
  EXPECT_EQ(form.Sim().machine.Pc.PC, 0);
}

TEST_F(Apply, EnterInARegisterFieldCommitsAndIsSwallowed) {
  QTest::mouseClick(form.Widget(SpeedButtonPOWER), Qt::LeftButton);
  auto* r2 = static_cast<QLineEdit*>(form.Widget(Edit_R2));
  r2->setFocus();
  r2->selectAll();
  QTest::keyClicks(r2, "a");
  bool enterReachedField = false;
  QObject::connect(r2, &QLineEdit::returnPressed, [&] { enterReachedField = true; });
  QTest::keyClick(r2, Qt::Key_Return);
  EXPECT_FALSE(enterReachedField);
  EXPECT_EQ(form.Sim().machine.Regs.R[2], 0x0A);
  EXPECT_EQ(r2->text(), "0A");
}

TEST_F(Apply, TypedGridCellsFlowIntoTheView) {
  auto* grid = static_cast<QTableWidget*>(form.Widget(StringGrid_MicroMem));
  grid->item(1, 1)->setText("0123456789");
  EXPECT_EQ(form.Sim().view.Cell(StringGrid_MicroMem, 1, 1), "0123456789");
  form.ApplyView();
  EXPECT_EQ(grid->item(1, 1)->text(), "0123456789");
}

TEST_F(Apply, ThePlaybackPositionShowsAfterEachSmallBeat) {
  QTest::mouseClick(form.Widget(SpeedButtonPOWER), Qt::LeftButton);
  QTest::mouseClick(form.Widget(Button_OneLittleStep), Qt::LeftButton);
  EXPECT_EQ(static_cast<QLabel*>(form.Widget(Label_PK_StepNum))->text(), "1/1");
  EXPECT_EQ(static_cast<PictureBox*>(form.Widget(Image_T1_OUT))->Role(), Pic::Tx_posedge);
}

}  // namespace
}  // namespace orrin::ui
