#pragma once
// The microprogram source (.mc): each control-store word by the names of its
// signals and tests, its next address as two hex digits or a label, and the
// instruction lines that say which instruction set the microprogram
// implements. A student writes and reads words by name instead of forty bits
// as ten hex digits.
//
//   HH: [LABEL:] ITEM ... [-> NEXT]   ; comment
//   instruction H MNEMONIC FORM
//
// ITEMs: the single-bit signals by name (PCADD … DRW), the tests P0 … P4,
// S=H (S3..S0) and SEL=H (SEL3..SEL0); NEXT omitted is 00.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "asm/isa.h"
#include "base/machine_state.h"

namespace orrin {

inline constexpr std::size_t kLongestMicroSource = 1 << 20;

struct MicroSourceWord {
  int address = 0;
  uint64_t word = 0;    // M39 the top bit
  std::string label;    // "" for none
  std::string comment;  // after ';', without it and without the line end
  int64_t line = 0;
};

struct MicroSource {
  std::vector<MicroSourceWord> words;  // in address order
  bool hasInstructions = false;        // the source describes the instruction set
  InstructionSet isa;                  // its instruction lines, when it has any
};

// Every error as "FILE:LINE: message" (all of them); any error leaves
// `source` empty and returns false.
bool AssembleMicroSource(std::string_view text, std::string_view file, MicroSource& source,
                         std::vector<std::string>& errors);

// The comment a control-store entry keeps for a word: ";LABEL: comment",
// ";LABEL:", ";comment", or "" when the word has neither.
std::string EntryComment(const MicroSourceWord& w);

// The store a source describes, as the board keeps it: every entry replaced.
void LoadMicroSource(MachineState& machine, const MicroSource& source);
// The microprogram file of a source: one "HH:WWWWWWWWWW" line per word,
// then " ;" and the comment when there is one; CR LF line ends.
std::string MicroFileText(const MicroSource& source);

// One word in source form: "HH: items … -> NN", then " ;comment" when the
// comment is not empty (`comment` as an entry keeps it, with or without ';').
std::string DisassembleWord(int address, uint64_t word, std::string_view comment = {});
// Every set entry of the store in address order, one line each (LF ends).
std::string DisassembleStore(const MachineState& machine);

}  // namespace orrin
