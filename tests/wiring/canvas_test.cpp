#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "tests/wiring/wiring_util.h"

namespace orrin {
namespace {

struct Seg {
  int x1, y1, x2, y2;
};

// Segments of every slope, zero length, and ones running off the picture.
const Seg kSegments[] = {
    {10, 10, 200, 10},    {10, 10, 10, 200},     {742, 514, 619, 413}, {619, 413, 742, 514},
    {0, 0, 855, 577},     {855, 0, 0, 577},      {100, 100, 103, 180}, {50, 50, 50, 50},
    {-40, 300, 900, 310}, {400, -100, 420, 700}, {0, 577, 30, 577},    {855, 3, 855, 90},
};

TEST(Canvas, DrawingASegmentTwiceRestoresEveryPixel) {
  Canvas c;
  c.Load(PatternedBoard());
  const auto clean = Pixels(c);
  for (uint32_t pen : {0x00F0CAA6u, 0x00000000u, 0x00FFFFFFu, 0x000000FFu}) {
    c.penColor = pen;
    for (const Seg& s : kSegments) {
      c.DrawSegment(s.x1, s.y1, s.x2, s.y2);
      c.DrawSegment(s.x1, s.y1, s.x2, s.y2);
      ASSERT_EQ(Pixels(c), clean) << pen << " " << s.x1 << "," << s.y1 << "-" << s.x2 << "," << s.y2;
    }
  }
}

// The language changes the board picture under the wires: the result must be
// what drawing the same wires on the new picture gives, pixel for pixel.
TEST(Canvas, AnotherPictureUnderTheWiresIsAsIfTheyWereDrawnOnIt) {
  std::vector<uint32_t> other = PatternedBoard();
  for (size_t i = 0; i < other.size(); i += 7) other[i] ^= 0x00A5A5A5;
  Canvas moved, fresh;
  moved.Load(PatternedBoard());
  fresh.Load(other);
  for (Canvas* c : {&moved, &fresh}) {
    c->penColor = 0x00F0CAA6;
    for (const Seg& s : kSegments) c->DrawSegment(s.x1, s.y1, s.x2, s.y2);
  }
  const uint64_t before = moved.version;
  moved.Rebase(PatternedBoard(), other);
  EXPECT_EQ(Pixels(moved), Pixels(fresh));
  EXPECT_GT(moved.version, before);
}

TEST(Canvas, APolylineDrawnTwiceInAnyOrderRestoresThePicture) {
  Canvas c;
  c.Load(PatternedBoard());
  const auto clean = Pixels(c);
  c.penColor = 0x0012AB34;
  for (const Seg& s : kSegments) c.DrawSegment(s.x1, s.y1, s.x2, s.y2);
  EXPECT_NE(Pixels(c), clean);
  for (int i = static_cast<int>(std::size(kSegments)) - 1; i >= 0; --i)
    c.DrawSegment(kSegments[i].x1, kSegments[i].y1, kSegments[i].x2, kSegments[i].y2);
  EXPECT_EQ(Pixels(c), clean);
}

// Which pixels one segment changes, on a white picture with a black pen.
std::set<std::pair<int, int>> Changed(int x1, int y1, int x2, int y2) {
  Canvas c;  // white
  c.penColor = 0x00000000;
  c.DrawSegment(x1, y1, x2, y2);
  std::set<std::pair<int, int>> out;
  for (int y = 0; y < Canvas::Height; ++y)
    for (int x = 0; x < Canvas::Width; ++x)
      if (c.Pixel(x, y) != 0x00FFFFFFu) out.insert({x, y});
  return out;
}

TEST(Canvas, NotXorWithAWhitePenLeavesAWhitePictureAndABlackPenInvertsIt) {
  Canvas c;
  c.penColor = 0x00FFFFFF;  // NOT(white XOR white) = white
  c.DrawSegment(0, 0, 100, 0);
  EXPECT_EQ(c.Pixel(50, 0), 0x00FFFFFFu);
  c.penColor = 0x00000000;  // NOT(black XOR p) = NOT p
  c.DrawSegment(0, 0, 100, 0);
  EXPECT_EQ(c.Pixel(50, 0), 0x00000000u);
  EXPECT_EQ(c.Pixel(50, 1), 0x00000000u);
  EXPECT_EQ(c.Pixel(50, 2), 0x00FFFFFFu);
}

TEST(Canvas, ALineIsTwoPixelsWideAndStopsBeforeItsEndPoint) {
  // Horizontal: columns 10..19, rows 5 and 6; the end column 20 is left for
  // the next segment of the wire.
  const auto h = Changed(10, 5, 20, 5);
  EXPECT_EQ(h.size(), 20u);
  EXPECT_TRUE(h.count({10, 5}) && h.count({10, 6}) && h.count({19, 5}) && h.count({19, 6}));
  EXPECT_FALSE(h.count({20, 5}));
  // Steep: one row per step, two columns wide.
  const auto v = Changed(100, 100, 103, 180);
  EXPECT_EQ(v.size(), 160u);
  // Consecutive segments of a wire meet without a hole at the joint.
  Canvas c;
  c.penColor = 0;
  c.DrawSegment(10, 10, 30, 10);
  c.DrawSegment(30, 10, 30, 40);
  EXPECT_EQ(c.Pixel(30, 10), 0u);
  EXPECT_EQ(c.Pixel(29, 10), 0u);
  EXPECT_EQ(c.Pixel(30, 11), 0u);
}

TEST(Canvas, PartsOffThePictureAreClippedAndLoadingAWrongSizeIsIgnored) {
  const auto off = Changed(-1000, -1000, -10, -500);
  EXPECT_TRUE(off.empty());
  const auto across = Changed(-100, 300, 1000, 300);
  EXPECT_EQ(across.size(), 2u * Canvas::Width);

  Canvas c;
  const uint64_t before = c.version;
  c.Load(std::vector<uint32_t>(10, 0));  // not a board picture
  EXPECT_EQ(c.Pixel(0, 0), 0x00FFFFFFu);
  EXPECT_GT(c.version, before);
}

}  // namespace
}  // namespace orrin
