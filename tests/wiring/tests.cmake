orrin_test(orrin_wiring_tests
  wiring/canvas_test.cpp
  wiring/examples_test.cpp
  wiring/runner_wiring_test.cpp
  wiring/wire_check_test.cpp
  wiring/wire_editor_test.cpp
  wiring/wire_file_test.cpp
  wiring/wire_hints_test.cpp
)
target_compile_definitions(orrin_wiring_tests PRIVATE ORRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
