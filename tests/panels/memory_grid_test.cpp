// The memory table and listing, the grid's save button, and the memory file.
#include <gtest/gtest.h>

#include "simulator/access.h"
#include "tests/panels/panel_test_util.h"

namespace orrin {
namespace {

struct PoweredBoard : Board {
  PoweredBoard() { sim.SpeedButtonPOWERClick(); }
  const std::string& Cell(int address) const {
    return sim.view.Cell(StringGrid_MEM, address % 16 + 1, address / 16 + 1);
  }
  void Type(int address, const std::string& text) {
    sim.view.SetCell(StringGrid_MEM, address % 16 + 1, address / 16 + 1, text);
  }
  uint8_t Byte(int address) const { return sim.machine.Mem.Cells[static_cast<size_t>(address)]; }
};

std::string Digits(const std::string& firstBytes) {
  std::string d = firstBytes;
  d.resize(512, '0');
  return d;
}

TEST(MemoryViews, PowerOnFillsTheTableAndListingAndHighlightsTheFetchLine) {
  PoweredBoard b;
  EXPECT_EQ(b.sim.view.Cell(StringGrid_MEM, 1, 0), " 0");
  EXPECT_EQ(b.sim.view.Cell(StringGrid_MEM, 16, 0), " F");
  EXPECT_EQ(b.sim.view.Cell(StringGrid_MEM, 0, 16), "F-");
  EXPECT_EQ(b.sim.view.Cell(StringGrid_MEM, 0, 0), "");
  EXPECT_EQ(b.Cell(0), "00");
  EXPECT_EQ(b.Cell(255), "00");
  const WidgetState& list = b.sim.view[ListBox_MEM];
  ASSERT_EQ(list.lines.size(), 256u);
  EXPECT_EQ(list.lines[0], "00:00000000");
  EXPECT_EQ(list.selectedLine, 0);
  EXPECT_TRUE(b.sim.view[StringGrid_MEM].enabled);
}

TEST(MemoryViews, CurrentCellFollowsAr) {
  PoweredBoard b;
  b.sim.view.Writable(Edit_AR).text = "3C";
  b.sim.EditKeyPress(Edit_AR, 13);
  EXPECT_EQ(b.sim.view[StringGrid_MEM].currentRow, 4);
  EXPECT_EQ(b.sim.view[StringGrid_MEM].currentCol, 13);
}

TEST(MemoryViews, PowerOffEmptiesAndDisablesTheTable) {
  PoweredBoard b;
  b.sim.SpeedButtonPOWERClick();
  EXPECT_EQ(b.Cell(0), "");
  EXPECT_EQ(b.sim.view.Cell(StringGrid_MEM, 3, 0), " 2");
  EXPECT_TRUE(b.sim.view[ListBox_MEM].lines.empty());
  EXPECT_FALSE(b.sim.view[StringGrid_MEM].enabled);
  b.Type(0, "12");
  b.sim.Button_GridToMEMClick();  // does nothing without power
  EXPECT_EQ(b.Byte(0), 0);
}

TEST(MemoryGridSave, CellRules) {
  PoweredBoard b;
  b.Type(0x10, "7");      // one digit
  b.Type(0x11, "g");      // not a digit: 0
  b.Type(0x12, "1g");     // 10
  b.Type(0x13, "ab");     // lower case
  b.Type(0x14, "123");    // too long: skipped
  b.Type(0x15, "");       // empty: 00
  b.Type(0x16, "中");     // one character, not a digit: 00
  b.Type(0x17, "1é");     // two characters, whatever their bytes: 10
  b.Type(0x18, "中中5");  // three characters: skipped
  Access(b.sim).machine.Mem.Cells[0x18] = Access(b.sim).machine.Mem.ShownCells[0x18] = 0x88;
  Access(b.sim).machine.Mem.Cells[0x14] = Access(b.sim).machine.Mem.ShownCells[0x14] = 0x44;
  Access(b.sim).machine.Mem.Cells[0x15] = Access(b.sim).machine.Mem.ShownCells[0x15] = 0x55;
  b.sim.Button_GridToMEMClick();
  EXPECT_EQ(b.Byte(0x10), 0x07);
  EXPECT_EQ(b.Byte(0x11), 0x00);
  EXPECT_EQ(b.Byte(0x12), 0x10);
  EXPECT_EQ(b.Byte(0x13), 0xAB);
  EXPECT_EQ(b.Byte(0x14), 0x44);
  EXPECT_EQ(b.Byte(0x15), 0x00);
  EXPECT_EQ(b.Byte(0x16), 0x00);
  EXPECT_EQ(b.Byte(0x17), 0x10);
  EXPECT_EQ(b.Byte(0x18), 0x88);
  // The repaint shows every byte as two upper-case digits, the skipped one too.
  EXPECT_EQ(b.Cell(0x10), "07");
  EXPECT_EQ(b.Cell(0x13), "AB");
  EXPECT_EQ(b.Cell(0x14), "44");
  EXPECT_EQ(b.sim.view[ListBox_MEM].lines[0x13], "13:10101011");
}

TEST(MemoryViews, AWriteByTheMachineRebuildsTheTableAndDropsUnsavedTyping) {
  PoweredBoard b;
  RunWord(b, "0010010000");  // SBUS MEMW: switches into memory at AR = 00
  b.sim.ToggleDataSwitch(0);
  b.Type(0x20, "99");  // typed, never saved
  SmallBeats(b, 3);
  EXPECT_EQ(b.Cell(0x20), "99");  // nothing written yet: the typing stays
  SmallBeats(b, 1);
  EXPECT_EQ(b.Cell(0), "01");
  EXPECT_EQ(b.Cell(0x20), "00");
  EXPECT_EQ(b.sim.view[ListBox_MEM].lines[0], "00:00000001");
}

TEST(MemoryFile, LoadsThe512DigitsUpperOrLowerCase) {
  TempDir dir;
  const std::string name = dir.File("m.txt");
  WriteFile(name, Digits("3a00ffG11G"));
  PoweredBoard b;
  b.host.openNames.push_back(name);
  b.sim.N_File2MEMClick();
  EXPECT_TRUE(b.host.warnings.empty());
  EXPECT_EQ(b.Byte(0), 0x3A);
  EXPECT_EQ(b.Byte(1), 0x00);
  EXPECT_EQ(b.Byte(2), 0xFF);
  EXPECT_EQ(b.Byte(3), 0x01);  // G1
  EXPECT_EQ(b.Byte(4), 0x10);  // 1G
  EXPECT_EQ(b.Cell(0), "3A");
  // Saving right after writes the same digits back, in upper case.
  const std::string saved = dir.File("saved.txt");
  b.host.saveNames.push_back(saved);
  b.sim.N_MEM2FileClick();
  EXPECT_EQ(ReadFile(saved), Digits("3A00FF0110"));
}

TEST(MemoryFile, TrailingLineEndsAndBlanksFromAnEditorAreAccepted) {
  TempDir dir;
  for (const char* tail : {"\r\n", "\n", "  \t\n\n", "\r"}) {
    const std::string name = dir.File("edited.txt");
    WriteFile(name, "\xEF\xBB\xBF" + Digits("5A") + tail);  // also saved with a byte-order mark
    PoweredBoard b;
    b.host.openNames.push_back(name);
    b.sim.N_File2MEMClick();
    EXPECT_TRUE(b.host.warnings.empty());
    EXPECT_EQ(b.Byte(0), 0x5A);
  }
}

TEST(MemoryFile, AnyOtherLengthIsRefusedWithAWarning) {
  TempDir dir;
  const std::string kFormat = "内存文件格式不对：需要 512 个十六进制字符。";
  for (const std::string& bytes :
       {Digits("5A").substr(0, 511), Digits("5A") + "0", Digits("5A") + "\nXY", std::string()}) {
    const std::string name = dir.File("bad.txt");
    WriteFile(name, bytes);
    PoweredBoard b;
    Access(b.sim).machine.Mem.Cells[0] = Access(b.sim).machine.Mem.ShownCells[0] = 0x77;
    b.host.openNames.push_back(name);
    b.sim.N_File2MEMClick();
    ASSERT_EQ(b.host.warnings.size(), 1u) << bytes.size();
    EXPECT_EQ(b.host.warnings[0], kFormat);
    EXPECT_EQ(b.Byte(0), 0x77);
  }
}

TEST(MemoryFile, PowerOffRefusesBothCommands) {
  Board b;
  b.host.openNames.push_back("unused");
  b.sim.N_File2MEMClick();
  b.sim.N_MEM2FileClick();
  ASSERT_EQ(b.host.warnings.size(), 2u);
  EXPECT_EQ(b.host.warnings[0], "电源没开，内存无法写入！");
  EXPECT_EQ(b.host.warnings[1], "电源没开，内存没有数据，不能备份！");
  EXPECT_EQ(b.host.openNames.size(), 1u);  // no dialog was shown
}

TEST(MemoryFile, CancelledDialogsDoNothingAndUnusableFilesAreNamed) {
  TempDir dir;
  PoweredBoard b;
  b.sim.N_File2MEMClick();  // cancelled: no name
  b.sim.N_MEM2FileClick();
  EXPECT_TRUE(b.host.warnings.empty());
  const std::string missing = dir.File("missing.txt");
  b.host.openNames.push_back(missing);
  b.sim.N_File2MEMClick();
  const std::string folder = dir.File("");
  b.host.openNames.push_back(folder);
  b.sim.N_File2MEMClick();
  const std::string unwritable = dir.File("no/such/folder.txt");
  b.host.saveNames.push_back(unwritable);
  b.sim.N_MEM2FileClick();
  ASSERT_EQ(b.host.warnings.size(), 3u);
  EXPECT_EQ(b.host.warnings[0], "无法读取文件：" + missing);
  EXPECT_EQ(b.host.warnings[1], "无法读取文件：" + folder);
  EXPECT_EQ(b.host.warnings[2], "无法写入文件：" + unwritable);
}

TEST(AsmFile, ASourceOverTheLimitIsTooLargeNotUnreadable) {
  TempDir dir;
  PoweredBoard b;
  const std::string huge = dir.File("huge.asm");
  WriteFile(huge, std::string((1 << 20) + 1, ' '));
  const std::string fits = dir.File("fits.asm");
  WriteFile(fits, std::string((1 << 20) - 4, ' ') + "HLT\n");
  b.host.openNames = {huge, fits};
  b.sim.N_Asm2MEMClick();
  b.sim.N_Asm2MEMClick();
  EXPECT_EQ(b.host.warnings, (std::vector<std::string>{"汇编文件太大，未读取。"}));
  EXPECT_EQ(b.Byte(0), 0xE0);
}

// --isa FILE: a file that cannot be read or has errors is named once and
// the standard set stays; a good one is used by the assembler.
TEST(AsmFile, AnInstructionSetFileIsNamedOnceWhenItFails) {
  TempDir dir;
  PoweredBoard b;
  const std::string missing = dir.File("missing.isa"), bad = dir.File("bad.isa"), good = dir.File("good.isa");
  WriteFile(bad, "7 GO\n# fine\n77 JUMP n\n");
  WriteFile(good, "E STAY -\n");
  b.sim.UseInstructionSetFile(missing);
  b.sim.UseInstructionSetFile(bad);
  ASSERT_EQ(b.host.warnings.size(), 2u);
  EXPECT_EQ(b.host.warnings[0], "无法读取指令集文件，使用标准指令集：" + missing);
  EXPECT_EQ(b.host.warnings[1], "指令集文件有错误，使用标准指令集：" + bad +
                                    "\n1: needs an opcode, a mnemonic and an operand form"
                                    "\n3: the opcode is one hex digit: 77");
  EXPECT_NE(b.sim.isa.Find("HLT"), nullptr);  // still the standard set
  b.sim.UseInstructionSetFile(good);
  EXPECT_EQ(b.host.warnings.size(), 2u);
  const std::string source = dir.File("stay.asm");
  WriteFile(source, "STAY\n");
  b.host.openNames = {source};
  b.sim.N_Asm2MEMClick();
  EXPECT_EQ(b.Byte(0), 0xE0);
}

}  // namespace
}  // namespace orrin

namespace orrin {
namespace {

// Power cycled: the memory is cleared, and so is every cell of its table.
TEST(MemoryViews, APowerCycleShowsTheClearedMemoryInTheTable) {
  PoweredBoard b;
  b.Type(0x21, "5A");
  b.sim.Button_GridToMEMClick();
  ASSERT_EQ(b.Cell(0x21), "5A");
  b.sim.SpeedButtonPOWERClick();
  b.sim.SpeedButtonPOWERClick();
  EXPECT_EQ(b.Byte(0x21), 0);
  EXPECT_EQ(b.Cell(0x21), "00");
  EXPECT_EQ(b.sim.view[ListBox_MEM].lines[0x21], "21:00000000");
}

}  // namespace
}  // namespace orrin
