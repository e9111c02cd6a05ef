target_sources(orrin_sim PRIVATE
  exec/microprogram.cpp
  exec/default_control_store.cpp
  exec/stepping.cpp
  exec/console.cpp
  exec/switches.cpp
  exec/trace.cpp
  exec/trace_export.cpp
  exec/trace_diagram.cpp
  exec/diagram_png.cpp
)
