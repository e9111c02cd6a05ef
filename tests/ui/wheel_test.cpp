// The mouse wheel scrolls the work area by fixed steps wherever it turns in
// the window: 100 pixels up or down, 50 sideways with Ctrl; over the grids
// always up or down. The console strip stays at the bottom edge.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "tests/test_host.h"
#include "ui/main_form.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

class Wheel : public testing::Test {
 protected:
  RecordingHost host;
  TMainForm form{&host};

  void SetUp() override { form.show(); }

  void Turn(QWidget* over, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const QPointF at(over->width() / 2.0, over->height() / 2.0);
    QWheelEvent e(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods, Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &e);
  }
  int V() { return form.ScrollBox()->verticalScrollBar()->value(); }
  int H() { return form.ScrollBox()->horizontalScrollBar()->value(); }
};

TEST_F(Wheel, TowardsTheUserScrollsDownBy100WhateverTheDelta) {
  Turn(form.Widget(Panel0), -120);
  EXPECT_EQ(V(), 100);
  Turn(form.Widget(Label_181formula), -15);  // a small step of a fine wheel
  EXPECT_EQ(V(), 200);
  Turn(form.Widget(Panel_KEY), 360);  // over the console too
  EXPECT_EQ(V(), 100);
  Turn(form.Widget(Image_WireDraw), 120);
  Turn(form.Widget(Image_WireDraw), 120);
  EXPECT_EQ(V(), 0);
}

TEST_F(Wheel, CtrlScrollsSidewaysBy50) {
  form.resize(600, 400);
  ASSERT_GT(form.ScrollBox()->horizontalScrollBar()->maximum(), 100);
  Turn(form.Widget(Panel0), -120, Qt::ControlModifier);
  EXPECT_EQ(H(), 50);
  EXPECT_EQ(V(), 0);
  Turn(form.Widget(Panel0), 120, Qt::ControlModifier);
  EXPECT_EQ(H(), 0);
}

TEST_F(Wheel, OverTheGridsScrollsUpOrDownEvenWithCtrl) {
  QWidget* grid = static_cast<QAbstractScrollArea*>(form.Widget(StringGrid_MicroMem))->viewport();
  Turn(grid, -120, Qt::ControlModifier);
  EXPECT_EQ(V(), 100);
  EXPECT_EQ(H(), 0);
  Turn(static_cast<QAbstractScrollArea*>(form.Widget(StringGrid_MEM))->viewport(), -120);
  EXPECT_EQ(V(), 200);
}

TEST_F(Wheel, TheConsoleStaysAtTheBottomWhenTheWindowGrows) {
  form.resize(1200, 700);
  const int client = form.centralWidget()->height();
  EXPECT_EQ(form.Widget(Panel_KEY)->geometry().bottom(), client - 1);
  EXPECT_EQ(form.Widget(ScrollBox1)->geometry().bottom(), client - 116 - 1);
  EXPECT_EQ(form.Widget(ScrollBox1)->width(), 1200 - 4);
}

}  // namespace
}  // namespace orrin::ui
