// The control-store table with its save button, and the microprogram file.
#include <gtest/gtest.h>

#include "base/micro_file.h"
#include "tests/panels/panel_test_util.h"

namespace orrin {
namespace {

const std::string& MicroCell(const Board& b, int address) {
  return b.sim.view.Cell(StringGrid_MicroMem, address % 8 + 1, address / 8 + 1);
}
void TypeMicro(Board& b, int address, const std::string& text) {
  b.sim.view.SetCell(StringGrid_MicroMem, address % 8 + 1, address / 8 + 1, text);
}
const ControlStoreEntry& Entry(const Board& b, int address) {
  return b.sim.machine.Micro.Store[static_cast<size_t>(address)];
}

// Loads `bytes` as a microprogram file through the menu's load routine.
void LoadText(Board& b, const TempDir& dir, const std::string& bytes) {
  const std::string name = dir.File("micro.txt");
  WriteFile(name, bytes);
  b.sim.LoadMicroFile(name);
}

TEST(MicroGrid, HeadersAndDefaultsAtStartUp) {
  Board b;
  EXPECT_EQ(b.sim.view.Cell(StringGrid_MicroMem, 1, 0), " 上0,下8");
  EXPECT_EQ(b.sim.view.Cell(StringGrid_MicroMem, 8, 0), " 上7,下F");
  EXPECT_EQ(b.sim.view.Cell(StringGrid_MicroMem, 0, 1), "       0-");
  EXPECT_EQ(b.sim.view.Cell(StringGrid_MicroMem, 0, 2), "       0-");
  EXPECT_EQ(b.sim.view.Cell(StringGrid_MicroMem, 0, 8), "       3-");
  EXPECT_EQ(MicroCell(b, 0x00), "0C00000041");
  EXPECT_EQ(MicroCell(b, 0x2B), "0040002401");
}

TEST(MicroGridSave, AcceptsOnlyTenHexDigitsAndUpperCasesThem) {
  Board b;  // works with the power off
  TypeMicro(b, 0x01, "abcdef0123");
  TypeMicro(b, 0x02, "123456789");    // 9 characters
  TypeMicro(b, 0x03, "12345678901");  // 11
  TypeMicro(b, 0x04, "12345G7890");   // not hex
  TypeMicro(b, 0x05, "");
  b.sim.Button_GridToMicroClick();
  EXPECT_EQ(Entry(b, 1).WordText, "ABCDEF0123");
  EXPECT_EQ(Entry(b, 1).FullText, "01ABCDEF0123");
  EXPECT_EQ(Entry(b, 1).CommentText, "");
  EXPECT_EQ(MicroCell(b, 0x01), "ABCDEF0123");
  for (int a : {2, 3, 4}) EXPECT_EQ(MicroCell(b, a), FetchMicroword(b.sim.machine, a)) << a;
  EXPECT_EQ(MicroCell(b, 0x02), "4010034002");
  EXPECT_EQ(MicroCell(b, 0x05), "4010028004");
}

TEST(MicroFile, CrLfLinesWithBlanksColonsAndComments) {
  TempDir dir;
  Board b;
  LoadText(b, dir,
           "; a comment line\r\n"
           "05 : 00 0000 1234 ; comment\r\n"
           "410123456789\r\n"   // address 41 sets entry 01
           "0a0000000000a\r\n"  // 13 digits: ignored
           "0B000000000\r\n"    // 11 digits: ignored
           "06:1111111111\r\n"
           "06:2222222222\r\n"  // the later line wins
           "07:abcdefabcd");    // the end of the file ends the line
  EXPECT_EQ(Entry(b, 5).WordText, "0000001234");
  EXPECT_EQ(Entry(b, 5).CommentText, "; comment\r\n");
  EXPECT_EQ(Entry(b, 1).Address, 1);
  EXPECT_EQ(Entry(b, 1).FullText, "410123456789");
  EXPECT_EQ(Entry(b, 0x0A).Address, NoValue);
  EXPECT_EQ(Entry(b, 0x0B).Address, NoValue);
  EXPECT_EQ(Entry(b, 6).WordText, "2222222222");
  EXPECT_EQ(Entry(b, 7).WordText, "abcdefabcd");  // kept in the file's case
  EXPECT_EQ(MicroCell(b, 7), "abcdefabcd");
  // Everything the file does not name is empty now.
  EXPECT_EQ(Entry(b, 0).Address, NoValue);
  EXPECT_EQ(MicroCell(b, 0), "0000020000");
}

TEST(MicroFile, LfOnlyAndCrOnlyLinesEndLinesToo) {
  TempDir dir;
  Board lf;
  LoadText(lf, dir, "00:0C00000041\n01:00000410A0 ; fetch\n02:4010034002\n");
  EXPECT_EQ(lf.sim.machine.Micro.Store[0].WordText, "0C00000041");
  EXPECT_EQ(Entry(lf, 1).WordText, "00000410A0");
  EXPECT_EQ(Entry(lf, 1).CommentText, "; fetch\n");
  EXPECT_EQ(Entry(lf, 2).WordText, "4010034002");

  Board cr;
  LoadText(cr, dir, "00:0C00000041\r01:00000410A0\r02:4010034002");
  EXPECT_EQ(Entry(cr, 0).WordText, "0C00000041");
  EXPECT_EQ(Entry(cr, 1).WordText, "00000410A0");  // the first digit of a line is not swallowed
  EXPECT_EQ(Entry(cr, 2).WordText, "4010034002");

  // A CR LF file with lines appended by a Linux tool, with a byte-order mark.
  Board mixed;
  LoadText(mixed, dir,
           "\xEF\xBB\xBF"
           "00:0C00000041\r\n01:00000410A0 ; fetch\r\n02:4010034002\n03:4010028002\n");
  EXPECT_EQ(Entry(mixed, 0).WordText, "0C00000041");
  EXPECT_EQ(Entry(mixed, 1).CommentText, "; fetch\r\n");
  EXPECT_EQ(Entry(mixed, 3).WordText, "4010028002");
  EXPECT_TRUE(mixed.host.warnings.empty());

  // A word broken by a stray line end sets nothing, and the box says where.
  Board broken;
  LoadText(broken, dir, "00:0C000\n00041\r\n; only a comment 1234\r\n\r\n02:4010034002\r\n03:40100280021\r\n");
  EXPECT_EQ(Entry(broken, 0).Address, NoValue);
  EXPECT_EQ(Entry(broken, 2).WordText, "4010034002");
  EXPECT_EQ(broken.host.warnings, (std::vector<std::string>{"微程序文件第 1, 2, 6 行无法读取，已跳过。"}));
}

TEST(MicroFile, BackupRoundTrip) {
  TempDir dir;
  Board b;
  const std::string name = dir.File("backup.txt");
  b.host.saveNames.push_back(name);
  b.sim.N_BakMicro2FileClick();
  const std::string text = ReadFile(name);
  EXPECT_EQ(text.size(), 64u * 15u);
  EXPECT_EQ(text.substr(0, 15), "00:0C00000041\r\n");
  EXPECT_EQ(text.substr(10 * 15, 15), "0A:641002080C\r\n");
  // Loading the backup gives the same store; a partial file backs up only its entries.
  Board other;
  other.host.openNames.push_back(name);
  other.sim.N_ReadMicroFileClick();
  for (int a = 0; a < ControlStoreSize; ++a)
    EXPECT_EQ(FetchMicroword(other.sim.machine, a), FetchMicroword(b.sim.machine, a));
  LoadText(other, dir, "0A:0123456789\r\n3F:abcdefabcd\r\n");
  EXPECT_EQ(files::MicroprogramBackup(other.sim.machine), "0A:0123456789\r\n3F:abcdefabcd\r\n");
}

TEST(MicroFile, TooLargeOrUnreadableFilesLeaveTheStoreAsItWas) {
  TempDir dir;
  Board b;
  std::string big(files::kLongestMicroFile + 1, ' ');
  big.replace(0, 15, "00:1111111111\r\n");
  LoadText(b, dir, big);
  ASSERT_EQ(b.host.warnings.size(), 1u);
  EXPECT_EQ(b.host.warnings[0], "微程序文件太大，未读取。");
  EXPECT_EQ(Entry(b, 0).WordText, "0C00000041");
  EXPECT_EQ(Entry(b, 1).WordText, "00000410A0");

  big.resize(files::kLongestMicroFile);  // exactly at the limit: read
  LoadText(b, dir, big);
  EXPECT_EQ(b.host.warnings.size(), 1u);
  EXPECT_EQ(Entry(b, 0).WordText, "1111111111");

  const std::string missing = dir.File("missing.txt");
  b.sim.LoadMicroFile(missing);
  ASSERT_EQ(b.host.warnings.size(), 2u);
  EXPECT_EQ(b.host.warnings[1], "无法读取文件：" + missing);
  EXPECT_EQ(Entry(b, 0).WordText, "1111111111");

  b.sim.N_ReadMicroFileClick();  // cancelled dialog
  b.host.saveNames.push_back(dir.File("no/such/dir.txt"));
  b.sim.N_BakMicro2FileClick();
  ASSERT_EQ(b.host.warnings.size(), 3u);
  EXPECT_EQ(b.host.warnings[2], "无法写入文件：" + dir.File("no/such/dir.txt"));
}

TEST(MicroFile, AFileWithoutOneWordIsRefusedAndChangesNothing) {
  TempDir dir;
  Board b;
  // A memory file, a text, binary garbage: lines with digits but no word of twelve.
  const std::string memory(512, '0');
  const std::string garbage("\x01\x89PNG\r\n\x1a\n\xff\xfe 12 ab", 18);
  for (const std::string& text : {memory, std::string("hello, world\r\ncafe 42\r\n"), garbage}) {
    b.host.warnings.clear();
    LoadText(b, dir, text);
    ASSERT_EQ(b.host.warnings.size(), 1u);
    EXPECT_EQ(b.host.warnings[0], "微程序文件中没有一条能读出的微指令，微程序未改变：" + dir.File("micro.txt"));
    EXPECT_EQ(Entry(b, 0).WordText, "0C00000041");
    EXPECT_EQ(MicroCell(b, 0), "0C00000041");
  }
  // One word is enough: the store is replaced by it, as specified, and the rest named.
  b.host.warnings.clear();
  LoadText(b, dir, "junk\r\n05:1234567890\r\n");
  EXPECT_EQ(Entry(b, 0).Address, NoValue);
  EXPECT_EQ(Entry(b, 5).WordText, "1234567890");
  EXPECT_EQ(b.host.warnings, (std::vector<std::string>{}));
  // An empty file is the backup of an empty store: it empties the store.
  LoadText(b, dir, "\r\n");
  EXPECT_EQ(Entry(b, 5).Address, NoValue);
  EXPECT_TRUE(b.host.warnings.empty());
}

TEST(MicroFile, LoadedWordsDriveTheController) {
  TempDir dir;
  Board b;
  b.sim.RadioButtonMicroProgramClick();
  b.sim.SpeedButtonPOWERClick();
  LoadText(b, dir, "00:0000020000\r\n");
  EXPECT_EQ(Text(b, Label_P4_MicroProStr), "00:0000020000");
  EXPECT_EQ(Text(b, Label_STOP), "1");
}

// A microprogram source: one with an error changes nothing and names every
// error; a good one replaces the whole store (the table shows it) and, with
// instruction lines, the instruction set; the store saves back as a source
// that loads the same words.
TEST(MicroSource, LoadsWholeOrNotAtAllAndSavesBack) {
  TempDir dir;
  Board b;
  const std::string bad = dir.File("bad.mc");
  WriteFile(bad, "00: DRW\r\n01: FROB\r\n02: -> nowhere\r\n");
  b.host.openNames.push_back(bad);
  b.sim.N_ReadMicroSourceClick();
  EXPECT_EQ(Entry(b, 0x01).WordText, "00000410A0");
  ASSERT_EQ(b.host.warnings.size(), 1u);
  EXPECT_EQ(b.host.warnings[0], "微程序源文件有错误，微程序未改变：\n" + bad + ":2: unknown word 'FROB'\n" + bad +
                                    ":3: undefined label 'nowhere'");
  const std::string good = dir.File("mov.mc");
  WriteFile(good, "instruction A MOV Rd,Rs\n2A: mov: ABUS M DRW S=A P4 -> 01 ; Rd = Rs\n");
  b.host.openNames.push_back(good);
  b.sim.N_ReadMicroSourceClick();
  EXPECT_EQ(b.host.warnings.size(), 1u);
  EXPECT_EQ(MicroCell(b, 0x2A), "000E800C01");
  EXPECT_EQ(Entry(b, 0x01).Address, NoValue);
  EXPECT_NE(b.sim.isa.Find("MOV"), nullptr);
  EXPECT_EQ(b.sim.isa.Find("ADD"), nullptr);
  // Below the table, the word at uAR by name, its label from the source.
  b.sim.SpeedButtonPOWERClick();
  EXPECT_EQ(Text(b, Label_MicroSource), "");  // uAR 00: no word there now
  b.sim.view.Writable(Edit_uAR).text = "2A";
  b.sim.EditKeyPress(Edit_uAR, 13);
  EXPECT_EQ(Text(b, Label_MicroSource), "2A: mov: ABUS M DRW S=A P4 -> 01");
  b.sim.SpeedButtonPOWERClick();
  // A source without instruction lines keeps the instruction set.
  const std::string plain = dir.File("plain.mc");
  WriteFile(plain, "2A: DRW\n");
  b.host.openNames.push_back(plain);
  b.sim.N_ReadMicroSourceClick();
  EXPECT_NE(b.sim.isa.Find("MOV"), nullptr);
  EXPECT_EQ(MicroCell(b, 0x2A), "0000000800");

  Board fresh;
  EXPECT_EQ(Text(fresh, Label_MicroSource), "00: SEL=3 P0 -> 01");  // power off: the table's first cell
  const std::string saved = dir.File("saved.mc");
  fresh.host.saveNames.push_back(saved);
  fresh.sim.N_SaveMicroSourceClick();
  const std::string text = ReadFile(saved);
  EXPECT_EQ(text.substr(0, text.find('\n')), "00: SEL=3 P0 -> 01");
  b.host.openNames.push_back(saved);
  b.sim.N_ReadMicroSourceClick();
  for (int a = 0; a < ControlStoreSize; ++a) EXPECT_EQ(Entry(b, a).Word, Entry(fresh, a).Word) << a;
}

}  // namespace
}  // namespace orrin
