#pragma once
// The platform's modal services. The window implements them with Qt dialogs;
// tests and orrin-run with scripted answers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_files.h"

namespace orrin {

enum class Answer { Yes, No, Cancel };

class Host {
 public:
  virtual ~Host() = default;
  // Modal box, caption "警告", one OK button.
  virtual void Warn(const std::string& text) = 0;
  // The same box about a file the user named that could not be used
  // (unreadable, too large, malformed, lines skipped): a grader holds it
  // against that file.
  virtual void WarnAboutFile(const std::string& name, const std::string& text) {
    static_cast<void>(name);
    Warn(text);
  }
  // Yes / No / Cancel, Cancel the default, caption "警告".
  virtual Answer Ask(const std::string& text) = 0;
  // File dialogs with the filter "TXT files(*.txt)|*.txt|All files(*.*)|*.*",
  // default extension TXT, starting in the current directory. Empty = cancelled.
  virtual std::string OpenFileName() = 0;
  virtual std::string SaveFileName() = 0;
  // The colour dialog, opening on `current` (0x00BBGGRR); empty = cancelled.
  virtual std::optional<uint32_t> ChooseColor(uint32_t current) = 0;
  // The files the user named: the file system here; a fuzzer keeps them in
  // memory, and a web page reads what the user picked and saves downloads.
  virtual files::ReadResult ReadFile(const std::string& name, std::size_t limit, std::string& out) {
    return files::ReadWholeFile(name, limit, out);
  }
  virtual bool WriteFile(const std::string& name, std::string_view data) { return files::WriteWholeFile(name, data); }
  // A hard-wired controller in Verilog (the text of the file `name`) as
  // Yosys's JSON netlist; false with Yosys's messages (or why it cannot run
  // here) in `messages`.
  virtual bool Synthesise(const std::string& verilog, const std::string& name, std::string& json,
                          std::string& messages) {
    (void)verilog;
    (void)name;
    (void)json;
    messages = "这里不能综合 Verilog：请读入它的网表 .json（Yosys 的 write_json）。";
    return false;
  }
};

// Answers nothing and records nothing: for benchmarks and fuzzing.
class SilentHost : public Host {
 public:
  void Warn(const std::string&) override {}
  Answer Ask(const std::string&) override { return Answer::Cancel; }
  std::string OpenFileName() override { return {}; }
  std::string SaveFileName() override { return {}; }
  std::optional<uint32_t> ChooseColor(uint32_t) override { return std::nullopt; }
};

}  // namespace orrin
