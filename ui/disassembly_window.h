#pragma once
// The memory in mnemonics, in a window of its own beside the board: it
// follows the memory the board shows (also during playback) and marks the
// instruction at PC.
#include <QDialog>

#include "asm/assembler.h"

class QListWidget;

namespace orrin {
class Simulator;
}

namespace orrin::ui {

class DisassemblyWindow : public QDialog {
 public:
  explicit DisassemblyWindow(QWidget* parent);
  // Brings the listing up to the shown memory and PC; cheap when neither changed.
  void Follow(const Simulator& sim);
  QListWidget* List() const { return list_; }
  void Retranslate();

 private:
  QListWidget* list_;
  MemoryImage shown_{};
  std::vector<int> addressOfRow_;  // -1 for a label line
  int pc_ = -1;
  bool filled_ = false;
};

}  // namespace orrin::ui
