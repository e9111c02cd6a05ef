// The desktop around the board: console keys (never while typing in a field
// or grid), tooltips that tell the present value, remembered settings and
// recent files, the timing diagram's remembered rows.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <set>

#include "base/widget_groups.h"
#include "machine/trace_export.h"
#include "simulator/access.h"
#include "tests/test_host.h"
#include "ui/main_form.h"
#include "ui/timing_diagram.h"
#include "ui/tooltips.h"
#include "ui/translate.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

TEST(Desktop, ConsoleKeysActExceptWhileTyping) {
  RecordingHost host;
  TMainForm form(&host);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  Simulator& s = form.Sim();
  QTest::keyClick(&form, Qt::Key_F12);  // power
  ASSERT_EQ(s.console.PowerOn, 1);
  QTest::keyClick(&form, Qt::Key_F7);  // one small beat
  EXPECT_EQ(s.machine.Beat.StepCount, 1);
  QTest::keyClick(&form, Qt::Key_Left, Qt::AltModifier);  // back
  EXPECT_EQ(s.machine.Beat.ViewPos, 0);
  QTest::keyClick(&form, Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(s.machine.Beat.ViewPos, 1);

  // In a register field and in a grid every key is the field's.
  for (WidgetId id : {Edit_R0, StringGrid_MEM}) {
    QWidget* w = form.Widget(id);
    w->setFocus();
    QTest::keyClick(w, Qt::Key_F7);
    QTest::keyClick(w, Qt::Key_F12);
    EXPECT_EQ(s.machine.Beat.StepCount, 1) << Info(id).name;
    EXPECT_EQ(s.console.PowerOn, 1) << Info(id).name;
  }
  form.Widget(Panel_KEY)->setFocus();
  QTest::keyClick(&form, Qt::Key_F7);
  EXPECT_EQ(s.machine.Beat.StepCount, 2);
  // The menus show their keys.
  EXPECT_EQ(static_cast<QAction*>(form.Object(N_ReadLineFile))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
  EXPECT_EQ(form.KeyOf(SpeedButtonQD), QKeySequence(Qt::Key_F5));
}

// The console without a mouse: Tab walks the switches in the order they stand
// and goes on through the board (no list keeps it), Space flips the focused
// switch and a screen reader hears its name and position.
TEST(Desktop, TheConsoleIsWorkedByKeyboard) {
  RecordingHost host;
  TMainForm form(&host);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  Simulator& s = form.Sim();
  auto tab = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); };
  form.Widget(Image_DP)->setFocus();
  for (int i = 0; i < 4 + 8 + 2 * 10; ++i) tab();  // DP, SWC..SWA, SD7..SD0, then K15/K31 .. K6/K22
  QWidget* k5 = form.Widget(kKLevers[5]);
  ASSERT_EQ(QApplication::focusWidget(), k5);
  EXPECT_EQ(k5->accessibleName(), QString::fromUtf8("K5, 下"));
  QTest::keyClick(k5, Qt::Key_Space);
  EXPECT_TRUE(s.machine.Levels.Position[5]);
  form.AfterAction();
  EXPECT_EQ(k5->accessibleName(), QString::fromUtf8("K5, 上"));
  tab();
  EXPECT_EQ(QApplication::focusWidget(), form.Widget(kKLevers[21]));
  // Enter presses a button too; a held key does not repeat a switch.
  QWidget* power = form.Widget(SpeedButtonPOWER);
  power->setFocus();
  QTest::keyClick(power, Qt::Key_Return);
  EXPECT_EQ(s.console.PowerOn, 1);
  QTest::keyClick(k5, Qt::Key_Space);
  QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
  QApplication::sendEvent(k5, &held);
  EXPECT_FALSE(s.machine.Levels.Position[5]);

  // From the wire lists Tab goes on, and a full walk comes back round having
  // met every register field.
  form.Widget(Memo_WireIn)->setFocus();
  tab();
  EXPECT_NE(QApplication::focusWidget(), form.Widget(Memo_WireIn));
  std::set<QWidget*> met;
  for (int i = 0; i < 400 && met.insert(QApplication::focusWidget()).second; ++i) tab();
  for (WidgetId id : kRegisterFields) EXPECT_TRUE(met.count(form.Widget(id))) << Info(id).name;
  EXPECT_TRUE(met.count(form.Widget(Image_SWA)));
  EXPECT_FALSE(form.Widget(Edit_R0)->accessibleName().isEmpty());
}

// The dialog of a file menu offers its kind's files first, and the next
// menu's dialog its own again.
TEST(Desktop, EachFileMenuOffersItsOwnKindOfFile) {
  TMainForm form;
  std::vector<QString> filters;
  for (WidgetId item : {N_ReadMicroSource, N_ReadController, N_ReadMicroFile}) {
    QTimer::singleShot(0, [&filters] {
      auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      filters.push_back(d->nameFilters().front());
      d->reject();
    });
    static_cast<QAction*>(form.Object(item))->trigger();
  }
  EXPECT_EQ(filters, (std::vector<QString>{"Microprogram sources (*.mc)", "Hard-wired designs (*.json *.v *.sv)",
                                           "TXT files (*.txt)"}));
}

TEST(Desktop, TooltipsTellThePresentValue) {
  RecordingHost host;
  TMainForm form(&host);
  Simulator& s = form.Sim();
  EXPECT_EQ(TipFor(s, Image_K3), QString::fromUtf8("K3：下，0"));
  s.ToggleLevelSwitch(3);
  form.AfterAction();
  EXPECT_EQ(TipFor(s, Image_K3), QString::fromUtf8("K3：上，1"));
  EXPECT_TRUE(TipFor(s, SpeedButtonQD, "F5").endsWith("(F5)"));
  EXPECT_TRUE(TipFor(s, Button_PAUSE).startsWith(QString::fromUtf8("暂停")));
  s.SpeedButtonPOWERClick();
  form.AfterAction();
  EXPECT_TRUE(TipFor(s, Edit_PC).contains("PC = 00"));
  // A lamp says what it shows and whether it is lit.
  EXPECT_TRUE(TipFor(s, kALamps[0]).startsWith("A0 = ")) << TipFor(s, kALamps[0]).toStdString();
  // A jack: its name, kind, the other end of its wires and its level.
  Join(s, 3, 73);  // K3 -> LDC
  Access(s).editor.Check();
  s.BoardEvaluation();
  const Jack& ldc = s.wires.JackAt(73);
  const QString tip = JackTip(s, ldc.X, ldc.Y);
  EXPECT_TRUE(tip.startsWith(QString::fromUtf8("LDC — 输入插孔"))) << tip.toStdString();
  EXPECT_TRUE(tip.contains(QString::fromUtf8("连到：K3"))) << tip.toStdString();
  EXPECT_TRUE(tip.endsWith(QString::fromUtf8("电平：1"))) << tip.toStdString();
  EXPECT_TRUE(JackTip(s, 1, 1).isEmpty());
}

TEST(Desktop, TheWindowRemembersItsPlaceAndWireColour) {
  QSettings().clear();
  {
    RecordingHost host;
    TMainForm form(&host);
    form.UseSettings();
    form.show();
    form.setGeometry(100, 120, 900, 600);
    QApplication::processEvents();
    form.ScrollBox()->verticalScrollBar()->setValue(700);
    host.color = 0x0000FF00;
    form.Sim().Button_SetColorClick();
    form.close();
  }
  RecordingHost host;
  TMainForm form(&host);
  EXPECT_NE(form.Sim().editor.WireColor, 0x0000FF00u);  // a test form starts as the board does
  form.UseSettings();
  form.show();
  QApplication::processEvents();
  EXPECT_EQ(form.Sim().editor.WireColor, 0x0000FF00u);
  EXPECT_EQ(form.size(), QSize(900, 600));
  EXPECT_EQ(form.ScrollBox()->verticalScrollBar()->value(), 700);
  QSettings().clear();
}

TEST(Desktop, TheLanguageMenuSwitchesAtOnceAndIsRemembered) {
  QSettings().clear();
  RecordingHost host;
  TMainForm form(&host);
  form.findChild<QAction*>("N_Language_en")->trigger();
  EXPECT_EQ(CurrentLanguage(), Language::English);
  EXPECT_EQ(static_cast<QAction*>(form.Object(N_Quit))->text(), "Quit");
  EXPECT_EQ(QSettings().value("language").toString(), "en");
  EXPECT_EQ(ChooseLanguage({"orrin"}), Language::English);
  EXPECT_EQ(ChooseLanguage({"orrin", "--lang", "zh"}), Language::Chinese);
  form.findChild<QAction*>("N_Language_zh")->trigger();
  EXPECT_EQ(static_cast<QAction*>(form.Object(N_Quit))->text(), QString::fromUtf8("退出"));
  EXPECT_TRUE(form.findChild<QAction*>("N_Language_zh")->isChecked());
  EXPECT_EQ(ChooseLanguage({"orrin", "--lang", "en"}), Language::English);
  QSettings().clear();
}

TEST(Desktop, ARecentFileOpensWithItsMenusCommand) {
  QSettings().clear();
  const QString wires = QString(ORRIN_SOURCE_DIR) + "/examples/wiring/alu.txt";
  QSettings().setValue("recent/N_Line", QStringList{"/no/such/file.txt", wires});
  TMainForm form;  // the program's own host: a recent file needs no dialog
  auto* recent = static_cast<QMenu*>(form.Object(N_Line))->findChild<QMenu*>("Recent_N_Line");
  ASSERT_NE(recent, nullptr);
  // A file that no longer exists is dropped; the full path shows on hover.
  ASSERT_EQ(recent->actions().size(), 1);
  EXPECT_EQ(QSettings().value("recent/N_Line").toStringList(), QStringList{wires});
  EXPECT_EQ(recent->actions()[0]->text(), "alu.txt");
  EXPECT_EQ(recent->actions()[0]->toolTip(), wires);
  EXPECT_TRUE(recent->toolTipsVisible());
  QTemporaryDir dir;
  const QString gone = dir.filePath("gone.txt");
  QFile(gone).open(QIODevice::WriteOnly);
  QSettings().setValue("recent/N_Line", QStringList{gone, wires});
  form.Retranslate();
  ASSERT_EQ(recent->actions().size(), 2);
  QFile::remove(gone);  // deleted while the program runs: gone when the menu opens
  Q_EMIT static_cast<QMenu*>(form.Object(N_Line))->aboutToShow();
  ASSERT_EQ(recent->actions().size(), 1);
  recent->actions()[0]->trigger();
  EXPECT_GT(form.Sim().wires.CountInUse(), 10);
  // The file opened moves to the top.
  EXPECT_EQ(QSettings().value("recent/N_Line").toStringList().front(), wires);
  EXPECT_EQ(recent->actions()[0]->text(), "alu.txt");

  // An assembly source in the memory menu is assembled into memory.
  QSettings().setValue("recent/N_Memory", QStringList{QString(ORRIN_SOURCE_DIR) + "/examples/asm/sum.asm"});
  form.Sim().SpeedButtonPOWERClick();
  auto* memory = static_cast<QMenu*>(form.Object(N_Memory))->findChild<QMenu*>("Recent_N_Memory");
  form.Retranslate();  // the lists are read again with the menus
  ASSERT_EQ(memory->actions().size(), 1);
  memory->actions()[0]->trigger();
  const auto& cells = form.Sim().machine.Mem.Cells;
  EXPECT_TRUE(std::any_of(cells.begin(), cells.end(), [](uint8_t c) { return c != 0; }));
  QSettings().clear();
}

TEST(Desktop, TheTimingDiagramKeepsItsRows) {
  QSettings().clear();
  {
    RecordingHost host;
    TMainForm form(&host);
    form.ShowTimingDiagram();
    auto* rows = form.TimingDiagram()->findChild<QListWidget*>("TimingRows");
    rows->item(0)->setCheckState(Qt::Unchecked);                 // phase hidden
    rows->model()->moveRow(QModelIndex(), 4, QModelIndex(), 0);  // IR first, as a drag puts it
  }
  RecordingHost host;
  TMainForm form(&host);
  form.ShowTimingDiagram();
  const std::vector<size_t>& rows = form.TimingDiagram()->Diagram()->rows;
  ASSERT_EQ(rows.size(), TraceSignals().size() - 1);
  EXPECT_EQ(std::string(TraceSignals()[rows[0]].name), "IR");
  for (size_t r : rows) EXPECT_NE(std::string(TraceSignals()[r].name), "phase");
  QSettings().clear();
}

}  // namespace
}  // namespace orrin::ui
