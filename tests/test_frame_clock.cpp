#include <gtest/gtest.h>

#include "app/frame_clock.h"

namespace {

struct FakeClock {
  double now = 1000.0;
};

class FrameClock : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFrameClock();
    SetClockSource([this] { return clock.now; });
  }
  void TearDown() override {
    SetClockSource(nullptr);
    ResetFrameClock();
  }
  FakeClock clock;
};

TEST_F(FrameClock, StepsFollowTheClockInTicksWithTheFirstNearZeroAndAClampAtTen) {
  ComputeFrameStep();
  EXPECT_NEAR(frameStep, 0.0, 1e-9);

  clock.now += 1.0 / 70.0;
  ComputeFrameStep();
  EXPECT_NEAR(frameStep, 1.0, 1e-6);

  clock.now += 0.05;
  ComputeFrameStep();
  EXPECT_NEAR(frameStep, 3.5, 1e-6);

  clock.now += 0.5;  // a stall
  ComputeFrameStep();
  EXPECT_DOUBLE_EQ(frameStep, 10.0);
}

TEST_F(FrameClock, AClockThatRunsBackGivesNoNegativeStep) {
  ComputeFrameStep();
  clock.now -= 30.0;
  ComputeFrameStep();
  EXPECT_DOUBLE_EQ(frameStep, 0.0);
  clock.now += 0.1;
  ComputeFrameStep();
  EXPECT_NEAR(frameStep, 7.0, 1e-6);
}

TEST_F(FrameClock, TheReferenceIsTakenAfterTheStepIsMeasured) {
  // Time that passes between the two readings of one step counts in the next.
  int calls = 0;
  SetClockSource([&] {
    ++calls;
    return 10.0 + 0.01 * calls;
  });
  ComputeFrameStep();  // reads: reference, new, reference again
  ComputeFrameStep();
  EXPECT_NEAR(frameStep, 0.7, 1e-6);
}

TEST(RealClock, IsMonotonicAndAdvances) {
  ResetFrameClock();
  double a = ReadClockSeconds();
  double b = ReadClockSeconds();
  EXPECT_LE(a, b);
  ComputeFrameStep();
  EXPECT_GE(frameStep, 0.0);
  EXPECT_LT(frameStep, 1.0);
}

}  // namespace
