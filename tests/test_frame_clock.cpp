#include <gtest/gtest.h>

#include "app/frame_clock.h"

namespace {

TEST(FrameClock, StepsAreTicksOfTheClockFirstNearZeroClampedToZeroAndTen) {
  double now = 1000.0;
  SetClockSource([&] { return now; });
  ResetFrameClock();
  // Clock advance before each step, and the step it gives (in 1/70 s ticks).
  const double cases[][2] = {{0, 0}, {1.0 / 70.0, 1.0}, {0.05, 3.5}, {0.5, 10.0}, {-30.0, 0.0}, {0.1, 7.0}};
  for (const auto& c : cases) {
    now += c[0];
    ComputeFrameStep();
    EXPECT_NEAR(frameStep, c[1], 1e-6) << "after advancing " << c[0];
  }
  // The reference is taken after the step is measured: time that passes
  // between the two readings of one step counts in the next.
  int calls = 0;
  SetClockSource([&] { return 10.0 + 0.01 * ++calls; });
  ResetFrameClock();
  ComputeFrameStep();  // reads: reference, new, reference again
  ComputeFrameStep();
  EXPECT_NEAR(frameStep, 0.7, 1e-6);
  SetClockSource(nullptr);
}

}  // namespace
