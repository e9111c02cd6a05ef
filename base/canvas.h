#pragma once
// The working copy of the board picture on which wires are drawn, 0x00BBGGRR.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orrin {

class Canvas {
 public:
  static constexpr int Width = 856;
  static constexpr int Height = 578;

  Canvas() : pixels_(static_cast<size_t>(Width * Height), 0x00FFFFFF) {}

  uint32_t Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y * Width + x)]; }
  uint32_t* Data() { return pixels_.data(); }
  const uint32_t* Data() const { return pixels_.data(); }
  // Replaces the whole picture (the clean board picture at start and on clearing).
  void Load(const std::vector<uint32_t>& picture);

  uint32_t penColor = 0;
  int penWidth = 2;
  // A straight line with the pen in not-xor mode: pixel := NOT(pen XOR pixel).
  // Drawing the same segment twice restores every pixel.
  void DrawSegment(int x1, int y1, int x2, int y2);
  // Puts another picture under the wires drawn over `under`: every pixel
  // keeps what the wires did to it, since not-xor drawing is an exclusive or.
  void Rebase(const std::vector<uint32_t>& under, const std::vector<uint32_t>& picture);
  // Incremented whenever the pixels change, so the window knows to repaint.
  uint64_t version = 0;

 private:
  void Toggle(int x, int y);  // not-xor one pixel; outside the picture nothing
  std::vector<uint32_t> pixels_;
};

}  // namespace orrin
