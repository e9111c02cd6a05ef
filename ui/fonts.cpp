#include "ui/fonts.h"

#include <QStringList>

namespace orrin::ui {

namespace {
const QStringList kCjkFallbacks = {"WenQuanYi Micro Hei", "WenQuanYi Zen Hei", "Noto Sans CJK SC",
                                   "Droid Sans Fallback"};

QStringList With(const QStringList& first) { return first + kCjkFallbacks; }

QFont Sized(const QString& family, int pixelSize, bool bold = false) {
  QFont f(family);
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}
}  // namespace

void InstallFontSubstitutes() {
  QFont::insertSubstitutions("宋体", With({}));
  QFont::insertSubstitutions("SimSun", With({}));
  QFont::insertSubstitutions("MS Sans Serif", With({"DejaVu Sans", "Nimbus Sans"}));
  QFont::insertSubstitutions("DotumChe", {"WenQuanYi Micro Hei Mono", "DejaVu Sans Mono", "Noto Sans Mono"});
  QFont::insertSubstitutions("Orrin Print", With({"Nimbus Sans Narrow", "DejaVu Sans Condensed", "DejaVu Sans"}));
  QFont::insertSubstitutions("Orrin Mono", With({"DejaVu Sans Mono", "Noto Sans Mono"}));
}

QFont WindowFont() { return Sized("MS Sans Serif", 12); }
QFont SongFont(int pixelSize) { return Sized("宋体", pixelSize); }
QFont GridFont(int pixelSize) { return Sized("DotumChe", pixelSize); }
QFont PrintFont(int pixelSize, bool bold) { return Sized("Orrin Print", pixelSize, bold); }
QFont MonoFont(int pixelSize, bool bold) { return Sized("Orrin Mono", pixelSize, bold); }

}  // namespace orrin::ui
