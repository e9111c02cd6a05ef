#pragma once
// What every program of the board answers on its command line, whatever
// else it takes: --help prints its help to standard output and --version
// its name and version, and both end the program with status 0.
#include <cstdio>
#include <optional>
#include <string_view>

#ifndef ORRIN_VERSION
#define ORRIN_VERSION "0"
#endif

namespace orrin {

inline constexpr std::string_view kVersion = ORRIN_VERSION;

// The status to end with when the options (those before a "--") ask for
// help or the version, having printed it; nothing when they do not.
inline std::optional<int> AnswerHelpOrVersion(int argc, char** argv, std::string_view program, std::string_view help) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--") break;
    if (a == "--help") {
      std::fwrite(help.data(), 1, help.size(), stdout);
      return 0;
    }
    if (a == "--version") {
      std::printf("%.*s %.*s\n", static_cast<int>(program.size()), program.data(), static_cast<int>(kVersion.size()),
                  kVersion.data());
      return 0;
    }
  }
  return std::nullopt;
}

}  // namespace orrin
