// The board picture under the mouse: hints follow it, a wire drawn with
// clicks appears with its coordinate labels, and the lists show it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>

#include "tests/test_host.h"
#include "ui/main_form.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

class Board : public testing::Test {
 protected:
  RecordingHost host;
  TMainForm form{&host};
  QWidget* board = form.Widget(Image_WireDraw);

  void SetUp() override { form.show(); }
  static void Move(QWidget* w, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
  }
  QLabel* Label(WidgetId id) { return static_cast<QLabel*>(form.Widget(id)); }
  // Point labels are the labels of Panel0 that are not widgets of the table.
  std::vector<QLabel*> PointLabels() {
    std::vector<QLabel*> out;
    for (QLabel* l : form.Widget(Panel0)->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
      if (l->objectName().isEmpty()) out.push_back(l);
    return out;
  }
};

TEST_F(Board, TheJackHintFollowsTheMouse) {
  Move(board, QPoint(742, 514));  // jack K0
  QLabel* name = Label(Label_ThisHoleName);
  EXPECT_TRUE(name->isVisible());
  EXPECT_EQ(name->text(), "K0->");
  EXPECT_EQ(name->pos(), QPoint(742 - 40, 514 - 24));
  EXPECT_EQ(Label(Label_NowMouseXY)->text(), "(742, 514)");
}

TEST_F(Board, AWireDrawnWithClicksShowsItsPointsThenItsListEntry) {
  const uint64_t before = form.Sim().canvas.version;
  QTest::mouseClick(board, Qt::LeftButton, {}, QPoint(742, 514));  // K0
  std::vector<QLabel*> points = PointLabels();
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(points[0]->text(), "742,514");
  EXPECT_EQ(points[0]->pos(), QPoint(752, 504));
  QTest::mouseClick(board, Qt::LeftButton, {}, QPoint(700, 470));  // a bend
  EXPECT_EQ(PointLabels().size(), 2u);
  QTest::mouseClick(board, Qt::LeftButton, {}, QPoint(619, 413));  // LDC
  EXPECT_TRUE(PointLabels().empty());
  EXPECT_EQ(static_cast<QPlainTextEdit*>(form.Widget(Memo_WireOut))->toPlainText(), "K0 --> LDC");
  EXPECT_EQ(Label(Label_LineCount)->text(), "1");
  EXPECT_GT(form.Sim().canvas.version, before);
}

TEST_F(Board, APointLabelUnderTheMouseGetsOutOfTheWay) {
  QTest::mouseClick(board, Qt::LeftButton, {}, QPoint(742, 514));  // K0: label at (752, 504)
  ASSERT_EQ(PointLabels().size(), 1u);
  QLabel* label = PointLabels()[0];
  ASSERT_TRUE(label->isVisible());
  // The mouse crosses the board onto the label's right end, measured, not
  // estimated: the window reports the label's own size back.
  const QPoint onLabel(752 + label->width() - 2, 504 + label->height() / 2);
  Move(board, onLabel);
  Move(label, onLabel - label->pos());
  EXPECT_FALSE(label->isVisible());
}

}  // namespace
}  // namespace orrin::ui
