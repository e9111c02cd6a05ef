# The base layer: values, the unit records, the ALU, the canvas, the view's
# data types and the text files. It includes nothing above it.
add_library(orrin_base STATIC
  base/alu181.cpp
  base/board_jacks.cpp
  base/board_view.cpp
  base/canvas.cpp
  base/hex_text.cpp
  base/machine_state.cpp
  base/memory_file.cpp
  base/micro_file.cpp
  base/microword_text.cpp
  base/text_files.cpp
  base/translation.cpp
  base/wire_format.cpp
)
orrin_layer(orrin_base base)
