# Where every widget of the board sits, its look, the modules printed on the
# board and the console's geometry: plain data the window and the web page
# both read.
add_library(orrin_layout STATIC
  layout/layout_window.cpp
  layout/layout_board.cpp
  layout/layout_datapath.cpp
  layout/layout_micro.cpp
  layout/layout_console.cpp
)
target_link_libraries(orrin_layout PUBLIC orrin_machine)
orrin_layer(orrin_layout layout)
