# The façade: every user action and timer tick, calling the components.
add_library(orrin_sim STATIC
  simulator/simulator.cpp
  simulator/faults.cpp
  simulator/session.cpp
  simulator/commands.cpp
  simulator/actions_console.cpp
  simulator/actions_trace.cpp
  simulator/actions_wiring.cpp
  simulator/actions_panels.cpp
)
target_link_libraries(orrin_sim PUBLIC orrin_machine orrin_asm)
orrin_layer(orrin_sim simulator)
