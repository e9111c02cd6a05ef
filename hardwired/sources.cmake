# The hard-wired controller: a student's design as Yosys's gate netlist,
# read with nlohmann-json (header-only, Debian's) and evaluated gate by gate.
add_library(orrin_hardwired STATIC
  hardwired/netlist.cpp
)
target_link_libraries(orrin_hardwired PUBLIC orrin_base)
orrin_layer(orrin_hardwired hardwired)
if(ORRIN_WEB)
  # emscripten brings its own system headers: only nlohmann's folder of
  # Debian's is put on the include path, through a link of its own.
  set(ORRIN_NLOHMANN_ROOT ${CMAKE_BINARY_DIR}/nlohmann-include)
  file(MAKE_DIRECTORY ${ORRIN_NLOHMANN_ROOT})
  if(NOT EXISTS ${ORRIN_NLOHMANN_ROOT}/nlohmann)
    file(CREATE_LINK /usr/include/nlohmann ${ORRIN_NLOHMANN_ROOT}/nlohmann SYMBOLIC)
  endif()
  target_include_directories(orrin_hardwired SYSTEM PRIVATE ${ORRIN_NLOHMANN_ROOT})
  target_compile_definitions(orrin_hardwired PRIVATE JSON_NOEXCEPTION)
else()
  find_package(nlohmann_json 3 REQUIRED)
  target_link_libraries(orrin_hardwired PRIVATE nlohmann_json::nlohmann_json)
endif()
