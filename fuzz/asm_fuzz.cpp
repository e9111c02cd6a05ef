// Any bytes as an assembly source: no crash, and a source that assembles
// lists back into a listing that assembles to the same image. The same bytes
// as a memory image: its listing assembles to that image.
#include <string>

#include "asm/assembler.h"

namespace {

orrin::MemoryImage Reassembled(const orrin::MemoryImage& image) {
  std::string listing;
  for (const std::string& line : orrin::Disassemble(image, orrin::StandardInstructionSet())) listing += line + "\n";
  const orrin::AsmResult back = orrin::Assemble(listing, orrin::StandardInstructionSet());
  if (!back.ok()) __builtin_trap();
  return back.image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  const orrin::AsmResult r = orrin::Assemble(source, orrin::StandardInstructionSet());
  if (r.ok() && Reassembled(r.image) != r.image) __builtin_trap();
  if (!r.ok() && r.image != orrin::MemoryImage{}) __builtin_trap();
  orrin::MemoryImage raw{};
  for (size_t i = 0; i < size && i < raw.size(); ++i) raw[i] = data[i];
  if (Reassembled(raw) != raw) __builtin_trap();
  return 0;
}
