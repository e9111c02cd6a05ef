// English looked up by the Chinese text, composed messages through their
// patterns, and the .ts reader orrin-run uses.
#include "base/translation.h"

#include <gtest/gtest.h>

namespace orrin {
namespace {

using Parts = std::vector<std::string>;

TEST(Translation, PatternsFindTheVaryingParts) {
  EXPECT_EQ(MatchPattern("无法读取文件：%1", "无法读取文件：/tmp/a b.txt"), Parts{"/tmp/a b.txt"});
  EXPECT_EQ(MatchPattern("'%1'连%2根线", "'LPC'连3根线"), (Parts{"LPC", "3"}));
  // Parts may be empty, and may come in another order in the translation.
  EXPECT_EQ(MatchPattern("'%1'连%2根线", "''连根线"), (Parts{"", ""}));
  EXPECT_EQ(FillPattern("'%1' has %2 wires", {"LPC", "3"}), "'LPC' has 3 wires");
  EXPECT_EQ(FillPattern("%2 wires at '%1'", {"LPC", "3"}), "3 wires at 'LPC'");
  // Not of the pattern: another head, tail, or a missing middle.
  EXPECT_FALSE(MatchPattern("无法读取文件：%1", "无法写入文件：x"));
  EXPECT_FALSE(MatchPattern("'%1'连%2根线", "'LPC'连3根"));
  EXPECT_FALSE(MatchPattern("'%1'连%2根线", "'LPC'3根线"));
  EXPECT_FALSE(MatchPattern("no parts", "no parts"));
}

TEST(Translation, TheCatalogReadsFinishedMessagesOfATsFile) {
  const char* ts = R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>orrin</name>
    <message>
        <location filename="x.cpp" line="1"/>
        <source>信号入&lt;-信号出</source>
        <translation>Input &lt;- output</translation>
    </message>
    <message>
        <source>无法读取文件：%1</source>
        <translation>Cannot read the file: %1</translation>
    </message>
    <message>
        <source>连线中途点坐标</source>
        <translation type="unfinished">Waypoints</translation>
    </message>
    <message>
        <source>电源</source>
        <translation></translation>
    </message>
    <message>
        <source>“独立”&amp;&#x9;</source>
        <translation>"Independent"&amp;&#x9;</translation>
    </message>
</context>
</TS>
)";
  Catalog c;
  ASSERT_TRUE(c.ReadTs(ts));
  EXPECT_EQ(c.Size(), 3u);
  EXPECT_EQ(c("信号入<-信号出"), "Input <- output");
  EXPECT_EQ(c("无法读取文件：a.txt"), "Cannot read the file: a.txt");
  EXPECT_EQ(c("“独立”&\t"), "\"Independent\"&\t");
  // Unfinished and empty translations leave the Chinese as it is.
  EXPECT_EQ(c("连线中途点坐标"), "连线中途点坐标");
  EXPECT_EQ(c("电源"), "电源");
  EXPECT_FALSE(Catalog().ReadTs("not xml"));
}

}  // namespace
}  // namespace orrin
