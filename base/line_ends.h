#pragma once
// Where the lines of a text file end. A file that uses CR LF anywhere keeps
// that convention throughout: a stray LF inside one of its lines is passed
// over instead of splitting the line (which would lose a wire or a word).
// Other files end a line at a lone LF; a lone CR ends a line in both.
#include <cstddef>
#include <string_view>

namespace orrin {

class LineEnds {
 public:
  explicit LineEnds(std::string_view text) : text_(text), crlf_(text.find("\r\n") != std::string_view::npos) {}
  // Length of the line end that starts at byte i; 0 when none starts there.
  std::size_t At(std::size_t i) const {
    const char c = text_[i];
    if (c == '\r') return i + 1 < text_.size() && text_[i + 1] == '\n' ? 2 : 1;
    if (c == '\n') return crlf_ ? 0 : 1;
    return 0;
  }

 private:
  std::string_view text_;
  bool crlf_;
};

}  // namespace orrin
