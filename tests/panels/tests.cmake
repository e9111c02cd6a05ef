orrin_test(orrin_panels_tests
  panels/controller_panel_test.cpp
  panels/datapath_panels_test.cpp
  panels/memory_bus_panels_test.cpp
  panels/memory_grid_test.cpp
  panels/micro_grid_test.cpp
  panels/register_edits_test.cpp
  panels/runner_panels_test.cpp
  panels/examples_test.cpp
  panels/hardwired_test.cpp
)
# The corpus test reads the shipped example files in place.
target_compile_definitions(orrin_panels_tests PRIVATE ORRIN_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
