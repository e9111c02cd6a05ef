orrin_test(orrin_wiring_tests
  wiring/canvas_test.cpp
)
