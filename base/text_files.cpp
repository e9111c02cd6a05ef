#include "base/text_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace orrin::files {

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

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
  std::FILE* f = ::fdopen(fd, mode);
  if (f == nullptr) ::close(fd);
  return File(f);
}
}  // namespace

ReadResult ReadWholeFile(const std::string& name, std::size_t limit, std::string& out, Accept accept) {
  out.clear();
  File f = Open(name, accept, O_RDONLY, "rb");
  if (!f) return ReadResult::CannotRead;
  std::string data;
  char chunk[8192];
  for (;;) {
    const std::size_t n = std::fread(chunk, 1, sizeof chunk, f.get());
    data.append(chunk, n);
    // Stop as soon as the file is known to be too long: a huge file is never held whole.
    if (data.size() > limit) return ReadResult::TooLarge;
    if (n < sizeof chunk) break;
  }
  if (std::ferror(f.get())) return ReadResult::CannotRead;
  out.swap(data);
  return ReadResult::Ok;
}

bool WriteWholeFile(const std::string& name, std::string_view data, Accept accept) {
  std::FILE* raw = Open(name, accept, O_WRONLY | O_CREAT | O_TRUNC, "wb").release();
  if (raw == nullptr) return false;
  const bool written = std::fwrite(data.data(), 1, data.size(), raw) == data.size();
  const bool closed = std::fclose(raw) == 0;
  return written && closed;
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
