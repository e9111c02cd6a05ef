#pragma once
// The modal services of the simulator with Qt's dialogs.
#include <QString>
#include <functional>

#include "base/host.h"

class QWidget;

namespace orrin::ui {

class QtHost : public Host {
 public:
  explicit QtHost(QWidget* parent) : parent_(parent) {}

  void Warn(const std::string& text) override;
  Answer Ask(const std::string& text) override;
  std::string OpenFileName() override;
  std::string SaveFileName() override;
  std::optional<uint32_t> ChooseColor(uint32_t current) override;
  bool Synthesise(const std::string& verilog, const std::string& name, std::string& json,
                  std::string& messages) override;

  // The file menu that asked (its widget name): its dialogs open in the
  // folder it used last.
  QString purpose;
  // What the next dialogs are for: an assembly source (*.asm and *.s
  // first), a microprogram source (*.mc first), a hard-wired design (*.json,
  // *.v, *.sv) or a text file.
  enum class Files { Text, Assembly, MicroSource, Controller };
  Files files = Files::Text;
  // A warning of more lines shows its first ones and the rest on request.
  static constexpr int kLongestWarning = 20;
  // Answers the next file dialog without showing it (a recent file).
  std::optional<std::string> preset;
  // Told of every file name a dialog returned, with the purpose.
  std::function<void(const QString& purpose, const std::string& file)> onChosen;

 private:
  std::string FileName(bool save);
  QWidget* parent_;
};

// The shipped examples of a kind ("wiring", "labs" …), found relative to the
// program (installed, or the source's in a build), where a dialog first
// opens; the current folder when there are none.
QString ExamplesFolder(const QString& kind);

}  // namespace orrin::ui
