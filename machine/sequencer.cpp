// The microprogrammed controller: word decoding, the register-select
// multiplexer, the next-address logic and the micro-address register.
#include <algorithm>

#include "machine/core.h"

namespace orrin {

void Core::DecodeAt(int32_t address, const MicroInputs& in) {
  DecodeWord(address & 63, MicrowordValue(*this, address), FetchMicroword(*this, address), in);
}

void Core::DecodeWord(int32_t address, uint64_t word, std::string_view text, const MicroInputs& in) {
  MicroDecode& d = Micro.Decode;
  d.Word = word;
  d.Address = address & 63;
  d.WordText.fill('\0');
  std::copy_n(text.begin(), std::min<size_t>(text.size(), d.WordText.size()), d.WordText.begin());

  const int32_t P0 = d.Bit(mbit::P0), P1 = d.Bit(mbit::P1), P2 = d.Bit(mbit::P2), P3 = d.Bit(mbit::P3),
                P4 = d.Bit(mbit::P4);
  for (int i = 0; i < 8; ++i) d.IRBits[static_cast<size_t>(i)] = (in.IR >> i) & 1;
  auto b = [](int32_t v) { return v & 1; };
  d.Terms[0] = b(in.SWC) & P0;
  d.Terms[1] = b(in.IR7I) & P1;
  d.Terms[2] = b(in.SWB) & P0;
  d.Terms[3] = b(in.IR6I) & P1;
  d.Terms[4] = b(in.SWA) & P0;
  d.Terms[5] = b(in.IR5I) & P1;
  d.Terms[6] = b(in.ZI) & P3;
  d.Terms[7] = b(in.CI) & P2;
  d.Terms[8] = b(in.IR4I) & P1;
  d.Terms[10] = b(in.INTQ) & P4;
  d.PartialOr[0] = d.Terms[0] | d.Terms[1];
  d.PartialOr[1] = d.Terms[2] | d.Terms[3];
  d.PartialOr[2] = d.Terms[4] | d.Terms[5];
  d.PartialOr[3] = d.Terms[6] | d.Terms[7];
  d.PartialOr[4] = d.Terms[8] | d.Bit(0);
  d.NuA[5] = d.Bit(5);
  d.NuA[4] = d.Bit(4) | d.Terms[10];
  d.NuA[3] = d.Bit(3) | d.PartialOr[0];
  d.NuA[2] = d.Bit(2) | d.PartialOr[1];
  d.NuA[1] = d.Bit(1) | d.PartialOr[2];
  d.NuA[0] = d.PartialOr[4] | d.PartialOr[3];
  d.NextMicroAddress = d.NuA[5] * 32 + d.NuA[4] * 16 + d.NuA[3] * 8 + d.NuA[2] * 4 + d.NuA[1] * 2 + d.NuA[0];

  // Register-select multiplexer: SEL3..SEL0 when SELCTL, else IR3..IR0.
  if (d.Bit(mbit::SELCTL) == 1) {
    d.RegSelect = {d.Bit(mbit::SEL3), d.Bit(mbit::SEL2), d.Bit(mbit::SEL1), d.Bit(mbit::SEL0)};
  } else {
    d.RegSelect = {d.IRBits[3], d.IRBits[2], d.IRBits[1], d.IRBits[0]};
  }
}

void Core::ComputeNextAddress(const Surroundings& s, int32_t ir, int32_t zOut, int32_t cOut) {
  auto jackBit = [&](int j) {
    const int32_t v = s.wires.Value(j);
    return v == NoValue ? 0 : (v & 1);
  };
  MicroInputs& in = Micro.In;
  in.IR = ir;
  in.ZOut = zOut;
  in.COut = cOut;
  in.SWC = s.swc;
  in.SWB = s.swb;
  in.SWA = s.swa;
  in.INTQ = Int.INTQ;
  in.CI = jackBit(jack::CI);
  in.ZI = jackBit(jack::ZI);
  in.IR7I = jackBit(jack::IR7I);
  in.IR6I = jackBit(jack::IR6I);
  in.IR5I = jackBit(jack::IR5I);
  in.IR4I = jackBit(jack::IR4I);
  DecodeAt(Micro.MicroAddress, in);
  Micro.NextMicroAddress = Micro.Decode.NextMicroAddress;
  Micro.SEL = Micro.Decode.RegSelect;
}

// At the falling edge of T3 (the first small beat of a cycle) the
// micro-address takes the next address; at level beats the word is decoded.
void Core::ClockSequencer() {
  const bool level = Beat.AfterReset || Beat.BeatLevel == LevelBeat;
  Micro.MicroAddressLoaded = false;
  if (!level && Complement(Beat.T3) == LevelRising) {
    Micro.MicroAddress = Micro.NextMicroAddress & 63;
    Micro.MicroAddressLoaded = true;
  }
  if (level) {
    DecodeAt(Micro.MicroAddress, Micro.In);
    Micro.NextMicroAddress = Micro.Decode.NextMicroAddress;
    Micro.SEL = Micro.Decode.RegSelect;
  }
}

void Core::ClearSequencer() {
  Micro.MicroAddress = Micro.NextMicroAddress = 0;
  Micro.MicroAddressLoaded = false;
  Micro.SEL = {};
  Micro.Decode = MicroDecode{};
  Micro.In = MicroInputs{};
  Micro.T3 = Micro.T3Inv = LevelLow;
  Micro.Shown = SequencerRecord{};
}

}  // namespace orrin
