orrin_test(orrin_exec_tests
  exec/microprogram_test.cpp
  exec/stepping_test.cpp
  exec/console_test.cpp
  exec/trace_test.cpp
  exec/boundaries_test.cpp
)
