// A submission's private copy: what the check reads and writes is the copy,
// so a student's link to another student's file, a FIFO that blocks every
// reader, or a write of the check can never reach outside the grader's
// scratch folder.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "app/grade.h"
#include "asm/assembler.h"

namespace orrin {

namespace {

// One byte past the largest file any reader takes: a longer file is cut
// there, and the reader still refuses it as too large. A recorded session
// may be longer than any source.
constexpr int64_t kCopiedBytes = static_cast<int64_t>(kLongestSource) + 1;
constexpr int64_t kCopiedSession = static_cast<int64_t>(kLongestSession) + 1;
constexpr int kDeepest = 8;
constexpr int kMostEntries = 2000;
constexpr int64_t kMostBytes = 64 << 20;

struct Fd {
  int fd = -1;
  explicit Fd(int f) : fd(f) {}
  ~Fd() {
    if (fd >= 0) close(fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
};

struct DirCloser {
  void operator()(DIR* d) const { closedir(d); }
};

std::string Quoted(const std::string& path) { return "`" + path + "`"; }

std::string NotAFile(const struct stat& st, const std::string& path) {
  const char* what = S_ISLNK(st.st_mode)                          ? "a link"
                     : S_ISFIFO(st.st_mode)                       ? "a FIFO"
                     : S_ISSOCK(st.st_mode)                       ? "a socket"
                     : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "a device"
                                                                  : "not a regular file";
  return Quoted(path) + " is " + what + ", not a file";
}

class Copier {
 public:
  explicit Copier(FileReasons& reasons) : reasons_(reasons) {}

  // Copies the entries of the open folder `src` into the folder `dst`.
  void Folder(int src, int dst, const std::string& prefix, int depth) {
    const int listed = dup(src);
    if (listed < 0) return;
    std::unique_ptr<DIR, DirCloser> dir(fdopendir(listed));
    if (!dir) {
      close(listed);
      return;
    }
    while (const dirent* e = readdir(dir.get())) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      Entry(src, dst, name, prefix + name, depth);
    }
  }

 private:
  void Entry(int src, int dst, const std::string& name, const std::string& path, int depth) {
    struct stat st {};
    if (fstatat(src, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      reasons_[path] = Quoted(path) + " could not be read";
      return;
    }
    if (++entries_ > kMostEntries || bytes_ > kMostBytes) {
      reasons_[path] = Quoted(path) + " was not copied: the folder holds too much";
      return;
    }
    if (S_ISDIR(st.st_mode)) {
      if (depth >= kDeepest) {
        reasons_[path] = Quoted(path) + " was not copied: folders nest too deep";
        return;
      }
      Fd from(openat(src, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
      if (from.fd < 0 || mkdirat(dst, name.c_str(), 0700) != 0) {
        reasons_[path] = Quoted(path) + " could not be read";
        return;
      }
      Fd to(openat(dst, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
      if (to.fd >= 0) Folder(from.fd, to.fd, path + "/", depth + 1);
      return;
    }
    if (!S_ISREG(st.st_mode)) {
      reasons_[path] = NotAFile(st, path);
      return;
    }
    File(src, dst, name, path);
  }

  // Opened without following a link and without blocking on a FIFO that
  // took the file's place since it was looked at; only a regular file is read.
  void File(int src, int dst, const std::string& name, const std::string& path) {
    Fd from(openat(src, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (from.fd < 0 || fstat(from.fd, &st) != 0) {
      reasons_[path] = errno == ELOOP ? Quoted(path) + " is a link, not a file" : Quoted(path) + " could not be read";
      return;
    }
    if (!S_ISREG(st.st_mode)) {
      reasons_[path] = NotAFile(st, path);
      return;
    }
    Fd to(openat(dst, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (to.fd < 0) {
      reasons_[path] = Quoted(path) + " could not be copied";
      return;
    }
    char buf[65536];
    int64_t left = path == kSessionFile ? kCopiedSession : kCopiedBytes;
    while (left > 0) {
      const ssize_t n = read(from.fd, buf, static_cast<size_t>(std::min<int64_t>(left, sizeof buf)));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        reasons_[path] = Quoted(path) + " could not be read";
        return;
      }
      if (n == 0) break;
      if (write(to.fd, buf, static_cast<size_t>(n)) != n) {
        reasons_[path] = Quoted(path) + " could not be copied";
        return;
      }
      left -= n;
      bytes_ += n;
    }
  }

  FileReasons& reasons_;
  int entries_ = 0;
  int64_t bytes_ = 0;
};

}  // namespace

bool CopySubmission(const std::string& from, const std::string& to, FileReasons& reasons) {
  // The folder named on the command line is the teacher's choice and may be
  // a link; everything inside it is the student's.
  Fd src(open(from.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (src.fd < 0) {
    reasons[""] = "cannot open the folder: " + std::string(std::strerror(errno));
    return false;
  }
  if (mkdir(to.c_str(), 0700) != 0) {
    reasons[""] = "cannot make its copy: " + std::string(std::strerror(errno));
    return false;
  }
  Fd dst(open(to.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (dst.fd < 0) {
    reasons[""] = "cannot make its copy: " + std::string(std::strerror(errno));
    return false;
  }
  Copier(reasons).Folder(src.fd, dst.fd, "", 0);
  return true;
}

}  // namespace orrin
