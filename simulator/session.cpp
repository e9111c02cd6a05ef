#include "simulator/session.h"

#include <cstdio>

namespace orrin {

void Session::Start(bool on) {
  recording = on;
  lines_.clear();
  answers_.clear();
  ticks_ = 0;
}

std::string Session::Text() const {
  std::string text;
  for (const std::string& l : lines_) text += l + "\n";
  if (ticks_ > 0) text += "tick " + std::to_string(ticks_) + "\n";
  return text;
}

void Session::Break() {
  if (ticks_ == 0) return;
  lines_.push_back("tick " + std::to_string(ticks_));
  ticks_ = 0;
}

void Session::End(const std::string& line) {
  if (--depth_ > 0 || !recording) return;
  if (line.empty()) {
    answers_.clear();
    return;
  }
  Break();
  lines_.insert(lines_.end(), answers_.begin(), answers_.end());
  answers_.clear();
  lines_.push_back(line);
}

void Session::Tick() {
  if (recording && depth_ == 0) ++ticks_;
}

void Session::Answered(Answer a) {
  if (!recording) return;
  answers_.push_back(a == Answer::Yes ? "answer yes" : a == Answer::No ? "answer no" : "answer cancel");
}

std::string Session::FileWord() const { return file_.empty() ? "-" : file_; }

std::string Session::ColorWord() const { return color_ ? ColourText(*color_) : "-"; }

std::string Session::ColourText(uint32_t stored) {
  char buf[8];
  // The store keeps 0x00BBGGRR; a script writes RRGGBB as a colour picker shows it.
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", stored & 0xFF, (stored >> 8) & 0xFF, (stored >> 16) & 0xFF);
  return buf;
}

Answer HostRelay::Ask(const std::string& text) {
  const Answer a = target_->Ask(text);
  session_.Answered(a);
  return a;
}

std::string HostRelay::OpenFileName() {
  std::string name = target_->OpenFileName();
  session_.NamedFile(name);
  return name;
}

std::string HostRelay::SaveFileName() {
  std::string name = target_->SaveFileName();
  session_.NamedFile(name);
  return name;
}

std::optional<uint32_t> HostRelay::ChooseColor(uint32_t current) {
  const std::optional<uint32_t> c = target_->ChooseColor(current);
  session_.ChoseColor(c);
  return c;
}

}  // namespace orrin
