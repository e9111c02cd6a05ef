# The machine's components: the core (the units, the combinational pass,
# the clock step, the sequencer, the control store), the wire store, the
# console, the trace and its exports, the wire editor and the panels.
add_library(orrin_machine STATIC
  machine/control_store.cpp
  machine/controller.cpp
  machine/core_pass.cpp
  machine/core_step.cpp
  machine/sequencer.cpp
  machine/wire_store.cpp
  machine/wire_editor.cpp
  machine/trace.cpp
  machine/trace_signals.cpp
  machine/trace_export.cpp
  machine/trace_diagram.cpp
  machine/diagram_png.cpp
  machine/exporter.cpp
  machine/panels_board.cpp
  machine/panels_controller.cpp
  machine/panels_datapath.cpp
  machine/panels_memory.cpp
  machine/panels_grids.cpp
)
target_link_libraries(orrin_machine PUBLIC orrin_units orrin_hardwired)
if(ORRIN_WEB)
  # The page writes pictures without zlib (see diagram_png.cpp).
  target_compile_definitions(orrin_machine PRIVATE ORRIN_NO_ZLIB)
else()
  target_link_libraries(orrin_machine PRIVATE ZLIB::ZLIB)
endif()
orrin_layer(orrin_machine machine)
