target_sources(orrin_sim PRIVATE
  panels/panels_stub.cpp
)
