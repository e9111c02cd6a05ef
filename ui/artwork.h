#pragma once
// Every picture of the board, painted by our own code once at start: the
// template pictures that lamps, levers and gates take, the board picture, the
// datapath and controller drawings, and the console strip.
#include <QImage>
#include <QPixmap>
#include <array>
#include <string>
#include <vector>

#include "base/board_view.h"

namespace orrin::ui {

// A jack as printed on the board picture.
struct JackPrint {
  std::string name;
  int x = 0, y = 0;
  bool output = false;
};

// Glyphs of buttons that the view never changes.
enum class Glyph { Clear, Pulse, BackLeft, BackRight, Count };

class Artwork {
 public:
  explicit Artwork(const std::vector<JackPrint>& jacks);
  // Paints every picture again (in the language now chosen). The pictures
  // keep their addresses, so widgets showing them only need a repaint.
  void Paint(const std::vector<JackPrint>& jacks);

  // nullptr for Pic::None.
  const QPixmap* Picture(Pic p) const;
  const QPixmap& GlyphOf(Glyph g) const { return glyphs_[static_cast<size_t>(g)]; }
  // The clean board picture as pixels, for the simulator's wire canvas.
  const QImage& Board() const { return board_; }
  const QPixmap& Console() const { return console_; }
  const QPixmap& Icon() const { return icon_; }

 private:
  std::array<QPixmap, static_cast<size_t>(Pic::Count)> pictures_;
  std::array<QPixmap, static_cast<size_t>(Glyph::Count)> glyphs_;
  QImage board_;
  QPixmap console_, icon_;
};

// Every jack of the board as the board picture prints it.
std::vector<JackPrint> BoardPrints();
// A picture of the board's size in the simulator's pixel format (0x00BBGGRR).
void BoardPixels(const QImage& picture, std::vector<uint32_t>& pixels);

// The painters, one per file.
QPixmap PaintTemplate(Pic p);  // levers, lamps, beat and phase pictures, gates, glyphs
QPixmap PaintGlyph(Glyph g);
QImage PaintBoard(const std::vector<JackPrint>& jacks);
QPixmap PaintDatapath(bool independent);
QPixmap PaintController(bool independent);
QPixmap PaintConsole();
QPixmap PaintIcon(int size);

}  // namespace orrin::ui
