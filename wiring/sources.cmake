target_sources(orrin_sim PRIVATE
  wiring/jack_table.cpp
  wiring/wire_check.cpp
  wiring/wire_editor.cpp
  wiring/wire_file.cpp
  wiring/wire_hints.cpp
  wiring/wire_store.cpp
)
