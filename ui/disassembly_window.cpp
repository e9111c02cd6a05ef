#include "ui/disassembly_window.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "simulator/simulator.h"
#include "ui/translate.h"

namespace orrin::ui {

void DisassemblyWindow::Retranslate() { setWindowTitle(Tr(QT_TRANSLATE_NOOP("orrin", "反汇编"))); }

DisassemblyWindow::DisassemblyWindow(QWidget* parent) : QDialog(parent), list_(new QListWidget(this)) {
  setObjectName("DisassemblyWindow");
  Retranslate();
  setModal(false);
  list_->setObjectName("ListBox_Disassembly");
  QFont mono("DejaVu Sans Mono");
  mono.setStyleHint(QFont::Monospace);
  list_->setFont(mono);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(list_);
  resize(260, 420);
}

void DisassemblyWindow::Follow(const Simulator& sim) {
  const MachineState& m = sim.machine;
  if (!filled_ || m.Mem.ShownCells != shown_) {
    shown_ = m.Mem.ShownCells;
    filled_ = true;
    list_->clear();
    addressOfRow_.clear();
    for (const std::string& line : Disassemble(shown_, sim.isa)) {
      list_->addItem(QString::fromStdString(line));
      // Listing lines start "AA:"; label lines end with ':' alone.
      const bool code = line.size() > 3 && line[2] == ':' && line[3] == ' ';
      addressOfRow_.push_back(code ? std::stoi(line.substr(0, 2), nullptr, 16) : -1);
    }
    pc_ = -1;
  }
  const int pc = sim.console.PowerOn ? (m.Pc.Shown.PC & 0xFF) : -1;
  if (pc == pc_) return;
  pc_ = pc;
  list_->clearSelection();
  for (int row = 0; row < list_->count(); ++row) {
    if (addressOfRow_[static_cast<size_t>(row)] != pc) continue;
    list_->setCurrentRow(row);
    list_->scrollToItem(list_->item(row));
    break;
  }
}

}  // namespace orrin::ui
