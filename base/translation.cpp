#include "base/translation.h"

namespace orrin {

namespace {

// The literal pieces between %1, %2 …, and the numbers in order.
struct Pieces {
  std::vector<std::string_view> literal;  // one more than numbers
  std::vector<int> numbers;
};

Pieces Split(std::string_view pattern) {
  Pieces p;
  size_t from = 0;
  for (size_t i = 0; i + 1 < pattern.size(); ++i) {
    if (pattern[i] == '%' && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      p.literal.push_back(pattern.substr(from, i - from));
      p.numbers.push_back(pattern[i + 1] - '0');
      from = i + 2;
      ++i;
    }
  }
  p.literal.push_back(pattern.substr(from));
  return p;
}

std::string Unescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '&') {
      out += s[i];
      continue;
    }
    const size_t end = s.find(';', i);
    if (end == std::string_view::npos) {
      out += s.substr(i);
      break;
    }
    const std::string_view name = s.substr(i + 1, end - i - 1);
    if (name == "lt")
      out += '<';
    else if (name == "gt")
      out += '>';
    else if (name == "amp")
      out += '&';
    else if (name == "quot")
      out += '"';
    else if (name == "apos")
      out += '\'';
    else if (name.starts_with("#x") || name.starts_with("#")) {
      const bool hex = name.starts_with("#x");
      unsigned long code = 0;
      for (char c : name.substr(hex ? 2 : 1)) {
        const int d = c >= '0' && c <= '9'                            ? c - '0'
                      : hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10
                                                                      : -1;
        if (d < 0 || code > 0x10FFFF) break;
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(d);
      }
      // Only the control characters a .ts escapes this way occur here.
      if (code < 0x80) out += static_cast<char>(code);
    } else {
      out += s.substr(i, end - i + 1);
    }
    i = end;
  }
  return out;
}

// The text between <tag…> and </tag> from `at` on; npos when there is none.
std::optional<std::string_view> Element(std::string_view xml, std::string_view tag, size_t& at, size_t limit,
                                        bool& unfinished) {
  // Appended rather than "<" + tag: GCC 12 at -O3 reports a false
  // -Wrestrict on the latter, which breaks the Release build.
  const std::string open = std::string("<").append(tag), close = std::string("</").append(tag).append(">");
  const size_t start = xml.find(open, at);
  if (start == std::string_view::npos || start >= limit) return std::nullopt;
  const size_t bodyStart = xml.find('>', start);
  if (bodyStart == std::string_view::npos) return std::nullopt;
  const std::string_view attrs = xml.substr(start, bodyStart - start);
  unfinished = attrs.find("type=\"unfinished\"") != std::string_view::npos ||
               attrs.find("type=\"vanished\"") != std::string_view::npos ||
               attrs.find("type=\"obsolete\"") != std::string_view::npos;
  if (xml[bodyStart - 1] == '/') {  // <translation/>
    at = bodyStart + 1;
    return std::string_view{};
  }
  const size_t end = xml.find(close, bodyStart);
  if (end == std::string_view::npos) return std::nullopt;
  at = end + close.size();
  return xml.substr(bodyStart + 1, end - bodyStart - 1);
}

}  // namespace

std::optional<std::vector<std::string>> MatchPattern(std::string_view pattern, std::string_view text) {
  const Pieces p = Split(pattern);
  if (p.numbers.empty()) return std::nullopt;
  const std::string_view head = p.literal.front(), tail = p.literal.back();
  if (text.size() < head.size() + tail.size() || !text.starts_with(head) || !text.ends_with(tail)) return std::nullopt;
  std::string_view rest = text.substr(head.size(), text.size() - head.size() - tail.size());
  int most = 0;
  for (int n : p.numbers) most = std::max(most, n);
  std::vector<std::string> parts(static_cast<size_t>(most));
  // Each part reaches to the first occurrence of the literal after it.
  for (size_t k = 0; k < p.numbers.size(); ++k) {
    size_t len = rest.size();
    if (k + 1 < p.numbers.size()) {
      const std::string_view next = p.literal[k + 1];
      len = next.empty() ? 0 : rest.find(next);
      if (len == std::string_view::npos) return std::nullopt;
      parts[static_cast<size_t>(p.numbers[k] - 1)] = std::string(rest.substr(0, len));
      rest.remove_prefix(len + next.size());
    } else {
      parts[static_cast<size_t>(p.numbers[k] - 1)] = std::string(rest);
    }
  }
  return parts;
}

std::string FillPattern(std::string_view translated, const std::vector<std::string>& parts) {
  const Pieces p = Split(translated);
  std::string out(p.literal.front());
  for (size_t k = 0; k < p.numbers.size(); ++k) {
    const size_t n = static_cast<size_t>(p.numbers[k] - 1);
    if (n < parts.size()) out += parts[n];
    out += p.literal[k + 1];
  }
  return out;
}

bool Catalog::ReadTs(std::string_view xml) {
  if (xml.find("<TS") == std::string_view::npos) return false;
  size_t at = 0;
  for (;;) {
    size_t message = xml.find("<message", at);
    if (message == std::string_view::npos) break;
    const size_t end = xml.find("</message>", message);
    if (end == std::string_view::npos) break;
    bool unfinished = false;
    size_t inner = message + 1;
    const auto source = Element(xml, "source", inner, end, unfinished);
    const auto translation = source ? Element(xml, "translation", inner, end, unfinished) : std::nullopt;
    at = end;
    if (!source || !translation || unfinished || translation->empty()) continue;
    std::string from = Unescape(*source), to = Unescape(*translation);
    if (!Split(from).numbers.empty()) patterns_.emplace_back(from, to);
    exact_.emplace(std::move(from), std::move(to));
  }
  return true;
}

std::string Catalog::operator()(std::string_view text) const {
  if (const auto it = exact_.find(std::string(text)); it != exact_.end()) return it->second;
  for (const auto& [from, to] : patterns_)
    if (const auto parts = MatchPattern(from, text)) return FillPattern(to, *parts);
  return std::string(text);
}

}  // namespace orrin
