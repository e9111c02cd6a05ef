// The window on the screens students have: a 1366 x 768 laptop at the scale
// QT_SCALE_FACTOR gives (ctest runs this at 1, 1.25, 1.5 and 2), and any
// window down to 800 x 500. Every control of the console can be brought into
// view and clicked, and the window never starts larger than the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "tests/test_host.h"
#include "ui/lab_panel.h"
#include "ui/main_form.h"
#include "ui/timing_diagram.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

// The console's controls: every widget on it that takes the mouse.
std::vector<QWidget*> ConsoleControls(const TMainForm& form) {
  std::vector<QWidget*> controls;
  for (int i = 0; i < WidgetCount; ++i) {
    const auto id = static_cast<WidgetId>(i);
    QWidget* w = form.Widget(id);
    if (w == nullptr || Info(id).container != Panel_KEY || w->isHidden()) continue;
    if (Info(id).kind == WidgetKind::Label) continue;  // a note, not a control
    controls.push_back(w);
  }
  return controls;
}

// Whether `w` lies whole inside the window's client area and under no other
// part of it (the work area above the console).
bool Reachable(const TMainForm& form, QWidget* w) {
  QWidget* central = form.centralWidget();
  const QRect r(w->mapTo(central, QPoint(0, 0)), w->size());
  const QRect box = form.ScrollBox()->geometry();
  return central->rect().contains(r) && r.top() >= box.bottom() + 1;
}

// Each control is reachable at some position of the horizontal scroll bar.
void ExpectEveryControlReachable(TMainForm& form, const char* where) {
  QScrollBar* bar = form.ScrollBox()->horizontalScrollBar();
  const std::vector<QWidget*> controls = ConsoleControls(form);
  ASSERT_GT(controls.size(), 40u);
  std::vector<bool> seen(controls.size(), false);
  for (int v = bar->minimum();; v = std::min(bar->maximum(), v + 20)) {
    bar->setValue(v);
    for (size_t i = 0; i < controls.size(); ++i) seen[i] = seen[i] || Reachable(form, controls[i]);
    if (v == bar->maximum()) break;
  }
  for (size_t i = 0; i < controls.size(); ++i)
    EXPECT_TRUE(seen[i]) << where << ": " << controls[i]->objectName().toStdString() << " never in view";
  bar->setValue(0);
}

TEST(Screen, TheFirstWindowFitsTheScreenAndReachesEveryControl) {
  RecordingHost host;
  TMainForm form(&host);
  form.show();
  QApplication::processEvents();
  const QRect free = form.screen()->availableGeometry();
  EXPECT_TRUE(free.contains(form.frameGeometry()))
      << "window " << form.frameGeometry().width() << "x" << form.frameGeometry().height() << " on " << free.width()
      << "x" << free.height();
  ExpectEveryControlReachable(form, "first window");
  // Where the board fits (scale 1), its layout is kept as it stands.
  if (free.width() >= 1018 + 16) {
    EXPECT_EQ(form.centralWidget()->width(), 1018);
    EXPECT_EQ(form.Widget(Panel_KEY)->pos(), QPoint(2, 226));
  }
}

TEST(Screen, AnyWindowDownTo800By500ReachesEveryControl) {
  RecordingHost host;
  TMainForm form(&host);
  form.show();
  const QSize free = form.screen()->availableGeometry().size();
  for (const QSize size : {QSize(800, 500), QSize(900, 560), QSize(994, 400), free}) {
    form.resize(size.boundedTo(free));
    QApplication::processEvents();
    ExpectEveryControlReachable(form, "resized");
  }
  // Maximized too.
  form.showMaximized();
  QApplication::processEvents();
  ExpectEveryControlReachable(form, "maximized");
}

TEST(Screen, AControlGivenTheFocusIsScrolledIntoView) {
  RecordingHost host;
  TMainForm form(&host);
  form.show();
  form.resize(700, 450);
  QApplication::processEvents();
  QWidget* power = form.Widget(SpeedButtonPOWER);
  QWidget* dp = form.Widget(Image_DP);
  power->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(Reachable(form, power));
  dp->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(Reachable(form, dp));
}

TEST(Screen, AMaximizedWindowGivesTheLabPanelRoomInsteadOfGrowing) {
  RecordingHost host;
  TMainForm form(&host);
  form.showMaximized();
  QApplication::processEvents();
  const int width = form.frameGeometry().width();
  ASSERT_TRUE(form.OpenLab(ORRIN_SOURCE_DIR "/examples/labs/alu.lab"));
  QApplication::processEvents();
  EXPECT_EQ(form.frameGeometry().width(), width);
  EXPECT_TRUE(form.screen()->availableGeometry().contains(form.LabSide()->geometry().translated(form.pos())));
  ExpectEveryControlReachable(form, "with the lab");
}

TEST(Screen, TheTimingDiagramOpensClearOfTheConsole) {
  RecordingHost host;
  TMainForm form(&host);
  form.show();
  QApplication::processEvents();
  form.ShowTimingDiagram();
  QApplication::processEvents();
  QWidget* diagram = form.TimingDiagram();
  const QRect console(form.Widget(Panel_KEY)->mapToGlobal(QPoint(0, 0)), form.Widget(Panel_KEY)->size());
  const QRect counter(form.Widget(Label_PK_StepNum)->mapToGlobal(QPoint(0, 0)), form.Widget(Label_PK_StepNum)->size());
  EXPECT_FALSE(diagram->frameGeometry().intersects(counter)) << "over the playback counter";
  EXPECT_FALSE(diagram->frameGeometry().intersects(console)) << "over the console";
  EXPECT_TRUE(form.screen()->availableGeometry().contains(diagram->frameGeometry()));
}

}  // namespace
}  // namespace orrin::ui
