#include "units/units.h"

namespace orrin {

void ComputeAlu(AluUnit& alu, const SignalValues& sig, int32_t a, int32_t b) {
  const int32_t r = alu.Model.Compute(sig[S3], sig[S2], sig[S1], sig[S0], sig[M], sig[CIN], a, b);
  alu.S3 = sig[S3];
  alu.S2 = sig[S2];
  alu.S1 = sig[S1];
  alu.S0 = sig[S0];
  alu.M = sig[M];
  alu.CIN = sig[CIN];
  alu.A = a;
  alu.B = b;
  alu.F = r % 256;
  alu.Cn4 = r / 256;
  alu.Formula = alu.Model.Formula;
}

void SetAluGate(GateRecord& gate, const SignalValues& sig, int32_t f, bool latch) {
  gate.ABUS = sig[ABUS];
  if (latch) {
    gate.RawF = f;
    gate.Value = Latch8(f);
  }
  gate.Gate = DrivesWhen(Active(sig[ABUS]));
}

}  // namespace orrin
