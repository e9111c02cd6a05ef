# The web page's module (scripts/web.sh builds it with emcmake): the
# Qt-free layers and a binding the page's script calls.
add_executable(orrin_web web/binding.cpp)
target_link_libraries(orrin_web PRIVATE orrin_runner orrin_layout)
target_compile_options(orrin_web PRIVATE ${ORRIN_WARNINGS})
set_target_properties(orrin_web PROPERTIES OUTPUT_NAME orrin SUFFIX ".js")
target_link_options(orrin_web PRIVATE
  -sMODULARIZE=1 -sEXPORT_NAME=createOrrin
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728
  -sENVIRONMENT=web,node
  -sEXPORTED_FUNCTIONS=_malloc,_free
  -sEXPORTED_RUNTIME_METHODS=FS,UTF8ToString,ccall
  # The examples (wirings, programs, labs) in the module's file system, as
  # the labs' set-up and the file menus' examples read them. Not the
  # hard-wired designs: the page cannot synthesise Verilog, and the standard
  # netlist alone (340 kB) would make every first visit a third heavier; a
  # student opens a netlist of their own. Nor the grader's examples: the
  # page grades nothing.
  --preload-file ${PROJECT_SOURCE_DIR}/examples@/examples
  "SHELL:--exclude-file *.v" "SHELL:--exclude-file */hardwired" "SHELL:--exclude-file */grading")
