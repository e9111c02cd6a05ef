#include <gtest/gtest.h>

#include "tests/test_host.h"

namespace orrin {
namespace {

TEST(Stepping, Builds) {
  Board b;
  EXPECT_EQ(b.sim.s.Beat.StepCount, 0);
}

}  // namespace
}  // namespace orrin
