# Golden scripts of the panels: the memory and datapath experiments, programs
# from memory files, and the register, grid and file editors.
orrin_golden(memory_experiment_panels)
orrin_golden(datapath_experiment_panels)
orrin_golden(program_run)
orrin_golden(panel_editing)
orrin_golden(file_readers)
