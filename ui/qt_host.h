#pragma once
// The modal services of the simulator with Qt's dialogs.
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
  std::optional<uint32_t> ChooseColor() override;

 private:
  std::string FileName(bool save);
  QWidget* parent_;
};

}  // namespace orrin::ui
