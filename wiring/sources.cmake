target_sources(orrin_sim PRIVATE
  wiring/wire_check.cpp
  wiring/wire_editor.cpp
  wiring/wire_file.cpp
  wiring/wire_hints.cpp
  machine/wire_store.cpp
)
