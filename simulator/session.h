#pragma once
// A recorded session: every user action since the start, as the orrin-run
// script that does it again. Each action of the façade writes its console
// line when it ends (an action that calls another is still one line); the
// answers given to its questions go before it, the file names and colours
// its dialogs returned into it; run-timer ticks are counted into `tick N`.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/host.h"

namespace orrin {

class Session {
 public:
  bool recording = false;
  // Forgets what was recorded; records from now when `on`.
  void Start(bool on);
  // The script so far, one line each (ticks not yet written included).
  std::string Text() const;
  // The lines written so far (ticks not yet written left out).
  const std::vector<std::string>& Lines() const { return lines_; }
  // Ticks counted so far are written as one line now: the window does this
  // at each point where it looks at the board (a lab checks its step there),
  // so a replay looks at the same points.
  void Break();
  // A line for what the window does outside the façade (a lab's answer).
  void Add(const std::string& line) {
    if (!recording) return;
    Break();
    lines_.push_back(line);
  }

  // ---- from the façade and the host relay
  void Begin() {
    if (++depth_ > 1) return;
    file_.clear();
    color_.reset();
  }
  // The outermost action ends: its line (none when empty) goes in.
  void End(const std::string& line);
  bool Outermost() const { return depth_ == 1; }
  void Tick();
  void Answered(Answer a);
  void NamedFile(const std::string& name) { file_ = name; }
  void ChoseColor(std::optional<uint32_t> c) { color_ = c; }
  // What the last dialog of the action returned: a file name written as the
  // script writes it ("-" for none), a colour as RRGGBB ("-" for none).
  std::string FileWord() const;
  std::string ColorWord() const;
  // A stored colour (0x00BBGGRR) as a script writes it: RRGGBB.
  static std::string ColourText(uint32_t stored);

 private:
  std::vector<std::string> lines_, answers_;
  int64_t ticks_ = 0;
  int depth_ = 0;
  std::string file_;
  std::optional<uint32_t> color_;
};

// The host the simulator talks to: passes everything on to the program's
// host (or, for a while, another: a lab's set-up answers from its lines)
// and tells the session what the user answered and chose.
class HostRelay : public Host {
 public:
  HostRelay(Host& host, Session& session) : target_(&host), own_(&host), session_(session) {}
  // Everything goes to `host` until Restore.
  void Divert(Host& host) { target_ = &host; }
  void Restore() { target_ = own_; }

  void Warn(const std::string& text) override { target_->Warn(text); }
  void WarnAboutFile(const std::string& name, const std::string& text) override { target_->WarnAboutFile(name, text); }
  Answer Ask(const std::string& text) override;
  std::string OpenFileName() override;
  std::string SaveFileName() override;
  std::optional<uint32_t> ChooseColor(uint32_t current) override;
  files::ReadResult ReadFile(const std::string& name, std::size_t limit, std::string& out) override {
    return target_->ReadFile(name, limit, out);
  }
  bool WriteFile(const std::string& name, std::string_view data) override { return target_->WriteFile(name, data); }
  bool Synthesise(const std::string& verilog, const std::string& name, std::string& json,
                  std::string& messages) override {
    return target_->Synthesise(verilog, name, json, messages);
  }

 private:
  Host* target_;
  Host* own_;
  Session& session_;
};

}  // namespace orrin
