#pragma once
// The board's control signals and the bits of a microword, each named once.
// Everything that lists them (the signal record, the sequencer's decoding,
// the independent mode's jacks, the lamps and labels, the artwork, the
// trace's columns and the exports) expands these lists.

// The 40 bits of a microword, M39 first: X(NAME, BIT). NuA5..NuA0 are the
// base next address, P4..P0 the sequencer's tests.
// clang-format off
#define ORRIN_MICROWORD_BITS(X)                                                                                    \
  X(PCADD, 39)                                                                                                     \
  X(SELCTL, 38) X(SEL3, 37) X(SEL2, 36) X(SEL1, 35) X(SEL0, 34) X(INTEN, 33) X(INTDI, 32) X(LIAR, 31) X(IABUS, 30) \
      X(MBUS, 29) X(SBUS, 28) X(ABUS, 27) X(M, 26) X(S3, 25) X(S2, 24) X(S1, 23) X(S0, 22) X(CIN, 21) X(LDC, 20)   \
          X(LDZ, 19) X(LIR, 18) X(STOP, 17) X(MEMW, 16) X(LAR, 15) X(ARINC, 14) X(LPC, 13) X(PCINC, 12) X(DRW, 11) \
              X(P4, 10) X(P3, 9) X(P2, 8) X(P1, 7) X(P0, 6) X(NuA5, 5) X(NuA4, 4) X(NuA3, 3) X(NuA2, 2) X(NuA1, 1) \
                  X(NuA0, 0)
// clang-format on

// The 28 control signals in the order of the board's signal record (and of
// the trace's columns after the registers and flags):
//   X(NAME, BIT, LAMP, ORDER, LABEL)
//   BIT    the microword bit M<BIT> that drives the signal in microprogram
//          mode; 0 for the four register selects, which the sequencer takes
//          from SEL3..SEL0 or IR
//   LAMP   Red or Green: the colour of its lamp in the row of signal lamps;
//          None for the register selects, shown by the SEL lamps
//   ORDER  the lamp's place in that row, left to right (-1: none)
//   LABEL  the label beside its jack that names what drives it
// Each signal has the input jack of its name (jack::NAME).
// clang-format off
#define ORRIN_CONTROL_SIGNALS(X)            \
  X(DRW, 11, Green, 23, Label_Hand_DRW)     \
  X(PCINC, 12, Green, 22, Label_Hand_PCINC) \
  X(LPC, 13, Green, 21, Label_Hand_LPC)     \
  X(ARINC, 14, Green, 20, Label_Hand_ARINC) \
  X(LAR, 15, Red, 19, Label_Hand_LAR)       \
  X(MEMW, 16, Red, 18, Label_Hand_MEMW)     \
  X(STOP, 17, Red, 17, Label_Hand_STOP)     \
  X(LIR, 18, Red, 16, Label_Hand_LIR)       \
  X(ABUS, 27, Green, 15, Label_Hand_ABUS)   \
  X(SBUS, 28, Green, 14, Label_Hand_SBUS)   \
  X(MBUS, 29, Green, 13, Label_Hand_MBUS)   \
  X(IABUS, 30, Green, 12, Label_Hand_IABUS) \
  X(LIAR, 31, Red, 11, Label_Hand_LIAR)     \
  X(INTDI, 32, Red, 10, Label_Hand_INTDI)   \
  X(INTEN, 33, Red, 9, Label_Hand_INTEN)    \
  X(PCADD, 39, Red, 8, Label_Hand_PCADD)    \
  X(LDZ, 19, Green, 7, Label_Hand_LDZ)      \
  X(LDC, 20, Green, 6, Label_Hand_LDC)      \
  X(CIN, 21, Green, 5, Label_Hand_Cin)      \
  X(S0, 22, Green, 4, Label_Hand_S0)        \
  X(S1, 23, Red, 3, Label_Hand_S1)          \
  X(S2, 24, Red, 2, Label_Hand_S2)          \
  X(S3, 25, Red, 1, Label_Hand_S3)          \
  X(M, 26, Red, 0, Label_Hand_M)            \
  X(RD1, 0, None, -1, Label_Hand_RD1_1)     \
  X(RD0, 0, None, -1, Label_Hand_RD0_1)     \
  X(RS1, 0, None, -1, Label_Hand_RS1)       \
  X(RS0, 0, None, -1, Label_Hand_RS0)
// clang-format on
