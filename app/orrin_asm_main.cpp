// orrin-asm [--isa FILE] SOURCE -o OUT.txt   assembles SOURCE into a memory file
// orrin-asm [--isa FILE] -d MEMFILE          lists a memory file in mnemonics
// orrin-asm --micro SOURCE.mc -o MICRO.txt   assembles a microprogram source
// orrin-asm --micro -d MICRO.txt             a microprogram file as a source
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "asm/assembler.h"
#include "asm/micro_source.h"
#include "base/command_line.h"
#include "base/memory_file.h"
#include "base/micro_file.h"
#include "base/text_files.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: orrin-asm [--isa FILE] SOURCE -o OUT.txt\n"
    "  or:  orrin-asm [--isa FILE] -d MEMFILE\n"
    "  or:  orrin-asm --micro SOURCE.mc -o MICRO.txt\n"
    "  or:  orrin-asm --micro -d MICRO.txt\n"
    "Assembles the program SOURCE into a memory file the board loads (OUT.txt,\n"
    "512 hex digits), or lists a memory file in mnemonics. With --micro, assembles\n"
    "a microprogram source (words by the names of their signals) into a\n"
    "microprogram file the board loads, or prints a microprogram file as a source.\n"
    "\n"
    "Options:\n"
    "  --isa FILE  the instruction set of a changed microprogram (default: the\n"
    "              standard one); a microprogram source (.mc) gives its\n"
    "              instruction lines\n"
    "  --micro     the files are a microprogram source and a microprogram file\n"
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

constexpr const char* kUsage =
    "usage: orrin-asm [--isa FILE] SOURCE -o OUT.txt | orrin-asm [--isa FILE] -d MEMFILE | orrin-asm --micro SOURCE.mc "
    "-o MICRO.txt | orrin-asm --micro -d MICRO.txt";

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

// A microprogram source into the file the board loads; nothing is written
// when it has an error.
int AssembleMicro(const std::string& source, const std::string& out) {
  using namespace orrin;
  std::string text;
  if (const std::string why = Read(source, kLongestMicroSource, text); !why.empty()) return Fail(why);
  std::error_code ec;
  if (std::filesystem::equivalent(source, out, ec)) return Fail("-o " + out + " is the source itself; not overwritten");
  MicroSource mc;
  std::vector<std::string> errors;
  if (!AssembleMicroSource(text, source, mc, errors)) {
    for (const std::string& e : errors) std::cerr << e << "\n";
    return 2;
  }
  if (!files::WriteWholeFile(out, MicroFileText(mc), files::Accept::Streams)) return Fail("cannot write " + out);
  return 0;
}

// A microprogram file as the board reads it, printed as a source.
int ListMicro(const std::string& path) {
  using namespace orrin;
  std::string text;
  if (const std::string why = Read(path, files::kLongestMicroFile, text); !why.empty()) return Fail(why);
  if (files::CountMicrowords(text) == 0 && !files::IsBlank(text))
    return Fail(path + " is not a microprogram file (no line of twelve hex digits)");
  auto machine = std::make_unique<MachineState>();
  ClearControlStore(*machine);
  const std::vector<int64_t> skipped = files::ReadMicroprogram(*machine, text);
  std::cout << DisassembleStore(*machine);
  if (!skipped.empty())
    std::cerr << "orrin-asm: " << path << ": lines " << files::LineList(skipped)
              << " skipped (not twelve hex digits)\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orrin;
  if (const auto status = AnswerHelpOrVersion(argc, argv, "orrin-asm", kHelp)) return *status;
  std::string isaFile, source, out, listing;
  const std::vector<std::string> args(argv + 1, argv + argc);
  bool options = true, micro = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options && a == "--micro") {
      micro = true;
      continue;
    }
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
  if (listing.empty() == source.empty() || (!source.empty() && out.empty()) || (!listing.empty() && !out.empty()) ||
      (micro && !isaFile.empty()))
    return Fail(kUsage);
  if (micro) return listing.empty() ? AssembleMicro(source, out) : ListMicro(listing);

  InstructionSet isa = StandardInstructionSet();
  if (!isaFile.empty()) {
    std::string text;
    if (const std::string why = Read(isaFile, kLongestSource, text); !why.empty()) return Fail(why);
    std::vector<std::string> errors;
    if (files::LowerExtension(isaFile) == "mc") {
      // The instruction lines of a microprogram source; without any, the standard set.
      MicroSource mc;
      if (!AssembleMicroSource(text, isaFile, mc, errors)) {
        for (const std::string& e : errors) std::cerr << e << "\n";
        return 2;
      }
      if (mc.hasInstructions) isa = mc.isa;
    } else if (!ParseInstructionSet(text, isa, errors)) {
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
