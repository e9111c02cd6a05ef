orrin_test(orrin_core_tests
  core/alu181_test.cpp
)
