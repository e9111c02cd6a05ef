// orrin-asm [--isa FILE] SOURCE -o OUT.txt   assembles SOURCE into a memory file
// orrin-asm [--isa FILE] -d MEMFILE          lists a memory file in mnemonics
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "asm/assembler.h"
#include "base/command_line.h"
#include "base/memory_file.h"
#include "base/text_files.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: orrin-asm [--isa FILE] SOURCE -o OUT.txt\n"
    "  or:  orrin-asm [--isa FILE] -d MEMFILE\n"
    "Assembles the program SOURCE into a memory file the board loads (OUT.txt,\n"
    "512 hex digits), or lists a memory file in mnemonics.\n"
    "\n"
    "Options:\n"
    "  --isa FILE  the instruction set of a changed microprogram (default: the\n"
    "              standard one)\n"
    "  -o OUT.txt  the memory file to write\n"
    "  -d MEMFILE  list MEMFILE, one line per byte: address, byte, mnemonic\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Errors are printed as FILE:LINE: message, all of them; nothing is written then.\n"
    "\n"
    "Exit status:\n"
    "  0  assembled or listed\n"
    "  2  the source has errors, bad options, or a file that cannot be read or written\n";

constexpr const char* kUsage = "usage: orrin-asm [--isa FILE] SOURCE -o OUT.txt | orrin-asm [--isa FILE] -d MEMFILE";

int Fail(const std::string& message) {
  std::cerr << "orrin-asm: " << message << "\n";
  return 2;
}

// Reads a whole file of at most `limit` bytes; the message when it cannot.
std::string Read(const std::string& path, std::size_t limit, std::string& text) {
  switch (orrin::files::ReadWholeFile(path, limit, text, orrin::files::Accept::Streams)) {
    case orrin::files::ReadResult::CannotRead:
      return "cannot read " + path;
    case orrin::files::ReadResult::TooLarge:
      return path + " is too large (over " + std::to_string(limit) + " bytes)";
    case orrin::files::ReadResult::Ok:
      break;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orrin;
  if (const auto status = AnswerHelpOrVersion(argc, argv, "orrin-asm", kHelp)) return *status;
  std::string isaFile, source, out, listing;
  const std::vector<std::string> args(argv + 1, argv + argc);
  bool options = true;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string* value = !options       ? nullptr
                         : a == "--isa" ? &isaFile
                         : a == "-o"    ? &out
                         : a == "-d"    ? &listing
                                        : nullptr;
    if (value != nullptr) {
      if (i + 1 >= args.size() || !value->empty()) return Fail(kUsage);
      *value = args[++i];
    } else if (options && a == "--") {
      options = false;
    } else if (options && a.size() > 1 && a[0] == '-') {
      return Fail("unknown option " + a + "\n" + kUsage);
    } else if (source.empty()) {
      source = a;
    } else {
      return Fail(kUsage);
    }
  }
  if (listing.empty() == source.empty() || (!source.empty() && out.empty()) || (!listing.empty() && !out.empty()))
    return Fail(kUsage);

  InstructionSet isa = StandardInstructionSet();
  if (!isaFile.empty()) {
    std::string text;
    if (const std::string why = Read(isaFile, kLongestSource, text); !why.empty()) return Fail(why);
    std::vector<std::string> errors;
    if (!ParseInstructionSet(text, isa, errors)) {
      for (const std::string& e : errors) std::cerr << isaFile << ":" << e << "\n";
      return 2;
    }
  }

  if (!listing.empty()) {
    std::string text;
    MemoryImage image{};
    if (const std::string why = Read(listing, kLongestMemoryFile, text); !why.empty()) return Fail(why);
    if (!ReadMemoryFile(text, image)) return Fail(listing + " is not a memory file (512 hex digits)");
    for (const std::string& line : Disassemble(image, isa)) std::cout << line << "\n";
    return 0;
  }

  std::string text;
  if (const std::string why = Read(source, kLongestSource, text); !why.empty()) return Fail(why);
  // -o naming the source (under any path) would replace the program by its bytes.
  std::error_code ec;
  if (std::filesystem::equivalent(source, out, ec)) return Fail("-o " + out + " is the source itself; not overwritten");
  const AsmResult result = Assemble(text, isa);
  if (!result.ok()) {
    for (const AsmError& e : result.errors) std::cerr << source << ":" << e.line << ": " << e.message << "\n";
    return 2;
  }
  if (!files::WriteWholeFile(out, MemoryFileText(result.image), files::Accept::Streams))
    return Fail("cannot write " + out);
  return 0;
}
