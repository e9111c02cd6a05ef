#include "app/run_facts.h"

#include <charconv>

namespace orrin {

// "kind step line textLength nameLength\n" then the two texts and "\n": the
// texts are a student's (any bytes), so they are counted, not delimited.
std::string EncodeFact(const RunFact& f) {
  std::string r = std::to_string(static_cast<int>(f.kind)) + ' ' + std::to_string(f.step) + ' ' +
                  std::to_string(f.line) + ' ' + std::to_string(f.text.size()) + ' ' + std::to_string(f.name.size()) +
                  '\n';
  r += f.text;
  r += f.name;
  r += '\n';
  return r;
}

namespace {

bool Number(std::string_view& in, char end, int64_t& value) {
  const auto [ptr, ec] = std::from_chars(in.data(), in.data() + in.size(), value);
  if (ec != std::errc() || ptr == in.data() + in.size() || *ptr != end) return false;
  in.remove_prefix(static_cast<size_t>(ptr - in.data()) + 1);
  return true;
}

}  // namespace

std::vector<RunFact> DecodeFacts(std::string_view in) {
  std::vector<RunFact> facts;
  while (!in.empty()) {
    int64_t kind = 0, textSize = 0, nameSize = 0;
    RunFact f;
    if (!Number(in, ' ', kind) || !Number(in, ' ', f.step) || !Number(in, ' ', f.line) || !Number(in, ' ', textSize) ||
        !Number(in, '\n', nameSize))
      break;
    if (kind < 0 || kind > static_cast<int64_t>(RunFact::Kind::Checked) || textSize < 0 || nameSize < 0 ||
        static_cast<uint64_t>(textSize) + static_cast<uint64_t>(nameSize) + 1 > in.size() ||
        in[static_cast<size_t>(textSize + nameSize)] != '\n')
      break;
    f.kind = static_cast<RunFact::Kind>(kind);
    f.text = in.substr(0, static_cast<size_t>(textSize));
    f.name = in.substr(static_cast<size_t>(textSize), static_cast<size_t>(nameSize));
    in.remove_prefix(static_cast<size_t>(textSize + nameSize + 1));
    facts.push_back(std::move(f));
  }
  return facts;
}

}  // namespace orrin
