# The assembler and disassembler, with the standard instruction set built in
# from asm/standard.isa (which is also installed, for teachers to copy).
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/asm/standard.isa ISA_TEXT)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/asm/standard_isa.cpp.in ${CMAKE_CURRENT_BINARY_DIR}/standard_isa.cpp @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/asm/standard.isa)
add_library(orrin_asm STATIC
  asm/isa.cpp
  asm/assembler.cpp
  asm/disassembler.cpp
  asm/messages.cpp
  asm/micro_source.cpp
  ${CMAKE_CURRENT_BINARY_DIR}/standard_isa.cpp
)
target_link_libraries(orrin_asm PUBLIC orrin_base)
orrin_layer(orrin_asm asm)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/asm/standard.isa DESTINATION share/orrin)
