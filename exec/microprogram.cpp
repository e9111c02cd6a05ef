// The microprogrammed controller: word decoding, the register-select
// multiplexer and the next-address logic.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "simulator/simulator.h"

namespace orrin {

namespace {
// Bits[n] = Mn of a ten-character word; a character that is not a hex digit counts 0.
void DecodeWord(std::string_view word, std::array<int32_t, 40>& bits) {
  for (int i = 0; i < 10; ++i) {
    const int d = i < static_cast<int>(word.size()) ? HexDigitValue(word[static_cast<size_t>(i)]) : 0;
    const int nibble = d < 0 ? 0 : d;
    const int top = 39 - 4 * i;  // bit number of the nibble's high bit
    for (int b = 0; b < 4; ++b) bits[static_cast<size_t>(top - b)] = (nibble >> (3 - b)) & 1;
  }
}
}  // namespace

void Simulator::DecodeForDisplay(int32_t address, const MicroInputs& in) {
  DecodeWordForDisplay(address & 63, FetchMicroword(machine, address & 63), in);
}

void Simulator::DecodeWordForDisplay(int32_t address, std::string_view word, const MicroInputs& in) {
  MicroDecode& d = machine.Micro.Decode;
  address &= 63;
  DecodeWord(word, d.Bits);
  std::snprintf(d.MicroText, sizeof d.MicroText, "%02X:%.*s", address,
                static_cast<int>(std::min<size_t>(word.size(), 10)), word.data());

  const auto& M = d.Bits;
  const int32_t P0 = M[6], P1 = M[7], P2 = M[8], P3 = M[9], P4 = M[10];
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
  d.PartialOr[4] = d.Terms[8] | M[0];
  d.NuA[5] = M[5];
  d.NuA[4] = M[4] | d.Terms[10];
  d.NuA[3] = M[3] | d.PartialOr[0];
  d.NuA[2] = M[2] | d.PartialOr[1];
  d.NuA[1] = M[1] | d.PartialOr[2];
  d.NuA[0] = d.PartialOr[4] | d.PartialOr[3];
  d.NextMicroAddress = d.NuA[5] * 32 + d.NuA[4] * 16 + d.NuA[3] * 8 + d.NuA[2] * 4 + d.NuA[1] * 2 + d.NuA[0];

  // Register-select multiplexer: SEL3..SEL0 when SELCTL, else IR3..IR0.
  if (M[38] == 1) {
    d.RegSelect = {M[37], M[36], M[35], M[34]};
  } else {
    d.RegSelect = {d.IRBits[3], d.IRBits[2], d.IRBits[1], d.IRBits[0]};
  }
}

void Simulator::ComputeNextAddress(int32_t ir, int32_t zOut, int32_t cOut) {
  MicroUnit& mu = machine.Micro;
  auto jackBit = [&](int j) {
    const int32_t v = wires.Value(j);
    return v == NoValue ? 0 : (v & 1);
  };
  MicroInputs& in = mu.In;
  in.IR = ir;
  in.ZOut = zOut;
  in.COut = cOut;
  in.SWC = machine.Console.SWC;
  in.SWB = machine.Console.SWB;
  in.SWA = machine.Console.SWA;
  in.INTQ = machine.Int.INTQ;
  in.CI = jackBit(jack::CI);
  in.ZI = jackBit(jack::ZI);
  in.IR7I = jackBit(jack::IR7I);
  in.IR6I = jackBit(jack::IR6I);
  in.IR5I = jackBit(jack::IR5I);
  in.IR4I = jackBit(jack::IR4I);
  DecodeForDisplay(mu.MicroAddress, in);
  mu.NextMicroAddress = mu.Decode.NextMicroAddress;
  mu.SEL = mu.Decode.RegSelect;
}

void Simulator::SequencerFormNextAddress() {
  MicroUnit& mu = machine.Micro;
  mu.T3 = machine.Beat.T3;
  mu.T3Inv = Complement(machine.Beat.T3);
  ComputeNextAddress(machine.Ir.Out, machine.Flags.ZOut, machine.Flags.COut);
}

void Simulator::MicroSignals() {
  const auto& M = machine.Micro.Decode.Bits;
  auto& v = machine.Signals.Value;
  v[PCADD] = M[39];
  v[INTEN] = M[33];
  v[INTDI] = M[32];
  v[LIAR] = M[31];
  v[IABUS] = M[30];
  v[MBUS] = M[29];
  v[SBUS] = M[28];
  v[ABUS] = M[27];
  v[Sig::M] = M[26];
  v[S3] = M[25];
  v[S2] = M[24];
  v[S1] = M[23];
  v[S0] = M[22];
  v[CIN] = M[21];
  v[LDC] = M[20];
  v[LDZ] = M[19];
  v[LIR] = M[18];
  v[STOP] = M[17];
  v[MEMW] = M[16];
  v[LAR] = M[15];
  v[ARINC] = M[14];
  v[LPC] = M[13];
  v[PCINC] = M[12];
  v[DRW] = M[11];
  v[RD1] = machine.Micro.SEL[0];
  v[RD0] = machine.Micro.SEL[1];
  v[RS1] = machine.Micro.SEL[2];
  v[RS0] = machine.Micro.SEL[3];
}

void Simulator::SequencerClockAddress() {
  MicroUnit& mu = machine.Micro;
  const bool level = machine.Console.AfterReset == 1 || machine.Beat.BeatLevel == LevelBeat;
  mu.MicroAddressLoaded = 0;
  if (!level && Complement(machine.Beat.T3) == LevelRising) {
    mu.MicroAddress = mu.NextMicroAddress & 63;
    mu.MicroAddressLoaded = 1;
  }
  if (level) {
    DecodeForDisplay(mu.MicroAddress, mu.In);
    mu.NextMicroAddress = mu.Decode.NextMicroAddress;
    mu.SEL = mu.Decode.RegSelect;
  }
}

void Simulator::ClearSequencer() {
  MicroUnit& mu = machine.Micro;
  mu.MicroAddress = mu.MicroAddressLoaded = mu.NextMicroAddress = 0;
  mu.SEL = {};
  mu.Decode = MicroDecode{};
  mu.In = MicroInputs{};
  mu.T3 = mu.T3Inv = LevelLow;
  mu.Shown = SequencerRecord{};
}

}  // namespace orrin
