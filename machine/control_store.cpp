// The board's standard microprogram, loaded at start.
#include "base/hex_text.h"
#include "machine/core.h"

namespace orrin {

namespace {
// The board's standard microprogram, addresses 00..3F.
constexpr const char* kDefaultWords[ControlStoreSize] = {
    "0C00000041", "00000410A0", "4010034002", "4010028002", "4020024004", "4010028004", "6C00020000", "4400020006",
    "501002080A", "4410020808", "641002080C", "4410020815", "7810020800", "401002A01A", "0020000C01", "4410020832",
    "000E810401", "0180020014", "0000000401", "8000000401", "0010002001", "5010020816", "440A7A0017", "44099A0018",
    "440ECA0019", "440F8A0000", "401003401B", "401003501C", "401003501D", "401002A01F", "0000000000", "4020025030",
    "0000000000", "000A780C01", "0009980C01", "000EC80C01", "0008180C01", "000E80800E", "000FC08010", "0000000112",
    "0000000212", "000FC02401", "000E800401", "0040002401", "0100000001", "0200000001", "0000020401", "0000000000",
    "4020025031", "4020020000", "5010020833", "6410020834", "7810020835", "4C1002A036", "400E834037", "440E835038",
    "480E835039", "4C0E83503A", "4C1002803B", "702002483C", "6C2002483D", "582002483E", "4420024800", "0000000000",
};
}  // namespace

void Core::LoadDefaultControlStore() {
  ClearControlStore(*this);
  for (int a = 0; a < ControlStoreSize; ++a) {
    const std::string word = kDefaultWords[a];
    SetControlStoreEntry(*this, a, std::string(Hex2(a).view()) + word, word, "");
  }
}

}  // namespace orrin
