// The window builds from the widget table: every widget exists under its
// name, with the Qt class its kind calls for, in its container, and the
// frame of the window is as the board fixes it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTimer>

#include "tests/test_host.h"
#include "ui/main_form.h"
#include "ui/panel_box.h"
#include "ui/picture_box.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

bool HasKind(QObject* o, WidgetKind kind) {
  switch (kind) {
    case WidgetKind::Panel:
      return dynamic_cast<PanelBox*>(o) || dynamic_cast<QScrollArea*>(o);
    case WidgetKind::Image:
      return dynamic_cast<QWidget*>(o) && !dynamic_cast<GlyphButton*>(o);
    case WidgetKind::Label:
      return dynamic_cast<QLabel*>(o);
    case WidgetKind::Edit:
      return dynamic_cast<QLineEdit*>(o);
    case WidgetKind::Memo:
      return dynamic_cast<QPlainTextEdit*>(o);
    case WidgetKind::List:
      return dynamic_cast<QListWidget*>(o);
    case WidgetKind::Grid:
      return dynamic_cast<QTableWidget*>(o);
    case WidgetKind::Button:
      return dynamic_cast<QPushButton*>(o);
    case WidgetKind::SpeedButton:
      return dynamic_cast<GlyphButton*>(o);
    case WidgetKind::Radio:
      return dynamic_cast<QRadioButton*>(o);
    case WidgetKind::Menu:
      return dynamic_cast<QMenu*>(o) || dynamic_cast<QAction*>(o);
  }
  return false;
}

class Window : public testing::Test {
 protected:
  RecordingHost host;
  TMainForm form{&host};
};

TEST_F(Window, EveryWidgetOfTheTableExistsUnderItsNameWithItsKind) {
  for (int i = 0; i < WidgetCount; ++i) {
    const WidgetId id = static_cast<WidgetId>(i);
    const WidgetInfo& info = Info(id);
    const QList<QObject*> found = form.findChildren<QObject*>(QString::fromLatin1(info.name));
    ASSERT_EQ(found.size(), 1) << info.name;
    EXPECT_EQ(found.front(), form.Object(id)) << info.name;
    EXPECT_TRUE(HasKind(found.front(), info.kind)) << info.name;
    if (info.kind == WidgetKind::Menu || info.container == WidgetId::Count) continue;
    // Inside its container (ScrollBox1 holds its panels in its scrolled area).
    QWidget* parent = form.Widget(id)->parentWidget();
    QWidget* container = info.container == ScrollBox1 ? form.ScrollBox()->widget() : form.Widget(info.container);
    EXPECT_EQ(parent, container) << info.name;
  }
}

TEST_F(Window, FrameOfTheWindow) {
  form.show();
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Orrin 仿真软件"));
  EXPECT_EQ(form.objectName(), "MainForm");
  EXPECT_EQ(form.centralWidget()->size(), QSize(1018, 342));
  EXPECT_EQ(form.Widget(ScrollBox1)->geometry(), QRect(2, 0, 1014, 226));
  EXPECT_EQ(form.Widget(Panel_KEY)->geometry(), QRect(2, 226, 991, 116));
  EXPECT_EQ(form.ScrollBox()->widget()->size(), QSize(992, 2274));
  EXPECT_TRUE(form.Widget(Panel_KeyLedModel)->isHidden());
  // Positions the board fixes are used as they stand.
  EXPECT_EQ(form.Widget(Panel3)->geometry(), QRect(0, 598, 992, 1310));
  EXPECT_EQ(form.Widget(StringGrid_MEM)->geometry(), QRect(494, 67, 364, 244));
  EXPECT_EQ(form.Widget(Edit_uAR)->pos(), QPoint(334, 886));
  EXPECT_EQ(form.Widget(Image_K0)->geometry(), QRect(684, 18, 21, 31));
  EXPECT_EQ(form.Widget(Image_K31)->geometry(), QRect(328, 66, 21, 31));
  EXPECT_EQ(form.Widget(SpeedButtonPOWER)->geometry(), QRect(950, 14, 35, 66));
}

TEST_F(Window, MenusCarryTheirItems) {
  const QList<QAction*> tops = form.menuBar()->actions();
  ASSERT_EQ(tops.size(), 7);
  const char* const titles[] = {"文件", "连线", "内存", "微程序", "查看", "Language/语言", "实验"};
  const std::vector<std::vector<const char*>> items = {
      {"退出"},
      {"读取连线文件", "备份连线到文件", "最近的文件"},
      {"TXT文件->内存", "内存->TXT文件", "汇编文件->内存", "反汇编窗口", "最近的文件"},
      {"读文件到微程序", "备份微程序到文件", "读微程序源文件…", "备份微程序为源文件…", "读硬连线控制器…", "最近的文件"},
      {"时序图"},
      {"English", "中文"},
      {"打开实验…", "保存操作记录…"}};
  for (int m = 0; m < 7; ++m) {
    EXPECT_EQ(tops[m]->text(), QString::fromUtf8(titles[m]));
    QStringList texts;
    for (QAction* a : tops[m]->menu()->actions())
      if (!a->isSeparator()) texts << a->text();
    QStringList want;
    for (const char* t : items[static_cast<size_t>(m)]) want << QString::fromUtf8(t);
    EXPECT_EQ(texts, want);
  }
}

TEST_F(Window, StartsPoweredOffWithTheTimersStopped) {
  EXPECT_EQ(static_cast<PictureBox*>(form.Widget(SpeedButtonPOWER))->Role(), Pic::SpeedButton_PowerOFF);
  EXPECT_EQ(static_cast<PictureBox*>(form.Widget(Image_T1_OUT))->Role(), Pic::Tx_PowerOFF);
  EXPECT_TRUE(static_cast<QRadioButton*>(form.Widget(RadioButtonHandLine))->isChecked());
  EXPECT_FALSE(form.Widget(RadioButtonHdLine)->isEnabled());
  EXPECT_TRUE(static_cast<QLineEdit*>(form.Widget(Edit_PC))->isReadOnly());
  for (const char* name : {"Timer_RUN", "Timer_WrongLine", "Timer_Trigger", "Timer_RecotdBackPlay"}) {
    auto* timer = form.findChild<QTimer*>(name);
    ASSERT_NE(timer, nullptr) << name;
    EXPECT_FALSE(timer->isActive()) << name;
  }
}

}  // namespace
}  // namespace orrin::ui
