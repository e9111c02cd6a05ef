orrin_test(orrin_exec_tests
  exec/microprogram_test.cpp
  exec/stepping_test.cpp
  exec/console_test.cpp
  exec/trace_test.cpp
  exec/boundaries_test.cpp
  exec/trace_export_test.cpp
  exec/trace_diagram_test.cpp
)
target_compile_definitions(orrin_exec_tests PRIVATE ORRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_link_libraries(orrin_exec_tests PRIVATE ZLIB::ZLIB)

# The exported VCD opens in GTKWave's tools.
add_test(NAME export.vcd_gtkwave
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/exec/vcd_gtkwave.sh $<TARGET_FILE:orrin-run> ${PROJECT_SOURCE_DIR})
