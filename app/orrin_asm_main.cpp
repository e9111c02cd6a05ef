// orrin-asm [--isa FILE] SOURCE -o OUT.txt   assembles SOURCE into a memory file
// orrin-asm [--isa FILE] -d MEMFILE          lists a memory file in mnemonics
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "asm/assembler.h"
#include "base/text_files.h"

namespace {

constexpr const char* kUsage = "usage: orrin-asm [--isa FILE] SOURCE -o OUT.txt | orrin-asm [--isa FILE] -d MEMFILE";
constexpr std::size_t kLongestSource = 1 << 20;

int Fail(const std::string& message) {
  std::cerr << "orrin-asm: " << message << "\n";
  return 2;
}

bool Read(const std::string& path, std::string& text) {
  return orrin::files::ReadWholeFile(path, kLongestSource, text) == orrin::files::ReadResult::Ok;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orrin;
  std::string isaFile, source, out, listing;
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string* value = a == "--isa" ? &isaFile : a == "-o" ? &out : a == "-d" ? &listing : nullptr;
    if (value != nullptr) {
      if (i + 1 >= args.size() || !value->empty()) return Fail(kUsage);
      *value = args[++i];
    } else if (a.size() > 1 && a[0] == '-') {
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
    if (!Read(isaFile, text)) return Fail("cannot read " + isaFile);
    std::vector<std::string> errors;
    if (!ParseInstructionSet(text, isa, errors)) {
      for (const std::string& e : errors) std::cerr << isaFile << ":" << e << "\n";
      return 2;
    }
  }

  if (!listing.empty()) {
    std::string text;
    MemoryImage image{};
    if (!Read(listing, text)) return Fail("cannot read " + listing);
    if (!ReadMemoryImage(text, image)) return Fail(listing + " is not a memory file (512 hex digits)");
    for (const std::string& line : Disassemble(image, isa)) std::cout << line << "\n";
    return 0;
  }

  std::string text;
  if (!Read(source, text)) return Fail("cannot read " + source);
  const AsmResult result = Assemble(text, isa);
  if (!result.ok()) {
    for (const AsmError& e : result.errors) std::cerr << source << ":" << e.line << ": " << e.message << "\n";
    return 2;
  }
  if (!files::WriteWholeFile(out, MemoryFileText(result.image))) return Fail("cannot write " + out);
  return 0;
}
