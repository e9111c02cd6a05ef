// The timing diagram: opened from "查看", rows chosen, a click moves the
// playback, and its exports.
#include "ui/timing_diagram.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "machine/trace_export.h"
#include "tests/test_host.h"
#include "ui/disassembly_window.h"
#include "ui/main_form.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

class Timing : public testing::Test {
 protected:
  RecordingHost host;
  TMainForm form{&host};
  TimingDiagramWindow* Open() {
    QTest::mouseClick(form.Widget(SpeedButtonPOWER), Qt::LeftButton);
    for (int i = 0; i < 30; ++i) QTest::mouseClick(form.Widget(Button_OneLittleStep), Qt::LeftButton);
    static_cast<QAction*>(form.Object(N_TimingDiagram))->trigger();
    TimingDiagramWindow* w = form.TimingDiagram();
    w->resize(1000, 900);
    return w;
  }
  std::string Path(const char* ext) {
    return testing::TempDir() + "orrin-" + testing::UnitTest::GetInstance()->current_test_info()->name() + ext;
  }
};

TEST_F(Timing, ClickingABeatShowsThatPositionInTheMainWindow) {
  TimingDiagramWindow* w = Open();
  ASSERT_TRUE(w->isVisible());
  EXPECT_EQ(static_cast<QAction*>(form.Object(N_TimingDiagram))->shortcut(), QKeySequence("Ctrl+T"));
  TimingDiagram* d = w->Diagram();
  EXPECT_EQ(d->rows.size(), TraceSignals().size());
  d->beatWidth = 10;
  d->firstBeat = 1;
  const int x = TimingDiagram::kLabelWidth + 12 * 10 + 5;  // beat 13
  ASSERT_EQ(d->BeatAt(x), 13);
  QTest::mouseClick(d, Qt::LeftButton, {}, QPoint(x, 10));
  EXPECT_EQ(form.Sim().machine.Beat.ViewPos, 13);
  EXPECT_EQ(form.Sim().view[Label_PK_StepNum].text, "13/30");
  // Fit all puts every recorded beat in the width.
  d->FitAll();
  EXPECT_EQ(d->firstBeat, 1);
  EXPECT_EQ(d->BeatAt(d->width() - 1), 30);
}

TEST_F(Timing, UncheckedRowsGoAndTheExportsAreWritten) {
  TimingDiagramWindow* w = Open();
  auto* list = w->findChild<QListWidget*>("TimingRows");
  list->item(0)->setCheckState(Qt::Unchecked);  // phase
  EXPECT_EQ(w->Diagram()->rows.size(), TraceSignals().size() - 1);
  EXPECT_EQ(w->Diagram()->rows.front(), 1u);  // uAR first now
  for (const char* ext : {".png", ".svg", ".vcd", ".csv", ".json"}) {
    const std::string path = Path(ext);
    ASSERT_TRUE(w->ExportTo(QString::fromStdString(path))) << ext;
    EXPECT_GT(QFile(QString::fromStdString(path)).size(), 100) << ext;
  }
  EXPECT_FALSE(w->ExportTo("/nonexistent/x.png"));
  ASSERT_EQ(host.warnings.size(), 1u);
  EXPECT_EQ(host.warnings[0], "无法写入文件：/nonexistent/x.png");
  // A name without a known extension is never silently dropped: the save
  // dialog's filter adds one, anything else is warned about.
  EXPECT_EQ(TimingDiagramWindow::WithFilterExtension("/tmp/t", "SVG (*.svg)"), "/tmp/t.svg");
  EXPECT_EQ(TimingDiagramWindow::WithFilterExtension("/tmp/t.txt", "SVG (*.svg)"), "/tmp/t.txt");
  const std::string odd = Path(".txt");
  EXPECT_FALSE(w->ExportTo(QString::fromStdString(odd)));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(odd)));
  ASSERT_EQ(host.warnings.size(), 2u);
  EXPECT_EQ(host.warnings[1], "无法导出到 " + odd + "：文件名须以 .vcd、.csv、.json、.svg 或 .png 结尾。");
}

// The window fits a 1366 x 768 screen: the rows scroll under a fixed ruler,
// by the wheel and by the bar; after "fit all" a zoom lets the beat scroll
// bar move the view.
TEST_F(Timing, RowsAndBeatsScrollOnASmallScreen) {
  QTest::mouseClick(form.Widget(SpeedButtonPOWER), Qt::LeftButton);
  for (int i = 0; i < 300; ++i) form.Sim().Button_OneLittleStepClick();
  form.ShowTimingDiagram();
  TimingDiagramWindow* w = form.TimingDiagram();
  EXPECT_LE(w->width(), 1366);
  EXPECT_LE(w->height(), 700);
  TimingDiagram* d = w->Diagram();
  auto* rows = w->findChild<QScrollBar*>("TimingRowScroll");
  auto* beats = w->findChild<QScrollBar*>("TimingBeatScroll");
  ASSERT_LT(d->VisibleRows(), static_cast<int>(d->rows.size()));
  EXPECT_EQ(rows->maximum(), static_cast<int>(d->rows.size()) - d->VisibleRows());
  QWheelEvent down(QPointF(200, 100), d->mapToGlobal(QPointF(200, 100)), {}, QPoint(0, -120), Qt::NoButton, {},
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(d, &down);
  EXPECT_EQ(d->topRow, 3);
  EXPECT_EQ(rows->value(), 3);
  rows->setValue(rows->maximum());
  EXPECT_EQ(d->topRow, rows->maximum());
  EXPECT_EQ(d->View(d->width(), d->height()).rows.back(), d->rows.back());  // the last row in sight

  w->findChild<QPushButton*>("TimingFitAll")->click();
  EXPECT_EQ(d->ShownRange().first, 1);
  EXPECT_EQ(d->ShownRange().last, 300);
  QWheelEvent zoom(QPointF(d->width() / 2, 100), d->mapToGlobal(QPointF(d->width() / 2, 100)), {}, QPoint(0, 120),
                   Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
  for (int i = 0; i < 4; ++i) QApplication::sendEvent(d, &zoom);
  ASSERT_GT(d->ShownRange().first, 1);
  ASSERT_GT(beats->maximum(), beats->minimum());
  beats->setValue(beats->minimum());
  EXPECT_EQ(d->firstBeat, 1);
  beats->setValue(beats->maximum());
  EXPECT_EQ(d->ShownRange().last, 300);
}

// The board's keys work while the diagram has the focus: one action serves
// both windows.
TEST_F(Timing, TheBoardsKeysWorkInTheDiagram) {
  form.show();
  form.ShowTimingDiagram();
  TimingDiagramWindow* w = form.TimingDiagram();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  w->Diagram()->setFocus();
  Simulator& s = form.Sim();
  QTest::keyClick(w->Diagram(), Qt::Key_F12);  // power
  ASSERT_EQ(s.console.PowerOn, 1);
  QTest::keyClick(w->Diagram(), Qt::Key_F7);
  QTest::keyClick(w->Diagram(), Qt::Key_F7);
  EXPECT_EQ(s.machine.Beat.StepCount, 2);
  QTest::keyClick(w->Diagram(), Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(s.machine.Beat.ViewPos, 1);
  QTest::keyClick(w->Diagram(), Qt::Key_D, Qt::ControlModifier);
  ASSERT_NE(form.Disassembly(), nullptr);
  EXPECT_TRUE(form.Disassembly()->isVisible());
}

}  // namespace
}  // namespace orrin::ui
