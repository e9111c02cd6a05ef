# The hard-wired controller: a student's design as Yosys's gate netlist,
# read with nlohmann-json (header-only) and evaluated gate by gate.
find_package(nlohmann_json 3 REQUIRED)
add_library(orrin_hardwired STATIC
  hardwired/netlist.cpp
)
target_link_libraries(orrin_hardwired PUBLIC orrin_base PRIVATE nlohmann_json::nlohmann_json)
orrin_layer(orrin_hardwired hardwired)
