#include "base/text_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

namespace orrin::files {

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Takes over `fd` (closed with the file, or at once when it cannot be had as one).
File FromFd(int fd, const char* mode) {
  if (fd < 0) return nullptr;
  std::FILE* f = ::fdopen(fd, mode);
  if (f == nullptr) ::close(fd);
  return File(f);
}

// Opens a regular file only (unless streams are accepted): a FIFO, a device or a folder named where a
// file is expected would block or never end, so it is refused at once
// (the open itself does not wait for a FIFO's other end).
File Open(const std::string& name, Accept accept, int flags, const char* mode) {
  if (accept == Accept::Streams) return File(std::fopen(name.c_str(), mode));
  const int fd = ::open(name.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return FromFd(fd, mode);
}

ReadResult ReadAll(std::FILE* f, std::size_t limit, std::string& out) {
  out.clear();
  if (f == nullptr) return ReadResult::CannotRead;
  std::string data;
  char chunk[8192];
  for (;;) {
    const std::size_t n = std::fread(chunk, 1, sizeof chunk, f);
    data.append(chunk, n);
    // Stop as soon as the file is known to be too long: a huge file is never held whole.
    if (data.size() > limit) return ReadResult::TooLarge;
    if (n < sizeof chunk) break;
  }
  if (std::ferror(f)) return ReadResult::CannotRead;
  out.swap(data);
  return ReadResult::Ok;
}

bool WriteAll(File f, std::string_view data) {
  if (!f) return false;
  const bool written = std::fwrite(data.data(), 1, data.size(), f.get()) == data.size();
  const bool closed = std::fclose(f.release()) == 0;
  return written && closed;
}
}  // namespace

ReadResult ReadWholeFile(const std::string& name, std::size_t limit, std::string& out, Accept accept) {
  return ReadAll(Open(name, accept, O_RDONLY, "rb").get(), limit, out);
}

bool WriteWholeFile(const std::string& name, std::string_view data, Accept accept) {
  return WriteAll(Open(name, accept, O_WRONLY | O_CREAT | O_TRUNC, "wb"), data);
}

ReadResult ReadWholeFd(int fd, std::size_t limit, std::string& out) {
  return ReadAll(FromFd(fd, "rb").get(), limit, out);
}

bool WriteWholeFd(int fd, std::string_view data) { return WriteAll(FromFd(fd, "wb"), data); }

namespace {
// Length of the valid UTF-8 sequence at `i`, 0 when there is none (a stray
// continuation byte, an overlong form, a surrogate, past U+10FFFF, cut short).
size_t Utf8Length(const std::string& s, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  size_t n = 0;
  uint32_t cp = 0;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE || cp == 0xFFFF) return 0;
  // C1 controls (U+0080-U+009F) steer terminals as the C0 ones do.
  if (cp >= 0x80 && cp <= 0x9F) return 0;
  return n;
}

}  // namespace

std::string PrintableText(const std::string& text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t n = Utf8Length(text, i);
    if (n == 0 || c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kDigits[c >> 4];
      out += kDigits[c & 15];
      ++i;
    } else {
      out.append(text, i, n);
      i += n;
    }
  }
  return out;
}

bool IsUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const size_t n = Utf8Length(text, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

std::string UpperAscii(std::string_view s) {
  std::string u(s);
  for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return u;
}

std::string_view TrimSpace(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool IsName(std::string_view s) {
  if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
  for (char c : s)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

std::string LowerExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && slash > dot)) return "";
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext;
}

std::string PrintableLines(const std::string& text) {
  std::string out;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    out += PrintableText(text.substr(start, end - start));
    if (end < text.size()) out += '\n';
    start = end + 1;
  }
  return out;
}

std::string CannotReadWarning(const std::string& name) { return "无法读取文件：" + name; }
std::string CannotWriteWarning(const std::string& name) { return "无法写入文件：" + name; }

std::string LineList(const std::vector<int64_t>& lines) {
  std::string list;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) list += ", ";
    if (i == 10) return list + "…";
    list += std::to_string(lines[i]);
  }
  return list;
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t n = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace orrin::files
