target_sources(orrin_sim PRIVATE
  core/alu181.cpp
  core/board_view.cpp
  core/machine_state.cpp
  core/simulator.cpp
  core/evaluation.cpp
  core/display_refresh.cpp
)
