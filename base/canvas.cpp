// The board picture the wires are drawn on. Every line is drawn in not-xor
// mode, so drawing it again takes it off: that is how the rubber band follows
// the mouse and how a removed wire disappears without redrawing the board.
#include "base/canvas.h"

#include <cstdlib>

namespace orrin {

void Canvas::Load(const std::vector<uint32_t>& picture) {
  if (picture.size() == pixels_.size()) pixels_ = picture;
  ++version;
}

void Canvas::Toggle(int x, int y) {
  if (x < 0 || y < 0 || x >= Width || y >= Height) return;
  uint32_t& p = pixels_[static_cast<size_t>(y * Width + x)];
  // Only the colour bits take part; the top byte is left as it was so that
  // two passes restore the pixel exactly.
  p = (p & 0xFF000000u) | (~(penColor ^ p) & 0x00FFFFFFu);
}

// Bresenham along the major axis; a width-2 pen adds the neighbour across it.
// Each step of the major axis is a different column (or row), so no pixel of
// one segment is toggled twice. The end point itself is left out, as the
// platform's line drawing does: consecutive segments of a wire share their
// joint, and toggling it twice would punch a hole in the wire.
void Canvas::DrawSegment(int x1, int y1, int x2, int y2) {
  ++version;
  const int64_t dx = std::llabs(static_cast<int64_t>(x2) - x1);
  const int64_t dy = std::llabs(static_cast<int64_t>(y2) - y1);
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  const bool xMajor = dx >= dy;
  const int64_t steps = xMajor ? dx : dy;
  const int64_t minor = xMajor ? dy : dx;
  int64_t err = steps / 2;
  int x = x1, y = y1;
  for (int64_t i = 0; i < steps; ++i) {
    Toggle(x, y);
    if (penWidth >= 2) {
      if (xMajor)
        Toggle(x, y + 1);
      else
        Toggle(x + 1, y);
    }
    err -= minor;
    if (err < 0) {
      err += steps;
      if (xMajor)
        y += sy;
      else
        x += sx;
    }
    if (xMajor)
      x += sx;
    else
      y += sy;
  }
}

void Canvas::Rebase(const std::vector<uint32_t>& under, const std::vector<uint32_t>& picture) {
  if (under.size() != pixels_.size() || picture.size() != pixels_.size()) return;
  for (size_t i = 0; i < pixels_.size(); ++i) pixels_[i] ^= (under[i] ^ picture[i]) & 0x00FFFFFF;
  ++version;
}

}  // namespace orrin
