#ifndef ORRIN_NO_ZLIB
#include <zlib.h>
#endif

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "machine/trace_diagram.h"

// The diagram as a PNG without a toolkit, so that the headless runner can
// export pictures too: lines are rasterised one pixel wide (the cursor two),
// texts use a 5 x 7 pixel font of the characters signal names and values use.

namespace orrin {

namespace {

struct Glyph {
  char c;
  std::array<uint8_t, 7> rows;  // bit 4 is the leftmost pixel
};

constexpr Glyph kFont[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1E, 0x01, 0x01, 0x0E, 0x01, 0x01, 0x1E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'a', {0x00, 0x00, 0x0E, 0x01, 0x0F, 0x11, 0x0F}}, {'b', {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x1E}},
    {'c', {0x00, 0x00, 0x0E, 0x10, 0x10, 0x11, 0x0E}}, {'d', {0x01, 0x01, 0x0D, 0x13, 0x11, 0x11, 0x0F}},
    {'e', {0x00, 0x00, 0x0E, 0x11, 0x1F, 0x10, 0x0E}}, {'f', {0x06, 0x09, 0x08, 0x1C, 0x08, 0x08, 0x08}},
    {'g', {0x00, 0x0F, 0x11, 0x11, 0x0F, 0x01, 0x0E}}, {'h', {0x10, 0x10, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'i', {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x0E}}, {'j', {0x02, 0x00, 0x06, 0x02, 0x02, 0x12, 0x0C}},
    {'k', {0x10, 0x10, 0x12, 0x14, 0x18, 0x14, 0x12}}, {'l', {0x0C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'m', {0x00, 0x00, 0x1A, 0x15, 0x15, 0x11, 0x11}}, {'n', {0x00, 0x00, 0x16, 0x19, 0x11, 0x11, 0x11}},
    {'o', {0x00, 0x00, 0x0E, 0x11, 0x11, 0x11, 0x0E}}, {'p', {0x00, 0x00, 0x1E, 0x11, 0x1E, 0x10, 0x10}},
    {'q', {0x00, 0x00, 0x0D, 0x13, 0x0F, 0x01, 0x01}}, {'r', {0x00, 0x00, 0x16, 0x19, 0x10, 0x10, 0x10}},
    {'s', {0x00, 0x00, 0x0E, 0x10, 0x0E, 0x01, 0x1E}}, {'t', {0x08, 0x08, 0x1C, 0x08, 0x08, 0x09, 0x06}},
    {'u', {0x00, 0x00, 0x11, 0x11, 0x11, 0x13, 0x0D}}, {'v', {0x00, 0x00, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'w', {0x00, 0x00, 0x11, 0x11, 0x15, 0x15, 0x0A}}, {'x', {0x00, 0x00, 0x11, 0x0A, 0x04, 0x0A, 0x11}},
    {'y', {0x00, 0x00, 0x11, 0x11, 0x0F, 0x01, 0x0E}}, {'z', {0x00, 0x00, 0x1F, 0x02, 0x04, 0x08, 0x1F}},
    {'_', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1F}}, {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {'#', {0x0A, 0x0A, 0x1F, 0x0A, 0x1F, 0x0A, 0x0A}}, {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
};

struct Rgb {
  uint8_t r, g, b;
};

Rgb RgbOf(Ink ink) {
  const uint32_t c = InkRgb(ink);
  return {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)};
}

class Raster {
 public:
  Raster(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * static_cast<size_t>(h) * 3, 0xff) {}

  void Plot(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    uint8_t* p = &px_[(static_cast<size_t>(y) * static_cast<size_t>(w_) + static_cast<size_t>(x)) * 3];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
  }

  void Line(const DiagramLine& l) {
    const Rgb c = RgbOf(l.ink);
    const int x0 = static_cast<int>(std::floor(l.x0)), y0 = static_cast<int>(std::floor(l.y0));
    const int x1 = static_cast<int>(std::floor(l.x1)), y1 = static_cast<int>(std::floor(l.y1));
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
      if (l.ink == Ink::Cycle && i % 3 != 0) continue;  // dotted, as the window draws it
      const int x = steps ? x0 + (x1 - x0) * i / steps : x0, y = steps ? y0 + (y1 - y0) * i / steps : y0;
      Plot(x, y, c);
      if (l.ink == Ink::Cursor) Plot(x + 1, y, c);
    }
  }

  void Box(const DiagramBox& b) {
    const Rgb c = RgbOf(b.ink);
    const int x0 = static_cast<int>(std::floor(b.x)), x1 = static_cast<int>(std::ceil(b.x + b.w));
    const int y0 = static_cast<int>(std::floor(b.y)), y1 = static_cast<int>(std::ceil(b.y + b.h));
    for (int y = std::max(0, y0); y < std::min(h_, y1); ++y)
      for (int x = std::max(0, x0); x < std::min(w_, x1); ++x) Plot(x, y, c);
  }

  void Text(const DiagramText& t) {
    const Rgb c = RgbOf(t.ink);
    int x = static_cast<int>(t.x);
    const int y = static_cast<int>(t.y + (t.h - 7) / 2);
    for (char ch : t.text) {
      if (x + 5 > static_cast<int>(t.x + t.w)) break;
      const auto* g = std::find_if(std::begin(kFont), std::end(kFont), [ch](const Glyph& f) { return f.c == ch; });
      if (g != std::end(kFont))
        for (int row = 0; row < 7; ++row)
          for (int col = 0; col < 5; ++col)
            if (g->rows[static_cast<size_t>(row)] & (0x10 >> col)) Plot(x + col, y + row, c);
      x += 6;
    }
  }

  std::string Png() const {
    // Each scanline starts with filter byte 0 (none).
    std::string raw;
    raw.reserve(px_.size() + static_cast<size_t>(h_));
    for (int y = 0; y < h_; ++y) {
      raw += '\0';
      raw.append(reinterpret_cast<const char*>(&px_[static_cast<size_t>(y) * static_cast<size_t>(w_) * 3]),
                 static_cast<size_t>(w_) * 3);
    }
    const std::string packed = Deflate(raw);

    std::string header;
    Put32(header, static_cast<uint32_t>(w_));
    Put32(header, static_cast<uint32_t>(h_));
    header += std::string{8, 2, 0, 0, 0};  // 8-bit RGB, deflate, no filter choice, no interlace
    std::string out = "\x89PNG\r\n\x1a\n";
    Chunk(out, "IHDR", header);
    Chunk(out, "IDAT", packed);
    Chunk(out, "IEND", "");
    return out;
  }

 private:
  static void Put32(std::string& s, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) s += static_cast<char>((v >> shift) & 0xff);
  }
  static void Chunk(std::string& out, const char* type, const std::string& data) {
    Put32(out, static_cast<uint32_t>(data.size()));
    std::string body(type);
    body += data;
    out += body;
    Put32(out, Crc(body));
  }
#ifndef ORRIN_NO_ZLIB
  static std::string Deflate(const std::string& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
              static_cast<uLong>(raw.size()), 6);
    packed.resize(size);
    return packed;
  }
  static uint32_t Crc(const std::string& s) {
    return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size())));
  }
#else
  // Without zlib (the web page, which re-encodes with the browser's own
  // encoder when it saves): a valid zlib stream of stored blocks.
  static std::string Deflate(const std::string& raw) {
    std::string out = "\x78\x01";
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
      a = (a + c) % 65521;
      b = (b + a) % 65521;
    }
    size_t at = 0;
    do {
      const size_t n = std::min<size_t>(65535, raw.size() - at);
      out += static_cast<char>(at + n == raw.size() ? 1 : 0);
      for (uint32_t v : {static_cast<uint32_t>(n), static_cast<uint32_t>(~n & 0xffff)}) {
        out += static_cast<char>(v & 0xff);
        out += static_cast<char>((v >> 8) & 0xff);
      }
      out.append(raw, at, n);
      at += n;
    } while (at < raw.size());
    Put32(out, b << 16 | a);
    return out;
  }
  static uint32_t Crc(const std::string& s) {
    uint32_t c = 0xffffffffu;
    for (unsigned char ch : s) {
      c ^= ch;
      for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1)));
    }
    return ~c;
  }
#endif

  int w_, h_;
  std::vector<uint8_t> px_;
};

}  // namespace

std::string DiagramPng(const DiagramDrawing& d) {
  Raster r(std::max(1, d.width), std::max(1, d.height));
  for (const DiagramBox& b : d.boxes) r.Box(b);
  for (const DiagramLine& l : d.lines)
    if (l.ink != Ink::Cursor) r.Line(l);
  for (const DiagramText& t : d.texts) r.Text(t);
  // The cursor last, over everything, as in the window.
  for (const DiagramLine& l : d.lines)
    if (l.ink == Ink::Cursor) r.Line(l);
  return r.Png();
}

}  // namespace orrin
