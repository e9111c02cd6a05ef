#pragma once
// What a grader learns of a run, told by the runner as each thing happens:
// the grader's child writes them to a file at once, so what a run did
// before it was killed or crashed is kept, and the parent reads them back
// as data instead of reading the printed output.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orrin {

struct RunFact {
  enum class Kind : uint8_t {
    Stopped,       // the run ended on an error: `text` as it was printed
    ExpectFailed,  // `text`: "line N: expected NAME=TEXT, got OTHER"; `line`
    Tally,         // the expectations at the end: `step` passed, `line` failed
    StepDone,      // lab step `step` done at script line `line`
    NotDone,       // at the end, step `step` is not done because `text`
    ReachedAfter,  // step `step` held after the forbidden `text` at line `line`
    WrongAnswer,   // a wrong answer to step `step` at line `line`
    FileProblem,   // the board's warning `text` about the file `name`
    Refused,       // line `line` named the file `text`, which its folder refuses
    Checked,       // the expect line `line` was performed (its failures told before)
  };
  Kind kind{};
  int64_t step = 0, line = 0;
  std::string text{}, name{};
  bool operator==(const RunFact&) const = default;
};

using FactSink = std::function<void(const RunFact&)>;

// One fact as a record of its own; records are simply appended.
std::string EncodeFact(const RunFact& fact);
// The facts of appended records; a record cut short (the writer was killed
// while writing it) and whatever follows it is dropped.
std::vector<RunFact> DecodeFacts(std::string_view records);

}  // namespace orrin
