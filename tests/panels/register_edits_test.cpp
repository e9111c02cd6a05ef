// Typing a value into a register field and committing it with Enter.
#include <gtest/gtest.h>

#include "tests/panels/panel_test_util.h"

namespace orrin {
namespace {

struct PoweredBoard : Board {
  PoweredBoard() { sim.SpeedButtonPOWERClick(); }
  // Types `text` into `field` and presses Enter; returns whether Enter was swallowed.
  bool Commit(WidgetId field, const std::string& text) {
    sim.view.Writable(field).text = text;
    return sim.EditKeyPress(field, 13);
  }
};

TEST(RegisterEdits, KeptBitsOfEachField) {
  PoweredBoard b;
  EXPECT_TRUE(b.Commit(Edit_R2, "a"));
  EXPECT_EQ(b.sim.machine.Regs.R[2], 0x0A);
  EXPECT_EQ(Text(b, Edit_R2), "0A");
  b.Commit(Edit_uAR, "FF");
  EXPECT_EQ(b.sim.machine.Micro.MicroAddress, 0x3F);
  EXPECT_EQ(Text(b, Edit_uAR), "3F");
  b.Commit(Edit_Z, "3");
  EXPECT_EQ(b.sim.machine.Flags.Z, 1);
  b.Commit(Edit_Z, "2");
  EXPECT_EQ(b.sim.machine.Flags.Z, 0);
  b.Commit(Edit_C, "G");  // not a digit: 0
  EXPECT_EQ(b.sim.machine.Flags.C, 0);
  b.Commit(Edit_R3, "1Z");
  EXPECT_EQ(b.sim.machine.Regs.R[3], 0x10);
  b.Commit(Edit_EN_INT, " 1 ");  // surrounding blanks do not count
  EXPECT_EQ(b.sim.machine.Int.EN_INT, 1);
  EXPECT_EQ(Text(b, Edit_EN_INT), "1");
  // A character outside ASCII is one character worth 0, whatever its bytes.
  b.Commit(Edit_R1, "1é");
  EXPECT_EQ(b.sim.machine.Regs.R[1], 0x10);
  b.Commit(Edit_PC, "1中");
  EXPECT_EQ(b.sim.machine.Pc.PC, 0x10);
  b.Commit(Edit_C, "中");
  EXPECT_EQ(b.sim.machine.Flags.C, 0);
}

TEST(RegisterEdits, EveryCopyTakesTheValueSoTheRegisterDrivesIt) {
  PoweredBoard b;
  b.Commit(Edit_C, "1");
  EXPECT_EQ(b.sim.machine.Flags.COut, 1);
  EXPECT_EQ(b.sim.machine.Flags.Shown.COut, 1);
  EXPECT_EQ(b.sim.wires.Value(jack::CO), 1);  // the evaluation drives C-O from it
  b.Commit(Edit_IR, "C5");
  EXPECT_EQ(b.sim.machine.Ir.Out, 0xC5);
  EXPECT_EQ(b.sim.wires.Value(jack::IR7O), 1);
  b.Commit(Edit_AR, "3C");
  EXPECT_EQ(b.sim.machine.Ar.Out, 0x3C);
  EXPECT_EQ(b.sim.machine.Mem.Shown.ArAddr, 0x3C);  // the memory's data port follows
  b.Commit(Edit_PC, "80");
  EXPECT_EQ(b.sim.machine.Pc.Out, 0x80);
  EXPECT_EQ(b.sim.machine.Mem.Shown.PcAddr, 0x80);
  b.Commit(Edit_IAR, "42");
  EXPECT_EQ(b.sim.machine.Iar.Shown.IAR, 0x42);
  EXPECT_EQ(Text(b, Edit_IAR), "42");
  // The register file's ports see an edited register at once.
  b.Commit(Edit_R0, "99");
  EXPECT_EQ(Text(b, Label_ChoiceANum), "99");
}

TEST(RegisterEdits, RefusedTextsStoreNothingAndTheFieldShowsTheValueAgain) {
  PoweredBoard b;
  b.Commit(Edit_R1, "42");
  for (const char* text : {"", "   ", "123"}) {
    EXPECT_TRUE(b.Commit(Edit_R1, text));
    EXPECT_EQ(b.sim.machine.Regs.R[1], 0x42) << text;
    EXPECT_EQ(Text(b, Edit_R1), "42") << text;
  }
  b.Commit(Edit_Z, "11");  // longer than a flag field
  EXPECT_EQ(b.sim.machine.Flags.Z, 0);
}

TEST(RegisterEdits, OtherKeysAndPowerOffAreLeftToTheField) {
  PoweredBoard b;
  b.sim.view.Writable(Edit_R0).text = "12";
  EXPECT_FALSE(b.sim.EditKeyPress(Edit_R0, 'A'));
  EXPECT_EQ(b.sim.machine.Regs.R[0], 0);
  EXPECT_EQ(Text(b, Edit_R0), "12");                 // typing stays until the next repaint
  EXPECT_FALSE(b.sim.EditKeyPress(Label_STOP, 13));  // not a register field

  Board off;
  EXPECT_TRUE(off.sim.view[Edit_R0].readOnly);
  off.sim.view.Writable(Edit_R0).text = "12";
  EXPECT_FALSE(off.sim.EditKeyPress(Edit_R0, 13));
  EXPECT_EQ(off.sim.machine.Regs.R[0], 0);
  b.sim.SpeedButtonPOWERClick();
  EXPECT_TRUE(b.sim.view[Edit_uAR].readOnly);
}

}  // namespace
}  // namespace orrin
