target_sources(orrin_runner PRIVATE
  app/runner.cpp
  app/runner_console.cpp
  app/runner_wiring.cpp
  app/runner_panels.cpp
  app/runner_expect.cpp
  app/grade.cpp
)
