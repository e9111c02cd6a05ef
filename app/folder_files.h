#pragma once
// The files of a student's script, kept inside the folder the script lives
// in (the grader's private copy of a submission): a session handed in must
// not read or write another student's work, the teacher's files or the
// grader's own, whatever names it writes.
#include <cstddef>
#include <string>
#include <string_view>

#include "base/text_files.h"

namespace orrin {

class FolderFiles {
 public:
  // Opens `folder` (which may itself be reached through a link: the teacher
  // named it); false when it cannot be.
  bool Open(const std::string& folder, std::size_t writeBudget);
  ~FolderFiles();
  FolderFiles() = default;
  FolderFiles(const FolderFiles&) = delete;
  FolderFiles& operator=(const FolderFiles&) = delete;

  // The file `name` inside the folder. A name that is absolute, leaves the
  // folder (..), passes through a link or is one, or a write past the
  // budget, is refused: CannotRead or false with `refusal` saying why.
  files::ReadResult Read(const std::string& name, std::size_t limit, std::string& out, std::string& refusal);
  bool Write(const std::string& name, std::string_view data, std::string& refusal);
  std::size_t Written() const { return written_; }

 private:
  // The folder holding the name's last part, opened without following a
  // link at any step; -1 with `refusal` set (or empty: it is not there).
  int OpenParent(const std::string& name, std::string& leaf, std::string& refusal) const;
  int root_ = -1;
  std::size_t budget_ = 0, written_ = 0;
};

}  // namespace orrin
