#pragma once
// How every action that loads a file reads it: whole, before anything on the
// board changes, with the board's warning when it cannot be read or is too
// large (`tooLarge`), so a refused file leaves the board as it was.
#include <cstddef>
#include <string>

#include "base/host.h"
#include "base/text_files.h"

namespace orrin {

inline bool ReadForLoading(Host& host, const std::string& name, std::size_t limit, const std::string& tooLarge,
                           std::string& out) {
  switch (host.ReadFile(name, limit, out)) {
    case files::ReadResult::CannotRead:
      host.WarnAboutFile(name, files::CannotReadWarning(name));
      return false;
    case files::ReadResult::TooLarge:
      host.WarnAboutFile(name, tooLarge);
      return false;
    case files::ReadResult::Ok:
      break;
  }
  return true;
}

}  // namespace orrin
