# The units layer: each rule of the board's units, once, as a function of the
# unit's record; above the base layer, below the simulator.
add_library(orrin_units STATIC
  units/alu.cpp
  units/bus.cpp
  units/flags.cpp
  units/interrupt.cpp
  units/memory.cpp
  units/register_file.cpp
  units/ar.cpp
  units/iar.cpp
  units/ir.cpp
  units/pc.cpp
  units/switches.cpp
)
target_link_libraries(orrin_units PUBLIC orrin_base)
orrin_layer(orrin_units units)
