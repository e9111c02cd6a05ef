#!/usr/bin/env python3
"""Random console scripts for the differential check (scripts/differential.sh).

Each script mixes every kind of action a student or a teacher's check does:
switches, beats, runs, register and grid edits, the board's files (loaded
from the examples, saved and exported into the script's own folder), playback,
wiring by jack and by mouse, faults, questions, prints and expectations. A
few lines are deliberately bad, so the error paths are compared too. Some
scripts follow a lab (the line "#lab NAME" at the top says which) or print in
English ("#lang en").

usage: random_scripts.py OUT_DIR COUNT [SEED]
"""
import os
import random
import re
import sys

JACKS_OUT = ["K%d" % i for i in range(32)] + ["C-O", "Z-O", "IR7-O", "IR6-O", "IR5-O", "IR4-O", "VCC", "GND",
                                              "VCC#2", "GND#2"]
JACKS_IN = ["C-I", "Z-I", "IR4-I", "IR5-I", "IR6-I", "IR7-I", "RS1", "RS0", "RD1", "RD0", "S3", "S2", "S1",
            "S0", "M", "ABUS", "PCADD", "SBUS", "STOP", "DRW", "PCINC", "CIN", "LAR", "LDC", "LDZ", "MBUS", "MEMW",
            "ARINC", "LPC", "INTEN", "INTDI", "LIAR", "IABUS", "LIR"]
FIELDS = ["R0", "R1", "R2", "R3", "AR", "PC", "IR", "IAR", "C", "Z", "EN_INT", "uAR"]
NAMES = ["R0", "R1", "R2", "R3", "PC", "AR", "IR", "IAR", "C", "Z", "BUS", "uAR", "step", "phase", "INTQ", "EN_INT",
         "Label_181formula", "SpeedButtonPOWER", "Image_DP", "Image_SWA", "Memo_WireIn", "ListBox_MEM"]
# Every widget of the board, printed at the end of each script: the whole view is compared.
WIDGETS = re.findall(r"^W\((\w+),", open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                                     "base", "widgets.def")).read(), re.M)
LABS = ["alu", "memory", "datapath", "fetch", "program", "interrupt", "stuck_jack", "broken_wire"]


def hexs(r, n):
    return "".join(r.choice("0123456789ABCDEF") for _ in range(n))


def line(r):
    k = r.randrange(100)
    if k < 14:
        return r.choice(["step", "step", "step", "qd", "pause", "clr", "pulse", "dp", "swa", "swb", "swc"])
    if k < 22:
        return r.choice(["k %d" % r.randrange(32), "sd %d" % r.randrange(8)])
    if k < 27:
        return r.choice(["run %d" % r.randrange(400), "tick %d" % r.randrange(40), "tick", "run 50"])
    if k < 30:
        return r.choice(["power", "mode independent", "mode microprogram", "mode hardwired"])
    if k < 36:
        f = r.choice(FIELDS)
        return "edit %s %s" % (f, r.choice([hexs(r, 2), hexs(r, 1), r.choice("01"), "", "zz", hexs(r, 3)])) \
            if r.randrange(5) else "edit %s" % f
    if k < 42:
        if r.randrange(2):
            return "mem-cell %02X %s" % (r.randrange(256), r.choice([hexs(r, 2), "", "G1", hexs(r, 1)]))
        return "micro-cell %02X %s" % (r.randrange(64), r.choice([hexs(r, 10), "", hexs(r, 9), "xyz"]))
    if k < 45:
        return r.choice(["mem-save", "micro-save"])
    if k < 52:
        return r.choice(["load-memory ex/memory/%s.txt" % r.choice(["sum", "copy", "interrupt"]),
                         "load-micro ex/microprogram/default.txt",
                         "load-wires ex/wiring/%s.txt" % r.choice(["alu", "memory", "datapath", "microprogram"]),
                         "load-asm ex/asm/%s.asm" % r.choice(["sum", "copy", "interrupt"]),
                         "load-memory missing.txt", "load-memory -", "load-micro ex/asm/sum.asm"])
    if k < 55:
        return r.choice(["save-memory out/mem.txt", "save-micro out/micro.txt", "save-wires out/wires.txt",
                         "save-memory -", "save-memory out"])
    if k < 58:
        ext = r.choice(["vcd", "csv", "json", "svg", "vcd", "csv", "png"])
        rng = r.choice(["", "", " %d %d" % (r.randrange(50), 50 + r.randrange(200))])
        return "export-trace out/trace.%s%s" % (ext, rng)
    if k < 64:
        return r.choice(["back", "back", "forward", "show %d" % r.randrange(300)])
    if k < 71:
        a, b = r.choice(JACKS_OUT), r.choice(JACKS_IN)
        bends = " %d,%d" % (r.randrange(900), r.randrange(600)) if r.randrange(4) == 0 else ""
        return "wire %s %s%s" % (a, b, bends) if r.randrange(12) else "wire %s %s" % (b, a)
    if k < 75:
        x, y = r.randrange(900), r.randrange(600)
        return r.choice(["move %d %d" % (x, y), "release %d %d" % (x, y), "release %d %d right" % (x, y),
                         "hover %d %d" % (x, y), "hover-k %d %d %d" % (r.randrange(32), r.randrange(10), r.randrange(50)),
                         "hover-label", "hover-console", "blink"])
    if k < 78:
        return r.choice(["clear-wires", "wire-colour %s" % hexs(r, 6), "wire-colour -"])
    if k < 82:
        return r.choice(["answer yes", "answer no", "answer cancel"])
    if k < 85:
        return r.choice(["fault jack %s %d" % (r.choice(JACKS_IN + JACKS_OUT[:32]), r.randrange(2)),
                         "fault reg %s %d %d" % (r.choice(["R0", "R1", "AR", "PC", "IR"]), r.randrange(8),
                                                 r.randrange(2)),
                         "fault mem %02X %d %d" % (r.randrange(256), r.randrange(8), r.randrange(2)),
                         "fault wire %s %s" % (r.choice(JACKS_OUT), r.choice(JACKS_IN)),
                         "fault lamp Image_%s" % r.choice(["LDC", "DRW", "S3", "MEMW", "SEL0"]), "fault clear"])
    if k < 90:
        return r.choice(["dump", "print %s" % " ".join(r.sample(NAMES, 3)), "print MEM[%02X] uM[%02X]" %
                         (r.randrange(256), r.randrange(64))])
    if k < 94:
        name = r.choice(NAMES[:11])
        return "expect %s=%s" % (name, hexs(r, 2) if name not in ("C", "Z") else r.choice("01"))
    return r.choice(["close-note independent", "close-note microprogram", "choose %d" % (1 + r.randrange(3))])


def bad_line(r):
    """A bad line: it stops the script with its message."""
    return r.choice(["k 32", "sd", "frobnicate", "edit XX 12", "mem-cell 100", "wire K0", "run -1", "show x",
                     "mode fast", "print NoSuchWidget", "export-trace out/t.vcd 9 3", "expect R0", "fault reg R9 0 1", "export-trace out/x.doc"])


def script(r):
    lines = []
    header = []
    if r.randrange(8) == 0:
        header.append("#lab %s" % r.choice(LABS))
    if r.randrange(6) == 0:
        header.append("#lang en")
    start = r.choice([[], ["power"], ["mode microprogram", "power"], ["load-wires ex/wiring/alu.txt", "power"],
                      ["mode microprogram", "load-asm ex/asm/sum.asm", "power", "load-asm ex/asm/sum.asm"]])
    lines += start
    for _ in range(r.randrange(10, 90)):
        lines.append(line(r))
    if r.randrange(4) == 0:
        lines.insert(r.randrange(len(lines)), bad_line(r))
    for i in range(0, len(WIDGETS), 40):
        lines.append("print " + " ".join(WIDGETS[i:i + 40]))
    # Line ends of every kind, as students' editors write them.
    end = r.choice(["\n", "\n", "\r\n", "\r"])
    return end.join(header + lines) + end


def main():
    out, count = sys.argv[1], int(sys.argv[2])
    seed = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    os.makedirs(out, exist_ok=True)
    r = random.Random(seed)
    for i in range(count):
        with open(os.path.join(out, "s%05d.orrin" % i), "w", newline="") as f:
            f.write(script(r))


if __name__ == "__main__":
    main()
