#pragma once
// English beside the board's Chinese. Texts are looked up by their Chinese
// source; a message composed at run time ("无法读取文件：NAME") is found
// through its pattern, in which %1, %2 … stand for the parts that vary.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orrin {

// The parts of `text` that stand for %1, %2 … of `pattern`, or nothing when
// the text is not of that pattern.
std::optional<std::vector<std::string>> MatchPattern(std::string_view pattern, std::string_view text);
// `translated` with %1, %2 … replaced by the parts.
std::string FillPattern(std::string_view translated, const std::vector<std::string>& parts);

// The messages of a Qt Linguist .ts file, for programs without the toolkit.
class Catalog {
 public:
  // Reads every finished translation; false when the text is no .ts file.
  bool ReadTs(std::string_view xml);
  // The English of a text: its own translation, else that of the first
  // pattern it matches, else the text as it is.
  std::string operator()(std::string_view text) const;
  size_t Size() const { return exact_.size(); }

 private:
  std::unordered_map<std::string, std::string> exact_;
  std::vector<std::pair<std::string, std::string>> patterns_;
};

}  // namespace orrin
