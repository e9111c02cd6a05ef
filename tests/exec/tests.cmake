orrin_test(orrin_exec_tests
  exec/stepping_test.cpp
)
