target_sources(orrin_sim PRIVATE
  wiring/jack_table.cpp
  wiring/wire_store.cpp
  wiring/wiring_stub.cpp
)
