#include "ui/artwork.h"

namespace orrin::ui {

Artwork::Artwork(const std::vector<JackPrint>& jacks) { Paint(jacks); }

void Artwork::Paint(const std::vector<JackPrint>& jacks) {
  for (int i = 1; i < static_cast<int>(Pic::Count); ++i) {
    const Pic p = static_cast<Pic>(i);
    switch (p) {
      case Pic::Image1_ori:
        break;  // below, from the board picture
      case Pic::Image3_Hand:
        pictures_[i] = PaintDatapath(true);
        break;
      case Pic::Image3_NOHand:
        pictures_[i] = PaintDatapath(false);
        break;
      case Pic::Image10_Hand_ori:
        pictures_[i] = PaintController(true);
        break;
      case Pic::Image10_Micro_ori:
        pictures_[i] = PaintController(false);
        break;
      default:
        pictures_[i] = PaintTemplate(p);
        break;
    }
  }
  board_ = PaintBoard(jacks);
  pictures_[static_cast<size_t>(Pic::Image1_ori)] = QPixmap::fromImage(board_);
  for (int g = 0; g < static_cast<int>(Glyph::Count); ++g) glyphs_[g] = PaintGlyph(static_cast<Glyph>(g));
  console_ = PaintConsole();
  icon_ = PaintIcon(64);
}

const QPixmap* Artwork::Picture(Pic p) const {
  if (p == Pic::None || p >= Pic::Count) return nullptr;
  return &pictures_[static_cast<size_t>(p)];
}

}  // namespace orrin::ui
