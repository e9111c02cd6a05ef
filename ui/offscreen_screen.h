#pragma once
// The offscreen platform (the tests, the web page's assets, the snapshots)
// has an 800 x 600 screen unless told otherwise, and the first window is
// fitted to the screen: these programs get the screen most students have, a
// laptop's 1366 x 768, so the window keeps its first size. Made before the
// QApplication; a platform the user chose is left alone.
#include <QTemporaryFile>

namespace orrin::ui {

class OffscreenLaptopScreen {
 public:
  OffscreenLaptopScreen();

 private:
  QTemporaryFile screens_;
};

}  // namespace orrin::ui
