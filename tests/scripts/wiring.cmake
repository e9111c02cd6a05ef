# Golden scripts of the wiring board: the editor, an independent-mode
# experiment wired to the level switches, and a program in microprogram mode.
orrin_golden(wire_editor)
orrin_golden(independent_alu)
orrin_golden(microprogram_run)
