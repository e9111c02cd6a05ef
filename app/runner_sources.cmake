target_sources(orrin_runner PRIVATE
  app/runner.cpp
  app/runner_console.cpp
  app/runner_wiring.cpp
  app/runner_panels.cpp
  app/runner_expect.cpp
  app/runner_faults.cpp
  app/lab.cpp
  app/folder_files.cpp
  app/run_facts.cpp
  ${CMAKE_CURRENT_BINARY_DIR}/english_ts.cpp
)
# Yosys runs as a program of its own: not in the web page's module.
if(NOT ORRIN_WEB)
  target_sources(orrin_runner PRIVATE app/yosys.cpp app/compare.cpp)
endif()
# orrin-run --lang en speaks the window's English, from the same .ts file.
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/translations/orrin_en.ts TS_TEXT)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/app/english_ts.cpp.in ${CMAKE_CURRENT_BINARY_DIR}/english_ts.cpp @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/translations/orrin_en.ts)
