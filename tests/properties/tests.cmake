orrin_test(orrin_property_tests
  properties/round_trip_test.cpp
  properties/playback_test.cpp
  properties/lazy_view_test.cpp
  properties/isa_model_test.cpp
  properties/reset_test.cpp
  properties/session_test.cpp
  properties/lab_session_test.cpp
)
target_compile_definitions(orrin_property_tests PRIVATE ORRIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
