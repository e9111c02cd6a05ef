// `expect NAME=TEXT ...`: a teacher's check of what the board shows at that
// point of a script. A mismatch is reported and the script goes on; the
// count of passed and failed expectations decides the exit status.
#include <algorithm>
#include <optional>
#include <ostream>

#include "app/runner.h"
#include "machine/trace_signals.h"

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

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool OperatorChar(char c) { return c == '=' || c == '!' || c == '<' || c == '>'; }

constexpr std::pair<std::string_view, Expectation::Op> kOperators[] = {
    {"!=", Expectation::Op::Ne}, {"<=", Expectation::Op::Le}, {">=", Expectation::Op::Ge},
    {"=", Expectation::Op::Eq},  {"<", Expectation::Op::Lt},  {">", Expectation::Op::Gt},
};

std::string_view OperatorText(Expectation::Op op) {
  for (const auto& [text, o] : kOperators)
    if (o == op) return text;
  return "=";
}

// "@beat:120" or "@cycle:7" after a name.
bool ParseWhen(const std::string& when, Expectation& e) {
  int64_t n = 0;
  for (const auto& [word, at] : {std::pair{"beat:", Expectation::At::Beat}, {"cycle:", Expectation::At::Cycle}}) {
    if (!when.starts_with(word)) continue;
    if (!ParseNumber(when.substr(std::string_view(word).size()), 1, int64_t{1} << 40, n)) return false;
    e.at = at;
    e.when = n;
    return true;
  }
  return false;
}

}  // namespace

std::string Expectation::Subject() const {
  if (at == At::Now) return name;
  return name + (at == At::Beat ? "@beat:" : "@cycle:") + std::to_string(when);
}

std::string_view Expectation::Operator() const { return OperatorText(op); }

std::string Expectation::Written() const { return Subject().append(Operator()).append(text); }

bool ParseExpectations(std::string_view line, std::string_view command, std::vector<Expectation>& pairs,
                       std::string& error, int64_t* points) {
  const std::string needs = std::string("'").append(command).append("' needs NAME=TEXT pairs");
  auto fail = [&](const std::string& message) {
    error = message;
    return false;
  };
  size_t i = 0;
  while (true) {
    while (i < line.size() && Blank(line[i])) ++i;
    if (i >= line.size() || line[i] == '#') break;
    const size_t start = i;
    if (points != nullptr && line.substr(i).starts_with("points:")) {
      i += 7;
      while (i < line.size() && Blank(line[i])) ++i;
      const size_t from = i;
      while (i < line.size() && !Blank(line[i])) ++i;
      if (!ParseNumber(std::string(line.substr(from, i - from)), 1, 1000, *points))
        return fail("'points:' needs a number of points 1-1000");
      continue;
    }
    while (i < line.size() && !OperatorChar(line[i]) && !Blank(line[i])) ++i;
    if (i >= line.size() || !OperatorChar(line[i]) || i == start) return fail(needs);
    Expectation e;
    std::string name(line.substr(start, i - start));
    const auto op = std::find_if(std::begin(kOperators), std::end(kOperators),
                                 [&](const auto& o) { return line.substr(i).starts_with(o.first); });
    if (op == std::end(kOperators)) return fail(needs);
    e.op = op->second;
    i += op->first.size();
    if (i < line.size() && line[i] == '"') {
      const size_t close = line.find('"', i + 1);
      if (close == std::string_view::npos) return fail(std::string("unclosed quote in '").append(command).append("'"));
      e.text = line.substr(i + 1, close - i - 1);
      e.quoted = true;
      i = close + 1;
    } else {
      const size_t from = i;
      while (i < line.size() && !Blank(line[i])) ++i;
      e.text = line.substr(from, i - from);
    }
    if (const size_t at = name.find('@'); at != std::string::npos) {
      if (!ParseWhen(name.substr(at + 1), e))
        return fail("'" + name + "': a time in the recorded history is NAME@beat:N or NAME@cycle:N, N from 1");
      name.resize(at);
    }
    e.name = std::move(name);
    pairs.push_back(std::move(e));
  }
  if (pairs.empty()) return fail(needs);
  return true;
}

std::optional<std::string> BoardText(const Simulator& sim, const std::string& name) {
  for (const auto& [field, text] : DumpFields(sim))
    if (field == name) return text;
  if (const auto a = Indexed(name, "MEM[", 0xFF))
    return std::string(Hex2(sim.machine.Mem.Cells[static_cast<size_t>(*a)]).view());
  if (const auto a = Indexed(name, "uM[", 0x3F)) return FetchMicroword(sim.machine, *a);
  // The hard-wired design's own state: two hex digits, nothing shown without one.
  if (name == "STATE") {
    const int state = sim.controllers.HardWired().State();
    return state < 0 ? std::string() : std::string(Hex2(state).view());
  }
  const WidgetId id = FindWidget(name);
  if (id != WidgetId::Count) return WidgetText(sim, id);
  return std::nullopt;
}

bool IsBoardName(const std::string& name) {
  static const MachineState blank;
  for (const auto& [field, text] : DumpFields(blank))
    if (field == name) return true;
  return Indexed(name, "MEM[", 0xFF) || Indexed(name, "uM[", 0x3F) || name == "STATE" ||
         FindWidget(name) != WidgetId::Count;
}

namespace {

// The column of a recorded signal or register, or -1.
int TraceColumn(const std::string& name) {
  const auto& signals = TraceSignals();
  for (size_t c = 0; c < signals.size(); ++c)
    if (name == signals[c].name) return static_cast<int>(c);
  return -1;
}

// The bits of a value a name shows in hex (a register 8, uAR 6, a flag 1,
// MEM[HH] 8, uM[HH] 40); 0 for a name that shows no hex value (step), -1
// for a widget, whose text may be hex of any length (Label_SDNum).
int HexBits(const Expectation& e) {
  if (e.at == Expectation::At::Now) {
    if (Indexed(e.name, "MEM[", 0xFF)) return 8;
    if (Indexed(e.name, "uM[", 0x3F)) return 40;
    if (e.name == "STATE") return 8;
    static const MachineState blank;
    const auto fields = DumpFields(blank);
    if (std::none_of(fields.begin(), fields.end(), [&](const auto& f) { return f.first == e.name; }))
      return FindWidget(e.name) != WidgetId::Count && Info(FindWidget(e.name)).kind != WidgetKind::Image ? -1 : 0;
  }
  const int c = TraceColumn(e.name);
  return c < 0 ? 0 : TraceSignals()[static_cast<size_t>(c)].width;
}

std::optional<uint64_t> HexValue(std::string_view text) {
  if (text.empty() || text.size() > 15) return std::nullopt;
  uint64_t v = 0;
  for (char c : text) {
    const int d = HexDigitValue(c);
    if (d < 0) return std::nullopt;
    v = v * 16 + static_cast<uint64_t>(d);
  }
  return v;
}

// "0b1x0x_xxxx": the bits, x for either, '_' to group them.
bool IsPattern(std::string_view alt) {
  return alt.size() > 2 && alt.starts_with("0b") && alt.substr(2).find_first_not_of("01xX_") == std::string_view::npos;
}

size_t PatternBits(std::string_view alt) {
  const std::string_view bits = alt.substr(2);
  return bits.size() - static_cast<size_t>(std::count(bits.begin(), bits.end(), '_'));
}

bool PatternHolds(std::string_view alt, uint64_t v) {
  size_t k = 0;
  for (size_t i = alt.size(); i-- > 2;) {
    const char c = alt[i];
    if (c == '_') continue;
    if (k >= 63) return false;  // longer than any value (a read check has at most 60)
    if ((c == '0' || c == '1') && ((v >> k) & 1) != static_cast<uint64_t>(c - '0')) return false;
    ++k;
  }
  return (v >> k) == 0;
}

// The alternatives of an equality: a quoted text is one, whatever it holds.
std::vector<std::string_view> Alternatives(const Expectation& e) {
  std::vector<std::string_view> alts;
  if (e.quoted) return {e.text};
  std::string_view rest = e.text;
  for (size_t bar = rest.find('|');; bar = rest.find('|')) {
    alts.push_back(rest.substr(0, bar));
    if (bar == std::string_view::npos) break;
    rest.remove_prefix(bar + 1);
  }
  return alts;
}

bool AnyAlternative(const Expectation& e, const std::string& got) {
  for (std::string_view alt : Alternatives(e)) {
    if (!e.quoted && IsPattern(alt)) {
      if (const auto v = HexValue(got); v && PatternHolds(alt, *v)) return true;
    } else if (alt == got) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool KnowsName(const Expectation& e) {
  return e.at == Expectation::At::Now ? IsBoardName(e.name) : TraceColumn(e.name) >= 0;
}

std::string CheckProblem(const Expectation& e) {
  const int bits = HexBits(e);
  const bool comparison = e.op != Expectation::Op::Eq && e.op != Expectation::Op::Ne;
  if (comparison) {
    if (bits == 0) return e.Written() + ": " + e.name + " shows no hex value to compare";
    const size_t digits = bits < 0 ? 15 : static_cast<size_t>((bits + 3) / 4);
    if (!HexValue(e.text) || e.text.size() > digits)
      return e.Written() + ": " + e.name + " is compared with a hex value of at most " + std::to_string(digits) +
             (digits == 1 ? " digit" : " digits");
    return {};
  }
  if (e.quoted) return {};
  for (std::string_view alt : Alternatives(e)) {
    if (!IsPattern(alt)) continue;
    if (bits == 0) return e.Written() + ": " + e.name + " shows no bits to match";
    if (PatternBits(alt) > 60)
      return e.Written() + ": the pattern has " + std::to_string(PatternBits(alt)) + " bits, at most 60";
    if (bits > 0 && PatternBits(alt) != static_cast<size_t>(bits))
      return e.Written() + ": the pattern has " + std::to_string(PatternBits(alt)) + " bits, " + e.name + " " +
             std::to_string(bits);
  }
  return {};
}

std::string NeverHoldsProblem(const Expectation& e) {
  if (e.op != Expectation::Op::Eq || e.at != Expectation::At::Now) return {};
  for (std::string_view alt : Alternatives(e))
    if (e.quoted || !IsPattern(alt))
      if (std::string problem = ShownTextProblem(e.name, std::string(alt)); !problem.empty()) return problem;
  return {};
}

std::optional<std::string> CheckedText(const Simulator& sim, const Expectation& e) {
  if (e.at == Expectation::At::Now) return BoardText(sim, e.name);
  const int c = TraceColumn(e.name);
  if (c < 0) return std::nullopt;
  // A machine cycle ends at its sixth small beat: what it left.
  const int64_t beat = e.at == Expectation::At::Beat ? e.when : e.when * 6;
  const BeatRange range = RecordedRange(sim.machine.Beat, beat, beat);
  if (range.first > range.last) return std::nullopt;
  const int32_t v = TraceValue(sim.trace.At(beat), static_cast<size_t>(c));
  const int width = TraceSignals()[static_cast<size_t>(c)].width;
  return width <= 3 ? std::to_string(v) : std::string(Hex2(v).view());
}

bool Holds(const Expectation& e, const std::optional<std::string>& got) {
  if (!got) return false;
  switch (e.op) {
    case Expectation::Op::Eq:
      return AnyAlternative(e, *got);
    case Expectation::Op::Ne:
      return !AnyAlternative(e, *got);
    default:
      break;
  }
  const auto a = HexValue(*got), b = HexValue(e.text);
  if (!a || !b) return false;
  switch (e.op) {
    case Expectation::Op::Lt:
      return *a < *b;
    case Expectation::Op::Le:
      return *a <= *b;
    case Expectation::Op::Gt:
      return *a > *b;
    default:
      return *a >= *b;
  }
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
  if (name.starts_with("MEM[") || name == "STATE")
    return AllOf(text, 2, UpperHex) ? "" : name + " shows two upper-case hex digits";
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
  int64_t points = 1;
  if (!ParseExpectations(std::string_view(ctx.line).substr(ctx.line.find("expect") + 6), "expect", pairs, error,
                         &points))
    return CommandResult::Error;
  // Every check is looked at first, so a bad line counts nothing.
  for (const Expectation& e : pairs) {
    if (!KnowsName(e)) {
      error = "unknown name '" + e.name + "'";
      return CommandResult::Error;
    }
    if (error = CheckProblem(e); !error.empty()) return CommandResult::Error;
  }
  for (const Expectation& e : pairs) {
    const std::optional<std::string> got = CheckedText(ctx.sim, e);
    if (Holds(e, got)) {
      ++ctx.expectPassed;
    } else {
      ++ctx.expectFailed;
      const std::string failure = "line " + std::to_string(ctx.lineNumber) + ": expected " + e.Written() + ", got " +
                                  (got ? *got : "nothing (not in the recorded history)");
      ctx.out << failure << '\n';
      ctx.Tell({RunFact::Kind::ExpectFailed, 0, ctx.lineNumber, failure});
    }
  }
  ctx.Tell({RunFact::Kind::Checked, 0, ctx.lineNumber});
  return CommandResult::Done;
}

}  // namespace orrin
