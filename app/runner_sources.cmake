target_sources(orrin_runner PRIVATE
  app/runner.cpp
)
