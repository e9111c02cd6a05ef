#include "app/folder_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace orrin {

namespace {
std::string Quoted(const std::string& name) { return "`" + name + "`"; }
}  // namespace

bool FolderFiles::Open(const std::string& folder, std::size_t writeBudget) {
  if (root_ >= 0) ::close(root_);
  root_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  budget_ = writeBudget;
  written_ = 0;
  return root_ >= 0;
}

FolderFiles::~FolderFiles() {
  if (root_ >= 0) ::close(root_);
}

int FolderFiles::OpenParent(const std::string& name, std::string& leaf, std::string& refusal) const {
  if (root_ < 0) return -1;
  if (name.starts_with('/')) {
    refusal = Quoted(name) + " is outside the session's folder: a session names its files relative to it";
    return -1;
  }
  std::vector<std::string> parts;
  for (size_t start = 0; start <= name.size();) {
    const size_t slash = std::min(name.find('/', start), name.size());
    const std::string part = name.substr(start, slash - start);
    if (part == "..") {
      refusal = Quoted(name) + " leaves the session's folder";
      return -1;
    }
    if (!part.empty() && part != ".") parts.push_back(part);
    start = slash + 1;
  }
  if (parts.empty()) return -1;
  leaf = parts.back();
  int dir = ::dup(root_);
  for (size_t i = 0; dir >= 0 && i + 1 < parts.size(); ++i) {
    struct stat st {};
    if (::fstatat(dir, parts[i].c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
      refusal = Quoted(name) + " passes through a link";
    const int next =
        refusal.empty() ? ::openat(dir, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC) : -1;
    ::close(dir);
    dir = next;
  }
  return dir;
}

files::ReadResult FolderFiles::Read(const std::string& name, std::size_t limit, std::string& out,
                                    std::string& refusal) {
  out.clear();
  std::string leaf;
  const int dir = OpenParent(name, leaf, refusal);
  if (dir < 0) return files::ReadResult::CannotRead;
  const int fd = ::openat(dir, leaf.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0 && errno == ELOOP) refusal = Quoted(name) + " is a link, not a file";
  ::close(dir);
  struct stat st {};
  if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
    ::close(fd);
    return files::ReadResult::CannotRead;
  }
  return files::ReadWholeFd(fd, limit, out);
}

bool FolderFiles::Write(const std::string& name, std::string_view data, std::string& refusal) {
  if (data.size() > budget_ - written_) {
    refusal = Quoted(name) + " was not written: a session may write " + std::to_string(budget_ >> 20) + " MiB in all";
    return false;
  }
  std::string leaf;
  const int dir = OpenParent(name, leaf, refusal);
  if (dir < 0) return false;
  // Never through a link, and never into a FIFO or device found there.
  struct stat st {};
  if (::fstatat(dir, leaf.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode)) {
    if (S_ISLNK(st.st_mode)) refusal = Quoted(name) + " is a link, not a file";
    ::close(dir);
    return false;
  }
  const int fd = ::openat(dir, leaf.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  ::close(dir);
  if (fd < 0) return false;
  written_ += data.size();
  return files::WriteWholeFd(fd, data);
}

}  // namespace orrin
