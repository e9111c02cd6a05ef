// How orrin-grade reads a finished check, copies a submission and writes its
// reports, whatever a student's folder holds or is called.
#include "app/grade.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/lab.h"

namespace orrin {
namespace {

namespace fs = std::filesystem;

int Exited(int code) { return code << 8; }  // as waitpid reports an exit

using K = RunFact::Kind;
using Facts = std::vector<RunFact>;
RunFact Tally(int64_t passed, int64_t failed) { return {K::Tally, passed, failed}; }
RunFact Failed(int64_t line, const std::string& text) { return {K::ExpectFailed, 0, line, text}; }
RunFact FileWarning(const std::string& text, const std::string& name = "f.txt") {
  return {K::FileProblem, 0, 0, text, name};
}
RunFact Stopped(const std::string& text) { return {K::Stopped, 0, 0, text}; }
Facts operator+(Facts a, const Facts& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(GradeClassify, StatusFromTheRunnersExitAndFacts) {
  GradeResult r = Classify(Exited(0), false, {Tally(2, 0)});
  EXPECT_EQ(r.status, "passed");
  EXPECT_EQ(r.passed, 2);

  r = Classify(Exited(1), false, {Failed(9, "line 9: expected R0=7F, got 35"), Tally(1, 1)});
  EXPECT_EQ(r.status, "failed");
  EXPECT_EQ(r.failed, 1);
  EXPECT_EQ(r.message, "line 9: expected R0=7F, got 35");
  EXPECT_EQ(Classify(Exited(1), false, {}).message, "an expectation failed");

  r = Classify(Exited(2), false, {Stopped("line 4: unknown command 'x'"), Stopped("line 5: later")});
  EXPECT_EQ(r.status, "error");
  EXPECT_EQ(r.message, "line 4: unknown command 'x'");
  EXPECT_EQ(Classify(Exited(2), false, {Stopped("lab:3: first\nlab:4: second")}).message, "lab:3: first");
  EXPECT_EQ(Classify(Exited(3), false, {}).message, "the check stopped with status 3");
  EXPECT_EQ(Classify(SIGSEGV, false, {}).status, "error");
  EXPECT_EQ(Classify(SIGXFSZ, false, {}).message, "stopped: it wrote more than 256 MiB");
  EXPECT_EQ(Classify(SIGKILL, true, {}).status, "timeout");
}

TEST(GradeClassify, TheGradeSaysWhichFileWasWrongAndWhy) {
  const Facts failed = {Failed(9, "line 9: expected MEM[FF]=0F, got 00"), Tally(0, 1)};
  struct Case {
    std::string warning;
    std::string message;
  };
  const Case cases[] = {
      {"无法读取文件：prog.txt", "无法读取文件：prog.txt"},
      {"内存文件格式不对：需要 512 个十六进制字符。", "内存文件格式不对：需要 512 个十六进制字符。"},
      // An assembly error is a box of several lines: its first error says what.
      {"汇编文件有错误，内存未改变：\nprog.asm:7: unknown mnemonic 'HALT'\nprog.asm:9: undefined label 'x'",
       "汇编文件有错误，内存未改变：prog.asm:7: unknown mnemonic 'HALT'"},
      {"first line\nsecond line", "first line"},
  };
  for (const Case& c : cases) {
    const GradeResult r = Classify(Exited(1), false, Facts{FileWarning(c.warning)} + failed);
    EXPECT_EQ(r.status, "failed") << c.warning;
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.fileProblem, c.message);
    EXPECT_EQ(r.failures.size(), 1u) << "the failed expectation is kept beside the file";
  }
  // The first file problem is the grade's, a refused name included.
  EXPECT_EQ(Classify(Exited(1), false, {{K::Refused, 0, 3, "`../x` leaves"}, FileWarning("w")}).message,
            "line 3: refused: `../x` leaves");
  EXPECT_EQ(Classify(Exited(1), false, {FileWarning("w"), {K::Refused, 0, 3, "`../x` leaves"}}).message, "w");
  // A file the copy left out is named with the grader's reason, whichever
  // way the check wrote its path.
  const FileReasons reasons = {{"micro.txt", "`micro.txt` is a link, not a file"},
                               {"sub/prog.txt", "`sub/prog.txt` is a FIFO, not a file"}};
  EXPECT_EQ(
      Classify(Exited(1), false, Facts{FileWarning("无法读取文件：micro.txt", "micro.txt")} + failed, reasons).message,
      "`micro.txt` is a link, not a file");
  EXPECT_EQ(Classify(Exited(1), false, {FileWarning("x", "./sub/../sub/prog.txt")}, reasons).message,
            "`sub/prog.txt` is a FIFO, not a file");
  EXPECT_EQ(
      Classify(Exited(1), false, {FileWarning("无法读取文件：/abs/micro.txt", "/abs/micro.txt")}, reasons).message,
      "无法读取文件：/abs/micro.txt");
  // A session that could not be read at all says why, the copy's reason first.
  EXPECT_EQ(Classify(Exited(1), false, {Stopped("`session.orrin` is missing")}).message, "`session.orrin` is missing");
  EXPECT_EQ(Classify(Exited(1), false, {Stopped("missing")}, {{"session.orrin", "a link"}}).message, "a link");
}

TEST(GradeFacts, RecordsOfAnyBytesReadBackAndACutRecordIsDropped) {
  const Facts facts = {{K::ExpectFailed, 0, 9, "line 9: expected R0=7F, got \n35 3 4\n"},
                       {K::FileProblem, 0, 0, std::string("a\0b", 3), "\xD5\xC5 x\n"},
                       {K::Tally, 123456789012, -1},
                       {K::Refused, 0, 2, ""}};
  std::string records;
  for (const RunFact& f : facts) records += EncodeFact(f);
  EXPECT_EQ(DecodeFacts(records), facts);
  // Killed while writing the last record: the ones before it stay.
  for (size_t cut = 1; cut < EncodeFact(facts.back()).size(); ++cut)
    EXPECT_EQ(DecodeFacts(records.substr(0, records.size() - cut)), Facts(facts.begin(), facts.end() - 1)) << cut;
  EXPECT_TRUE(DecodeFacts("").empty());
  EXPECT_TRUE(DecodeFacts("10 0 0 0 0\n\n").empty()) << "an unknown kind";
  EXPECT_TRUE(DecodeFacts("1 0 0 -1 0\n\n").empty());
  EXPECT_TRUE(DecodeFacts("1 0 0 99999999999999999999 0\n").empty());
  EXPECT_TRUE(DecodeFacts("1 0 0 2 0\nabc").empty()) << "a record must end where its lengths say";
}

TEST(GradePrintable, NamesThatAreNotUtf8OrHoldControlsAreEscaped) {
  EXPECT_EQ(PrintableText("anna/张三 ok"), "anna/张三 ok");
  EXPECT_EQ(PrintableText("\xD5\xC5\xC8\xFD"), "\\xD5\\xC5\\xC8\\xFD");  // 张三 in GBK
  EXPECT_EQ(PrintableText("a\nb\rc\td\x1b[31m\x7f"), "a\\x0Ab\\x0Dc\\x09d\\x1B[31m\\x7F");
  EXPECT_EQ(PrintableText("\xC2\x9B"
                          "2J"),
            "\\xC2\\x9B2J");                                                      // a C1 control
  EXPECT_EQ(PrintableText("\xC0\xAF\xED\xA0\x80"), "\\xC0\\xAF\\xED\\xA0\\x80");  // overlong, surrogate
  EXPECT_EQ(PrintableText("\xE4\xB8"), "\\xE4\\xB8");                             // cut short
  // Two-byte characters are characters; an overlong form of any length is not.
  EXPECT_EQ(PrintableText("caf\xC3\xA9 \xDF\xBF"), "caf\xC3\xA9 \xDF\xBF");
  EXPECT_EQ(PrintableText("\xE0\x80\xAF"), "\\xE0\\x80\\xAF");
  EXPECT_EQ(PrintableText("\xE0\xA0\x80"), "\xE0\xA0\x80");  // U+0800, the first of three bytes
  // A byte that leads no sequence stays escaped, whatever follows it.
  EXPECT_EQ(PrintableText("\xC1\x90\x80\x80"), "\\xC1\\x90\\x80\\x80");
  EXPECT_EQ(PrintableText("\xF5\x80\x80\x80"), "\\xF5\\x80\\x80\\x80");
  EXPECT_EQ(PrintableText("\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80");  // past the BMP is fine
  // U+FFFE and U+FFFF are no characters XML 1.0 takes; U+FFFD is.
  EXPECT_EQ(PrintableText("\xEF\xBF\xBE\xEF\xBF\xBF\xEF\xBF\xBD"), "\\xEF\\xBF\\xBE\\xEF\\xBF\\xBF\xEF\xBF\xBD");
}

// A small CSV reader: the fields of each record, quotes undone.
std::vector<std::vector<std::string>> ParseCsv(const std::string& csv) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    if (quoted) {
      if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
        rows.back().back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        rows.back().back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      rows.back().emplace_back();
    } else if (c == '\n') {
      rows.emplace_back(1);
    } else {
      rows.back().back() += c;
    }
  }
  rows.pop_back();  // after the last line end
  return rows;
}

std::vector<GradeResult> HostileResults() {
  return {
      {"class/anna/", "failed", 1, 1, "line 3: expected R0=7F, got \"35\"", {"line 3: expected R0=7F, got \"35\""}, {}},
      {"class/ben", "timeout", 0, 0, "ran past its time limit", {}, {}},
      {"class/cleo", "failed", 0, 0, "无法读取文件：wires.txt", {}, "无法读取文件：wires.txt"},
      {"class/\xD5\xC5,\"x\"\n<&>",
       "failed",
       0,
       1,
       "line 5: expected A=\x01\x02, got ]]>\xFF",
       {"line 5: expected A=\x01\x02, got ]]>\xFF"},
       "`m.txt` is a link, not a file"}};
}

TEST(GradeReports, TheCsvParsesBackToEveryResultWhateverTheNames) {
  const auto results = HostileResults();
  const auto rows = ParseCsv(CsvReport(results));
  ASSERT_EQ(rows.size(), results.size() + 1);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"submission", "status", "passed", "failed", "message", "points"}));
  for (size_t i = 0; i < results.size(); ++i) {
    const auto& row = rows[i + 1];
    ASSERT_EQ(row.size(), 6u) << i;
    EXPECT_EQ(row[5], std::to_string(results[i].points) + "/" + std::to_string(results[i].maxPoints));
    EXPECT_EQ(row[0], PrintableText(results[i].submission));
    EXPECT_EQ(row[1], results[i].status);
    EXPECT_EQ(row[2], std::to_string(results[i].passed));
    EXPECT_EQ(row[4], PrintableText(results[i].message));
    for (char c : row[0] + row[4]) EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20) << i;
  }
}

TEST(GradeReports, JUnitHasACasePerExpectLineAndKeepsTheFileReason) {
  const auto results = HostileResults();
  const auto expects = ExpectLines("power\n# x\nexpect R0=7F\r\n  expect PC=01 # y\rexpect A=<1>\n");
  ASSERT_EQ(expects.size(), 3u);
  EXPECT_EQ(expects[0].number, 3);
  EXPECT_EQ(expects[1].number, 4);
  EXPECT_EQ(expects[1].text, "expect PC=01 # y");
  EXPECT_EQ(expects[2].number, 5);  // a lone CR ends a line, as the runner reads it
  const std::string xml = JUnitReport(results, expects);
  EXPECT_NE(xml.find("<testsuite name=\"anna\" tests=\"3\" failures=\"1\" errors=\"0\">"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<failure message=\"line 3: expected R0=7F, got &quot;35&quot;\">"), std::string::npos);
  EXPECT_NE(xml.find("<testsuite name=\"ben\" tests=\"3\" failures=\"0\" errors=\"3\">"), std::string::npos);
  EXPECT_NE(xml.find("<testcase classname=\"cleo\" name=\"check\">"), std::string::npos);
  // Expectations failed and a file could not be used: both are reported.
  EXPECT_NE(xml.find("<testsuite name=\"\\xD5\\xC5,&quot;x&quot;\\x0A&lt;&amp;&gt;\" tests=\"4\" failures=\"2\""),
            std::string::npos)
      << xml;
  EXPECT_NE(xml.find("<failure message=\"`m.txt` is a link, not a file\"/>"), std::string::npos);
  // Nothing a reader of XML 1.0 refuses: no control characters, valid UTF-8.
  EXPECT_EQ(PrintableText(xml), [&] {
    std::string escaped;
    for (char c : xml) escaped += c == '\n' ? std::string("\\x0A") : std::string(1, c);
    return escaped;
  }());
  EXPECT_EQ(xml.find("]]>"), std::string::npos);
}

TEST(GradeArgs, BadArgumentsAreRefusedBeforeAnyWork) {
  GradeOptions o;
  std::string error;
  EXPECT_FALSE(ParseGradeArgs({}, o, error));
  EXPECT_FALSE(ParseGradeArgs({"-j"}, o, error));
  EXPECT_EQ(error, "-j needs a value");
  EXPECT_FALSE(ParseGradeArgs({"--timeout", "0", "a", "b"}, o, error));
  EXPECT_FALSE(ParseGradeArgs({"/no/such/check.orrin", "/tmp"}, o, error));
  EXPECT_EQ(error, "cannot read the check script /no/such/check.orrin");

  const fs::path dir = fs::temp_directory_path() / ("orrin_gradeargs_" + std::to_string(getpid()));
  fs::create_directories(dir / "-anna");
  const std::string check = (dir / "check.orrin").string();
  std::ofstream(check) << "expect R0=00\n";
  // A time limit is a number of seconds above 0.
  EXPECT_FALSE(ParseGradeArgs({"--timeout", "0", check, dir.string()}, o, error));
  EXPECT_EQ(error, "--timeout needs a number of seconds above 0");
  EXPECT_FALSE(ParseGradeArgs({"--timeout", "-1", check, dir.string()}, o, error));
  o = {};
  EXPECT_TRUE(ParseGradeArgs({"--timeout", "0.5", check, dir.string()}, o, error)) << error;
  EXPECT_EQ(o.timeout, 0.5);
  // A report must not replace the check it grades with.
  EXPECT_FALSE(ParseGradeArgs({"--csv", check, check, dir.string()}, o, error));
  EXPECT_EQ(error, "the report " + check + " would overwrite the check");
  EXPECT_FALSE(ParseGradeArgs({"--junit", (dir / "." / "check.orrin").string(), check, dir.string()}, o, error));
  EXPECT_FALSE(ParseGradeArgs({"--gradebook", check, check, dir.string()}, o, error));
  o = {};
  EXPECT_FALSE(ParseGradeArgs({"--csv", "g.csv", "--gradebook", "g.csv", check, dir.string()}, o, error));
  EXPECT_EQ(error, "--csv and --gradebook name the same file");
  o = {};
  EXPECT_FALSE(ParseGradeArgs({"--junit", "g.xml", "--report", "g.xml", check, dir.string()}, o, error));
  EXPECT_EQ(error, "--junit and --report name the same file");
  o = {};
  EXPECT_TRUE(ParseGradeArgs({"--junit", "g.xml", "--gradebook", "g.csv", check, dir.string()}, o, error)) << error;
  EXPECT_EQ(o.gradebook, "g.csv");
  EXPECT_FALSE(ParseGradeArgs({"--frob", check, dir.string()}, o, error));
  EXPECT_EQ(error, "unknown option --frob");
  o = {};
  EXPECT_TRUE(ParseGradeArgs({"--report", "r.html", "--lang", "en", check, dir.string()}, o, error)) << error;
  EXPECT_EQ(o.report, "r.html");
  EXPECT_TRUE(o.english);
  ASSERT_EQ(mkfifo((dir / "fifo.html").c_str(), 0600), 0);
  EXPECT_FALSE(ParseGradeArgs({"--report", (dir / "fifo.html").string(), check, dir.string()}, o, error));
  EXPECT_EQ(error, "the report " + (dir / "fifo.html").string() + " is not a file");
  EXPECT_FALSE(ParseGradeArgs({"--lang", "fr", check, dir.string()}, o, error));
  EXPECT_EQ(error, "--lang takes en or zh");
  // "--" ends the options: a folder may start with a dash.
  o = {};
  EXPECT_FALSE(ParseGradeArgs({check, (dir / "-anna").string(), "-anna"}, o, error)) << "-anna is an unknown option";
  ASSERT_EQ(chdir(dir.c_str()), 0);
  EXPECT_TRUE(ParseGradeArgs({"-j", "2", "--", check, "-anna"}, o, error)) << error;
  EXPECT_EQ(o.submissions, (std::vector<std::string>{"-anna"}));
  ASSERT_EQ(chdir("/"), 0);
  fs::remove_all(dir);
}

// Points: an expect line earns its points when it ran without a failure (not
// when the run stopped before it), a lab's step when it was done, the whole
// run's case when it passed; the gradebook carries them.
TEST(GradePoints, EachCaseEarnsItsPointsOnlyWhenItHeld) {
  const auto expects = ExpectLines("power\nexpect R0=00 points: 3\nexpect PC=01\nexpect IR=00 points: 2\n");
  ASSERT_EQ(expects.size(), 3u);
  EXPECT_EQ(expects[0].points, 3);
  EXPECT_EQ(expects[1].points, 1);
  // Line 2 held, line 3 failed, line 4 was never reached (a bad line before it).
  GradeResult r = Classify(
      Exited(2), false,
      {{K::Checked, 0, 2}, Failed(3, "line 3: expected PC=01, got 00"), {K::Checked, 0, 3}, Stopped("line 4: x")});
  Score(r, expects);
  EXPECT_EQ(r.points, 3);
  EXPECT_EQ(r.maxPoints, 6);
  r = Classify(Exited(0), false, {{K::Checked, 0, 2}, {K::Checked, 0, 3}, {K::Checked, 0, 4}, Tally(3, 0)});
  Score(r, expects);
  EXPECT_EQ(r.points, 6);

  // A lab: the steps done in order.
  const std::vector<ExpectLine> steps = {{1, "s", "step 1: ", 2}, {2, "s", "step 2: ", 5}, {3, "s", "step 3: ", 1}};
  r = Classify(Exited(1), false, {{K::StepDone, 1, 4}, {K::StepDone, 2, 9}}, {}, 3);
  Score(r, steps);
  EXPECT_EQ(r.points, 7);
  EXPECT_EQ(r.maxPoints, 8);
  // The whole run's one case.
  const std::vector<ExpectLine> whole = {{1, "compare", "line ", 4, true}};
  r = Classify(Exited(0), false, {Tally(1, 0)});
  Score(r, whole);
  EXPECT_EQ(r.points, 4);
  r = Classify(Exited(1), false, {Failed(5, "line 5: differs"), Tally(0, 1)});
  Score(r, whole);
  EXPECT_EQ(r.points, 0);

  r.submission = "class/ann/";
  r.status = "failed";
  r.points = 2;
  r.maxPoints = 4;
  GradeResult gbk = r;
  gbk.submission = "class/\xD5\xC5\xC8\xFD";  // 张三 in GBK
  GradeResult odd = r;
  odd.submission = "x/a,\"b\"";
  EXPECT_EQ(GradebookReport({r, gbk, odd}),
            "identifier,points,maximum,status\nann,2,4,failed\n张三,2,4,failed\n\"a,\"\"b\"\"\",2,4,failed\n");
}

// A check whose expect line cannot be checked is refused before any work.
TEST(GradePoints, AMalformedCheckIsFoundBeforeGrading) {
  EXPECT_EQ(CheckScriptProblem("power\nexpect R0=00 points: 2\nexpect PC<20 uAR@cycle:3=21\n"), "");
  EXPECT_EQ(CheckScriptProblem("power\nexpect R0=00\nexpect R0>=100\n"),
            "line 3: R0>=100: R0 is compared with a hex value of at most 2 digits");
  EXPECT_EQ(CheckScriptProblem("expect NOPE=1\n"), "line 1: unknown name 'NOPE'");
  EXPECT_EQ(CheckScriptProblem("expect R0=00 points: 1001\n"), "line 1: 'points:' needs a number of points 1-1000");
}

struct CopyDir : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("orrin_gradecopy_" + std::to_string(getpid()));
  fs::path from = dir / "anna", to = dir / "copy", other = dir / "ben";
  CopyDir() {
    fs::remove_all(dir);
    fs::create_directories(from / "sub" / "deeper");
    fs::create_directories(other);
  }
  ~CopyDir() override { fs::remove_all(dir); }
  static void Put(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
  static std::string Get(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
};

TEST_F(CopyDir, RegularFilesAndFoldersAreCopiedEverythingElseIsNamed) {
  Put(from / "prog.txt", "0102");
  Put(from / "sub" / "deeper" / "wires.txt", "x");
  Put(from / "\xD5\xC5.txt", "gbk");
  Put(other / "prog.txt", "ben's");
  fs::create_symlink(other / "prog.txt", from / "micro.txt");
  fs::create_directory_symlink(other, from / "friend");
  fs::create_symlink(from / "missing", from / "dangling");
  ASSERT_EQ(mkfifo((from / "sub" / "pipe.txt").c_str(), 0600), 0);
  Put(from / "huge.txt", std::string((1 << 20) + 5000, 'A'));
  // A lab's session may be longer than any board file: it is copied whole.
  Put(from / "session.orrin", std::string(1500000, '\n'));

  FileReasons reasons;
  ASSERT_TRUE(CopySubmission(from.string(), to.string(), reasons));
  EXPECT_EQ(Get(to / "prog.txt"), "0102");
  EXPECT_EQ(Get(to / "sub" / "deeper" / "wires.txt"), "x");
  EXPECT_EQ(Get(to / "\xD5\xC5.txt"), "gbk");
  // Cut one byte past the largest file a reader takes: still "too large".
  EXPECT_EQ(fs::file_size(to / "huge.txt"), (1u << 20) + 1);
  EXPECT_EQ(fs::file_size(to / "session.orrin"), 1500000u);
  for (const char* absent : {"micro.txt", "friend", "dangling", "sub/pipe.txt"})
    EXPECT_FALSE(fs::exists(fs::symlink_status(to / absent))) << absent;
  EXPECT_EQ(reasons["micro.txt"], "`micro.txt` is a link, not a file");
  EXPECT_EQ(reasons["friend"], "`friend` is a link, not a file");
  EXPECT_EQ(reasons["dangling"], "`dangling` is a link, not a file");
  EXPECT_EQ(reasons["sub/pipe.txt"], "`sub/pipe.txt` is a FIFO, not a file");
  EXPECT_EQ(reasons.size(), 4u);
  // Writing into the copy cannot reach the other student.
  Put(to / "micro.txt", "overwritten");
  EXPECT_EQ(Get(other / "prog.txt"), "ben's");
}

TEST_F(CopyDir, DeepOrCrowdedFoldersAreCutWithAReason) {
  fs::path deep = from;
  for (int i = 0; i < 10; ++i) deep /= "d";
  fs::create_directories(deep);
  FileReasons reasons;
  ASSERT_TRUE(CopySubmission(from.string(), to.string(), reasons));
  EXPECT_EQ(reasons["d/d/d/d/d/d/d/d/d"], "`d/d/d/d/d/d/d/d/d` was not copied: folders nest too deep");
  EXPECT_TRUE(fs::is_directory(to / "d/d/d/d/d/d/d/d"));

  for (int i = 0; i < 2100; ++i)
    Put(other / std::string("f").append(std::to_string(i)), "");  // not "f" + ...: GCC 12 -O3 -Wrestrict
  FileReasons crowded;
  ASSERT_TRUE(CopySubmission(other.string(), (dir / "copy3").string(), crowded));
  EXPECT_EQ(crowded.size(), 100u);
  for (const auto& [path, why] : crowded) EXPECT_EQ(why, "`" + path + "` was not copied: the folder holds too much");
  FileReasons none;
  EXPECT_FALSE(CopySubmission((dir / "nobody").string(), (dir / "copy2").string(), none));
  EXPECT_FALSE(none[""].empty());
}

}  // namespace
}  // namespace orrin

namespace orrin {
namespace {

// What `orrin-run --lab` told, as the grader reads it back.
const Facts kTwoDone = {{K::StepDone, 1, 2}, {K::WrongAnswer, 3, 5}, {K::StepDone, 2, 7}};

TEST(GradeLab, StepsDoneBeforeATimeoutACrashOrABadLineStillCount) {
  GradeResult r = Classify(SIGKILL, true, kTwoDone, {}, 5);
  EXPECT_EQ(r.status, "timeout");
  EXPECT_EQ(r.passed, 2);
  EXPECT_EQ(r.failed, 3);
  EXPECT_EQ(r.message, "ran past its time limit (2 of 5 steps done)");
  r = Classify(SIGSEGV, false, kTwoDone, {}, 5);
  EXPECT_EQ(r.status, "error");
  EXPECT_EQ(r.message, "crashed (signal 11) (2 of 5 steps done)");
  r = Classify(Exited(2), false, kTwoDone + Facts{Stopped("line 9: unknown command 'frob'")}, {}, 5);
  EXPECT_EQ(r.status, "error");
  EXPECT_EQ(r.passed, 2);
  EXPECT_EQ(r.message, "line 9: unknown command 'frob' (2 of 5 steps done)");
  // All done, then an endless run: the steps are kept, the grade still says what happened.
  r = Classify(SIGKILL, true, kTwoDone, {}, 2);
  EXPECT_EQ(r.passed, 2);
  EXPECT_EQ(r.failed, 0);
  EXPECT_EQ(r.status, "timeout");
  // A step out of order, or past the lab, counts nothing.
  EXPECT_EQ(Classify(SIGKILL, true, {{K::StepDone, 2, 1}}, {}, 5).passed, 0);
  EXPECT_EQ(Classify(SIGKILL, true, {{K::StepDone, 1, 1}, {K::StepDone, 2, 1}}, {}, 1).passed, 1);
  EXPECT_EQ(Classify(SIGKILL, true, {{K::StepDone, 1, 1}, {K::StepDone, 1, 2}}, {}, 3).passed, 1);
  // Without a lab the steps mean nothing.
  EXPECT_EQ(Classify(SIGKILL, true, kTwoDone).passed, 0);
}

TEST(GradeLab, TheMessageNamesAShortcutOrTheFirstFailingCheckAndWrongAnswersAreCounted) {
  const Facts shortcut = kTwoDone + Facts{{K::ReachedAfter, 3, 12, "edit R1"},
                                          {K::ReachedAfter, 3, 14, "edit R0"},
                                          {K::NotDone, 3, 0, "R1 expected 4A, got 00"}};
  GradeResult r = Classify(Exited(1), false, shortcut, {}, 4);
  EXPECT_EQ(r.status, "failed");
  EXPECT_EQ(r.message, "step 3 was reached after `edit R1` at line 12");
  EXPECT_EQ(r.failures.front(), "step 3: was reached after `edit R1` at line 12");
  EXPECT_EQ(r.wrongAnswers, (std::vector<int64_t>{0, 0, 1, 0}));

  r = Classify(Exited(1), false, kTwoDone + Facts{{K::NotDone, 3, 0, "R1 expected 4A, got 00"}}, {}, 4);
  EXPECT_EQ(r.message, "step 3 not done: R1 expected 4A, got 00");
  EXPECT_EQ(r.failures, (std::vector<std::string>{"step 3: not done: R1 expected 4A, got 00", "step 4: not done"}));
  // Only the step to do now explains itself.
  r = Classify(Exited(1), false, kTwoDone + Facts{{K::NotDone, 4, 0, "x"}, {K::ReachedAfter, 4, 1, "edit"}}, {}, 4);
  EXPECT_EQ(r.message, "step 3: not done");
  EXPECT_EQ(r.failures.front(), "step 3: not done");
  // A file the session could not use explains more than the check that then failed.
  r = Classify(Exited(1), false,
               Facts{FileWarning("无法读取文件：prog.txt")} + kTwoDone + Facts{{K::NotDone, 3, 0, "x"}}, {}, 4);
  EXPECT_EQ(r.message, "无法读取文件：prog.txt");
  r = Classify(Exited(1), false, {{K::Refused, 0, 3, "`../x` leaves the session's folder"}}, {}, 4);
  EXPECT_EQ(r.message, "line 3: refused: `../x` leaves the session's folder");
  // ... but not more than a shortcut.
  r = Classify(Exited(1), false, Facts{FileWarning("w")} + shortcut, {}, 4);
  EXPECT_EQ(r.message, "step 3 was reached after `edit R1` at line 12");
  // Every step done passes, whatever went wrong on the way.
  r = Classify(Exited(0), false, Facts{FileWarning("无法读取文件：old.txt")} + kTwoDone, {}, 2);
  EXPECT_EQ(r.status, "passed");
  EXPECT_EQ(r.message, "");
  EXPECT_EQ(r.WrongAnswerCount(), 0) << "a wrong answer to a step past the lab is not counted";
  // A session's own expect lines are no part of the grade: the steps are.
  r = Classify(Exited(1), false, kTwoDone + Facts{Failed(9, "line 9: expected R0=01, got 00"), Tally(0, 1)}, {}, 2);
  EXPECT_EQ(r.status, "passed");
  EXPECT_EQ(r.passed, 2);

  // The CSV's last column and the JUnit property carry them.
  r = Classify(Exited(1), false, shortcut, {}, 4);
  r.submission = "class/ann";
  const std::string csv = CsvReport({r}, true);
  EXPECT_EQ(csv,
            "submission,status,passed,failed,message,wrong_answers,points\n"
            "class/ann,failed,2,2,step 3 was reached after `edit R1` at line 12,1,0/0\n");
  EXPECT_EQ(CsvReport({r}).find("wrong_answers"), std::string::npos) << "a check's CSV is as it was";
  std::vector<ExpectLine> steps;
  for (int n = 1; n <= 4; ++n)
    steps.push_back({n, "step " + std::to_string(n) + ": s", "step " + std::to_string(n) + ": "});
  const std::string xml = JUnitReport({r}, steps);
  EXPECT_NE(xml.find("name=\"step 3: s\">\n      <properties><property name=\"wrong_answers\" value=\"1\"/><property "
                     "name=\"points\" value=\"1\"/><property name=\"points_earned\" value=\"0\"/></properties>"),
            std::string::npos)
      << xml;
  EXPECT_NE(xml.find("tests=\"4\" failures=\"2\" errors=\"0\""), std::string::npos) << xml;

  // A timeout: the steps done pass, the others are errors.
  GradeResult t = Classify(SIGKILL, true, kTwoDone, {}, 4);
  t.submission = "class/bo";
  EXPECT_NE(JUnitReport({t}, steps).find("tests=\"4\" failures=\"0\" errors=\"2\""), std::string::npos);
}

// The report's page: its numbers are the results', every text escaped, a
// lab's times from the sessions' records drawn as their spread.
TEST(GradeReports, TheHtmlReportCarriesTheNumbersOfTheResults) {
  std::vector<GradeResult> results(4);
  const char* const statuses[] = {"passed", "failed", "timeout", "failed"};
  for (size_t i = 0; i < results.size(); ++i) {
    results[i].submission = "class/s" + std::to_string(i);
    results[i].status = statuses[i];
    results[i].passed = static_cast<int64_t>(3 - i);
    results[i].failed = static_cast<int64_t>(i);
    results[i].seconds = 0.5 * static_cast<double>(i);
  }
  results[3].submission = "class/<b>&\xFF";
  results[3].message = "line 4: expected R0=<1>, got 00";
  // Steps 1 and 2 of a lab: s0 took 10 s and 20 s, s1 30 s and 40 s; s1 used step 2's hint.
  results[0].stepDoneMs = {10000, 30000};
  results[1].stepDoneMs = {30000, 70000};
  results[0].hintsUsed = {false, false};
  results[1].hintsUsed = {false, true};
  results[1].wrongAnswers = {0, 2};
  for (GradeResult& r : results) r.passed = std::min<int64_t>(r.passed, 2);
  const std::vector<ExpectLine> steps = {{1, "step 1: <one>", "step 1: "}, {2, "step 2: two", "step 2: "}};
  for (GradeResult& r : results) Score(r, steps);
  const std::string page = HtmlReport(results, steps, {"/tmp/r/report.html", "/tmp/r/t.lab", true, true});
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n<html lang=\"en\">")) << page.substr(0, 80);
  EXPECT_NE(page.find("data-status=\"passed\">1<"), std::string::npos);
  EXPECT_NE(page.find("data-status=\"failed\">2<"), std::string::npos);
  EXPECT_NE(page.find("data-status=\"timeout\">1<"), std::string::npos);
  EXPECT_NE(page.find("data-status=\"error\">0<"), std::string::npos);
  // Step 1 done by three of the four (s3 did none), step 2 by two: in percent.
  EXPECT_NE(page.find(">75%</text>"), std::string::npos);
  EXPECT_NE(page.find(">50%</text>"), std::string::npos);
  EXPECT_NE(page.find("data-passed=\"3\""), std::string::npos) << page;
  EXPECT_NE(page.find("data-passed=\"2\""), std::string::npos);
  // Step 1: 10 s and 30 s, median 20 s; step 2: 20 s and 40 s, median 30 s.
  EXPECT_NE(page.find("00:20 <span class=\"muted\">(00:15–00:25)"), std::string::npos) << page;
  EXPECT_NE(page.find("00:30 <span class=\"muted\">(00:25–00:35)"), std::string::npos);
  EXPECT_NE(page.find("<td class=\"n\">1</td><td class=\"n\">2</td></tr>"), std::string::npos) << "hints, wrong";
  // Escaped: no text can open a tag; bytes that are not UTF-8 as \xHH.
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_EQ(page.find("<one>"), std::string::npos);
  EXPECT_NE(page.find("class/&lt;b&gt;&amp;\\xFF"), std::string::npos);
  EXPECT_NE(page.find("expected R0=&lt;1&gt;"), std::string::npos);
  // The slowest first: s1's lab took 70 s, s0's 30 s, then the runs' own times.
  const size_t slowest = page.find("<section id=\"slowest\">");
  EXPECT_LT(page.find("class/s1 — 01:10", slowest), page.find("class/s0 — 00:30", slowest));
  EXPECT_NE(page.find("class/s2 — timeout, 1/3"), std::string::npos) << "never finished";
  // A check's failing line links to the check, relative to the page, each
  // byte a URL may not hold percent-encoded.
  GradeResult line = results[3];
  line.submission = "class/x";
  const std::string linked =
      HtmlReport({line}, {{4, "expect R0=1"}}, {"/tmp/r/out/report.html", "/tmp/r/我的 check.orrin", false, true});
  EXPECT_NE(linked.find("href=\"../%E6%88%91%E7%9A%84%20check.orrin\""), std::string::npos) << linked;
  // In Chinese by default.
  const std::string zh = HtmlReport(results, steps, {"/tmp/r/report.html", "/tmp/r/t.lab", true, false});
  EXPECT_TRUE(zh.starts_with("<!DOCTYPE html>\n<html lang=\"zh-CN\">"));
  EXPECT_NE(zh.find("每份提交"), std::string::npos);
}

// The record a saved session keeps of each step's time and hint.
TEST(GradeReports, ALabRecordReadsBackOnlyWhenItFitsTheLab) {
  const auto r = ReadLabRecord("# replay\n# lab-done-ms: 1200 - 5000\n# lab-hints: 0 1 0\npower\n", 3);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->doneMs, (std::vector<int64_t>{1200, -1, 5000}));
  EXPECT_EQ(r->hints, (std::vector<bool>{false, true, false}));
  EXPECT_FALSE(ReadLabRecord("# lab-done-ms: 1 2\n# lab-hints: 0 0\n", 3)) << "another lab's";
  EXPECT_FALSE(ReadLabRecord("# lab-done-ms: 1 x 3\n# lab-hints: 0 0 0\n", 3));
  EXPECT_FALSE(ReadLabRecord("# lab-done-ms: 1 2 3\n", 3)) << "no hints";
  EXPECT_FALSE(ReadLabRecord("power\n", 3));
}

}  // namespace
}  // namespace orrin
