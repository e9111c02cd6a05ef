#pragma once
// Plain geometry for the layout, with the names a reader of the window's
// code knows (x(), width(), right() the last pixel inside …), so that both
// front ends read the same numbers: the window turns them into Qt's types,
// the web page gets them as data.
namespace orrin::layout {

struct Size {
  int w = 0, h = 0;
  constexpr int width() const { return w; }
  constexpr int height() const { return h; }
  constexpr bool operator==(const Size&) const = default;
};

struct Point {
  int px = 0, py = 0;
  constexpr int x() const { return px; }
  constexpr int y() const { return py; }
  constexpr bool operator==(const Point&) const = default;
};

struct Rect {
  int rx = 0, ry = 0, rw = 0, rh = 0;
  constexpr Rect() = default;
  constexpr Rect(int x, int y, int w, int h) : rx(x), ry(y), rw(w), rh(h) {}
  constexpr int x() const { return rx; }
  constexpr int y() const { return ry; }
  constexpr int width() const { return rw; }
  constexpr int height() const { return rh; }
  constexpr int right() const { return rx + rw - 1; }  // the last column inside, as Qt counts
  constexpr Size size() const { return {rw, rh}; }
  constexpr bool operator==(const Rect&) const = default;
};

}  // namespace orrin::layout

// Captions are marked for the window's catalogue where they are defined;
// without Qt the mark is the text itself.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif
