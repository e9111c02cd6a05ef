// `expect NAME=TEXT ...`: a teacher's check of what the board shows at that
// point of a script. A mismatch is reported and the script goes on; the
// count of passed and failed expectations decides the exit status.
#include <algorithm>
#include <optional>
#include <ostream>

#include "app/runner.h"

namespace orrin {

namespace {

// "MEM[HH]" or "uM[HH]": the hex address inside, at most `hi`.
std::optional<int> Indexed(const std::string& name, std::string_view prefix, int hi) {
  if (name.size() != prefix.size() + 3 || name.compare(0, prefix.size(), prefix) != 0 || name.back() != ']')
    return std::nullopt;
  const int d1 = HexDigitValue(name[prefix.size()]), d0 = HexDigitValue(name[prefix.size() + 1]);
  if (d1 < 0 || d0 < 0 || d1 * 16 + d0 > hi) return std::nullopt;
  return d1 * 16 + d0;
}

}  // namespace

bool ParseExpectations(std::string_view line, std::string_view command, std::vector<Expectation>& pairs,
                       std::string& error) {
  size_t i = 0;
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (true) {
    while (i < line.size() && blank(line[i])) ++i;
    if (i >= line.size() || line[i] == '#') break;
    const size_t start = i;
    while (i < line.size() && line[i] != '=' && !blank(line[i])) ++i;
    if (i >= line.size() || line[i] != '=' || i == start) {
      error = std::string("'").append(command).append("' needs NAME=TEXT pairs");
      return false;
    }
    Expectation e{std::string(line.substr(start, i - start)), {}};
    ++i;
    if (i < line.size() && line[i] == '"') {
      const size_t close = line.find('"', i + 1);
      if (close == std::string_view::npos) {
        error = std::string("unclosed quote in '").append(command).append("'");
        return false;
      }
      e.text = line.substr(i + 1, close - i - 1);
      i = close + 1;
    } else {
      const size_t from = i;
      while (i < line.size() && !blank(line[i])) ++i;
      e.text = line.substr(from, i - from);
    }
    pairs.push_back(std::move(e));
  }
  if (pairs.empty()) {
    error = std::string("'").append(command).append("' needs NAME=TEXT pairs");
    return false;
  }
  return true;
}

std::optional<std::string> BoardText(const Simulator& sim, const std::string& name) {
  for (const auto& [field, text] : DumpFields(sim))
    if (field == name) return text;
  if (const auto a = Indexed(name, "MEM[", 0xFF))
    return std::string(Hex2(sim.machine.Mem.Cells[static_cast<size_t>(*a)]).view());
  if (const auto a = Indexed(name, "uM[", 0x3F)) return FetchMicroword(sim.machine, *a);
  const WidgetId id = FindWidget(name);
  if (id != WidgetId::Count) return WidgetText(sim, id);
  return std::nullopt;
}

bool IsBoardName(const std::string& name) {
  static const MachineState blank;
  for (const auto& [field, text] : DumpFields(blank))
    if (field == name) return true;
  return Indexed(name, "MEM[", 0xFF) || Indexed(name, "uM[", 0x3F) || FindWidget(name) != WidgetId::Count;
}

namespace {
bool AllOf(const std::string& t, size_t n, bool (*ok)(char)) {
  return t.size() == n && std::all_of(t.begin(), t.end(), ok);
}
bool UpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }
bool AnyHex(char c) { return HexDigitValue(c) >= 0; }
bool Digit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string ShownTextProblem(const std::string& name, const std::string& text) {
  for (const char* bit : {"C", "Z", "EN_INT", "INTQ"})
    if (name == bit) return text == "0" || text == "1" ? "" : name + " shows 0 or 1";
  if (name == "step") {
    const size_t slash = text.find('/');
    const std::string a = text.substr(0, slash), b = slash == std::string::npos ? "" : text.substr(slash + 1);
    const bool ok = slash != std::string::npos && !a.empty() && !b.empty() && a.size() <= 12 && b.size() <= 12 &&
                    AllOf(a, a.size(), Digit) && AllOf(b, b.size(), Digit);
    return ok ? "" : "step shows the position and the count, N/N";
  }
  if (name == "phase") return text.size() == 1 && text[0] >= '0' && text[0] <= '6' ? "" : "phase shows 0-6";
  if (name.starts_with("uM[")) return AllOf(text, 10, AnyHex) ? "" : name + " shows ten hex digits";
  static const MachineState blank;
  for (const auto& [field, shown] : DumpFields(blank))
    if (field == name) return AllOf(text, 2, UpperHex) ? "" : name + " shows two upper-case hex digits";
  if (name.starts_with("MEM[")) return AllOf(text, 2, UpperHex) ? "" : name + " shows two upper-case hex digits";
  const WidgetId id = FindWidget(name);
  if (id != WidgetId::Count && Info(id).kind == WidgetKind::Image) {
    for (int p = 0; p < static_cast<int>(Pic::Count); ++p)
      if (text == PicName(static_cast<Pic>(p))) return {};
    return name + " shows a picture role (RSWH, LampRH, SpeedButton_PowerON …)";
  }
  return {};
}

CommandResult RunExpectCommand(RunnerContext& ctx, Cmd command, const Words&, std::string& error) {
  if (command != Cmd::Expect) return CommandResult::NotMine;
  std::vector<Expectation> pairs;
  if (!ParseExpectations(std::string_view(ctx.line).substr(ctx.line.find("expect") + 6), "expect", pairs, error))
    return CommandResult::Error;
  // Every name is checked first, so a bad line counts nothing.
  std::vector<std::string> got;
  for (const Expectation& e : pairs) {
    auto text = BoardText(ctx.sim, e.name);
    if (!text) {
      error = "unknown name '" + e.name + "'";
      return CommandResult::Error;
    }
    got.push_back(std::move(*text));
  }
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (got[i] == pairs[i].text) {
      ++ctx.expectPassed;
    } else {
      ++ctx.expectFailed;
      const std::string failure = "line " + std::to_string(ctx.lineNumber) + ": expected " + pairs[i].name + '=' +
                                  pairs[i].text + ", got " + got[i];
      ctx.out << failure << '\n';
      ctx.Tell({RunFact::Kind::ExpectFailed, 0, ctx.lineNumber, failure});
    }
  }
  return CommandResult::Done;
}

}  // namespace orrin
