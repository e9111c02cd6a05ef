# Golden scripts of the console experiments (microprogram mode, no wiring).
foreach(script write_memory read_memory write_registers read_registers alu
    memory_experiment datapath_experiment)
  orrin_golden(${script})
endforeach()
# The hard-wired controller, loaded from its netlist.
orrin_golden(hardwired)
