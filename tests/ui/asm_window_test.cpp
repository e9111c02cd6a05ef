// "汇编文件->内存" in the window, and the listing window beside the board.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <cstdio>
#include <fstream>

#include "tests/test_host.h"
#include "ui/disassembly_window.h"
#include "ui/main_form.h"

namespace orrin::ui {
namespace {

using enum WidgetId;

class AsmWindow : public testing::Test {
 protected:
  RecordingHost host;
  TMainForm form{&host};
  std::string Source(const char* text) {
    // Named after the test: ctest runs the tests side by side.
    const std::string path =
        testing::TempDir() + "orrin-" + testing::UnitTest::GetInstance()->current_test_info()->name() + ".asm";
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  void Trigger(WidgetId id) { static_cast<QAction*>(form.Object(id))->trigger(); }
};

TEST_F(AsmWindow, TheMenuAssemblesIntoMemoryAndErrorsLeaveItAsItWas) {
  QTest::mouseClick(form.Widget(SpeedButtonPOWER), Qt::LeftButton);
  host.openNames.push_back(Source("  INC R1\nloop: JZ done\n  HLT\ndone: HLT\n"));
  Trigger(N_Asm2MEM);
  ASSERT_TRUE(host.warnings.empty());
  EXPECT_EQ(form.Sim().machine.Mem.Cells[0], 0x44);
  EXPECT_EQ(form.Sim().machine.Mem.Cells[1], 0x81);

  const std::string bad = Source("HLT\nFROB\nINC R5\n");
  host.openNames.push_back(bad);
  Trigger(N_Asm2MEM);
  ASSERT_EQ(host.warnings.size(), 1u);  // every error in one box
  EXPECT_NE(host.warnings[0].find(bad + ":2: unknown mnemonic"), std::string::npos) << host.warnings[0];
  EXPECT_NE(host.warnings[0].find(bad + ":3: no register R5"), std::string::npos);
  EXPECT_EQ(form.Sim().machine.Mem.Cells[0], 0x44);  // unchanged
}

TEST_F(AsmWindow, TheListingFollowsTheMemoryAndMarksPc) {
  QTest::mouseClick(form.Widget(SpeedButtonPOWER), Qt::LeftButton);
  host.openNames.push_back(Source("  INC R1\n  ADD R0,R1\n  HLT\n"));
  Trigger(N_Asm2MEM);
  Trigger(N_Disassembly);
  DisassemblyWindow* w = form.Disassembly();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  QListWidget* list = w->List();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(1)->text(), "01: 11  ADD R0,R1");
  EXPECT_EQ(list->currentRow(), 0);  // PC = 00
  // PC typed in: the mark moves; memory changed by the grid: the listing follows.
  auto* pc = static_cast<QLineEdit*>(form.Widget(Edit_PC));
  pc->setFocus();
  pc->selectAll();
  QTest::keyClicks(pc, "02");
  QTest::keyClick(pc, Qt::Key_Return);
  EXPECT_EQ(list->currentRow(), 2);
  form.Sim().view.SetCell(StringGrid_MEM, 4, 1, "D0");  // address 03
  QTest::mouseClick(form.Widget(Button_GridToMEM), Qt::LeftButton);
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->item(3)->text(), "03: D0  EI");
}

}  // namespace
}  // namespace orrin::ui
