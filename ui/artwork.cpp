#include "ui/artwork.h"

#include "base/canvas.h"
#include "base/machine_state.h"

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

std::vector<JackPrint> BoardPrints() {
  std::vector<JackPrint> jacks;
  for (const JackPlace& j : BoardJacks()) jacks.push_back({j.name, j.x, j.y, j.IsOutput()});
  return jacks;
}

void BoardPixels(const QImage& picture, std::vector<uint32_t>& pixels) {
  const QImage img = picture.convertToFormat(QImage::Format_RGBX8888);
  pixels.assign(static_cast<size_t>(Canvas::Width * Canvas::Height), 0);
  for (int y = 0; y < Canvas::Height; ++y) {
    const auto* line = reinterpret_cast<const uint32_t*>(img.constScanLine(y));
    for (int x = 0; x < Canvas::Width; ++x) pixels[static_cast<size_t>(y * Canvas::Width + x)] = line[x] & 0x00FFFFFF;
  }
}

const QPixmap* Artwork::Picture(Pic p) const {
  if (p == Pic::None || p >= Pic::Count) return nullptr;
  return &pictures_[static_cast<size_t>(p)];
}

}  // namespace orrin::ui
