#include "base/micro_file.h"

#include "base/line_ends.h"
#include "base/hex_text.h"

namespace orrin::files {

namespace {
// The digits and the comment of the line being read.
struct Line {
  char digits[12] = {};
  int count = 0;  // every digit counts, also past the twelfth
  std::string_view comment;

  void Finish(MachineState& machine) {
    if (count == 12) {
      const std::string_view all(digits, 12);
      SetControlStoreEntry(machine, ParseHex(all.substr(0, 2)), all, all.substr(2), comment);
    }
    count = 0;
    comment = {};
  }
};
}  // namespace

// A line ends at CR LF, at a lone CR, and at a lone LF unless the file uses
// CR LF, so files from any editor read line by line; a file written with
// CR LF reads as it always did.
void ReadMicroprogram(MachineState& machine, std::string_view text) {
  Line line;
  const size_t n = text.size();
  const LineEnds ends(text);
  for (size_t i = 0; i < n;) {
    const char c = text[i];
    if (c == ';') {
      size_t end = i;
      while (end < n && ends.At(end) == 0) ++end;
      if (end < n) end += ends.At(end);
      line.comment = text.substr(i, end - i);  // the comment keeps its line end
      line.Finish(machine);
      i = end;
    } else if (const size_t e = ends.At(i); e > 0) {
      line.Finish(machine);
      i += e;
    } else {
      if (HexDigitValue(c) >= 0) {
        if (line.count < 12) line.digits[line.count] = c;
        ++line.count;
      }
      ++i;  // blanks, tabs, colons and any other character are passed over
    }
  }
  line.Finish(machine);
}

std::string MicroprogramBackup(const MachineState& machine) {
  std::string out;
  out.reserve(ControlStoreSize * 15);
  for (int a = 0; a < ControlStoreSize; ++a) {
    if (machine.Micro.Store[static_cast<size_t>(a)].Address == NoValue) continue;
    out.append(Hex2(a).view());
    out += ':';
    out += FetchMicroword(machine, a);
    out += "\r\n";
  }
  return out;
}

}  // namespace orrin::files
