orrin_test(orrin_wiring_tests
  wiring/canvas_test.cpp
  wiring/wire_check_test.cpp
  wiring/wire_editor_test.cpp
  wiring/wire_file_test.cpp
  wiring/wire_hints_test.cpp
)
