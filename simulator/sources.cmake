target_sources(orrin_sim PRIVATE
  simulator/simulator.cpp
  simulator/evaluation.cpp
  simulator/display_refresh.cpp
)
