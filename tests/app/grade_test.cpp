// How orrin-grade reads a finished check and writes its reports.
#include "app/grade.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <csignal>

namespace orrin {
namespace {

int Exited(int code) { return code << 8; }  // as waitpid reports an exit

TEST(GradeClassify, StatusFromTheRunnersExitAndOutput) {
  GradeResult r = Classify(Exited(0), false, "ran 3 ticks\n2 passed, 0 failed\n", "");
  EXPECT_EQ(r.status, "passed");
  EXPECT_EQ(r.passed, 2);

  r = Classify(Exited(1), false, "line 9: expected R0=7F, got 35\n1 passed, 1 failed\n", "");
  EXPECT_EQ(r.status, "failed");
  EXPECT_EQ(r.failed, 1);
  EXPECT_EQ(r.message, "line 9: expected R0=7F, got 35");

  // A student's file that cannot be used fails the submission with the program's warning.
  r = Classify(Exited(1), false, "警告: 无法读取文件：prog.txt\nline 9: expected R0=7F, got 00\n0 passed, 1 failed\n",
               "");
  EXPECT_EQ(r.status, "failed");
  EXPECT_EQ(r.message, "无法读取文件：prog.txt");
  // Other warnings are the check's business.
  EXPECT_EQ(Classify(Exited(0), false, "警告: 电源没开，内存无法写入！\n", "").status, "passed");

  r = Classify(Exited(2), false, "", "line 4: unknown command 'x'\n");
  EXPECT_EQ(r.status, "error");
  EXPECT_EQ(r.message, "line 4: unknown command 'x'");
  EXPECT_EQ(Classify(SIGSEGV, false, "", "").status, "error");
  EXPECT_EQ(Classify(SIGKILL, true, "", "").status, "timeout");
}

TEST(GradeReports, CsvQuotesAndJUnitHasACasePerExpectLine) {
  std::vector<GradeResult> results = {
      {"class/anna/", "failed", 1, 1, "line 3: expected R0=7F, got \"35\"", {"line 3: expected R0=7F, got \"35\""}},
      {"class/ben", "timeout", 0, 0, "ran past its time limit", {}},
      {"class/cleo", "failed", 0, 0, "无法读取文件：wires.txt", {}}};
  EXPECT_EQ(CsvReport(results),
            "submission,status,passed,failed,message\n"
            "class/anna/,failed,1,1,\"line 3: expected R0=7F, got \"\"35\"\"\"\n"
            "class/ben,timeout,0,0,ran past its time limit\n"
            "class/cleo,failed,0,0,无法读取文件：wires.txt\n");

  const auto expects = ExpectLines("power\n# x\nexpect R0=7F\n  expect PC=01 # y\n");
  ASSERT_EQ(expects.size(), 2u);
  EXPECT_EQ(expects[0].number, 3);
  EXPECT_EQ(expects[1].text, "expect PC=01 # y");
  const std::string xml = JUnitReport(results, expects);
  EXPECT_NE(xml.find("<testsuite name=\"anna\" tests=\"2\" failures=\"1\" errors=\"0\">"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<failure message=\"line 3: expected R0=7F, got &quot;35&quot;\">"), std::string::npos);
  EXPECT_NE(xml.find("<testsuite name=\"ben\" tests=\"2\" failures=\"0\" errors=\"2\">"), std::string::npos);
  // The unreadable file has no expect line to carry it.
  EXPECT_NE(xml.find("<testcase classname=\"cleo\" name=\"check\">"), std::string::npos);
  EXPECT_NE(xml.find("<testsuites name=\"orrin-grade\" tests=\"7\" failures=\"2\" errors=\"2\">"), std::string::npos);
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
}

}  // namespace
}  // namespace orrin
