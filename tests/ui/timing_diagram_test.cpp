// The timing diagram: opened from "查看", rows chosen, a click moves the
// playback, and its exports.
#include "ui/timing_diagram.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QTest>

#include "machine/trace_export.h"
#include "tests/test_host.h"
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
}

}  // namespace
}  // namespace orrin::ui
