target_sources(orrin_sim PRIVATE
  panels/controller_panel.cpp
  panels/datapath_panels.cpp
  panels/memory_bus_panels.cpp
  panels/memory_grid.cpp
  panels/memory_file.cpp
  panels/micro_grid.cpp
  panels/register_edits.cpp
)
