orrin_test(orrin_property_tests
  properties/round_trip_test.cpp
)
