// The camera's three views, its easing and the yaw goal kept across views.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "actors/player.h"
#include "platform/gl.h"
#include "render/camera.h"
#include "support/gl_views.h"

namespace {

class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    Camera::savedYawGoal = 90.0f;
    player.SetPosition(5.5f, 0.5f, 5.5f);
    player.SetDirection(0);
    camera.SetFollowTarget(player);
  }
  // Updates with step 1 until the camera settles; the number of updates taken.
  int Settle(int limit = 5000) {
    for (int i = 1; i <= limit; ++i) {
      camera.Update(1.0);
      if (camera.IsSettled()) return i;
    }
    return -1;
  }
  // Sets the mode and the yaw and lets the eye arrive.
  void SettleIn(int mode, float yaw = 90.0f) {
    camera.SetMode(mode);
    camera.yaw = yaw;
    ASSERT_GT(Settle(), 0);
  }
  test::GLContext gl;
  Player player{true};
  Camera camera;
};

TEST_F(CameraTest, StartsUnsettledInNoModeWithTheFollowedDirection) {
  player.SetDirection(2);
  Camera fresh;
  fresh.SetFollowTarget(player);
  EXPECT_EQ(fresh.GetMode(), 0);
  EXPECT_EQ(fresh.followedDirection, 2);
  EXPECT_EQ(fresh.yawGoal, 90.0f);
  fresh.Update(5.0);  // no mode: nothing moves
  EXPECT_EQ(fresh.eye[0], 0.0f);
  EXPECT_FALSE(fresh.IsSettled());
}

TEST_F(CameraTest, EachViewSettlesAtItsDistanceAndHeight) {
  // The overhead view turns itself back to yaw 90 and stands half as far back.
  const double rad = 3.141592 / 180.0;
  struct Case { int mode; float yaw; double back, up; };
  for (const Case& c : {Case{kCameraChase, 90, 7.0, 7.0 * std::sin(25 * rad)}, Case{kCameraClose, 90, 0.5, 0.0},
                        Case{kCameraOverhead, 45, 7.5, 15.0 * std::sin(89 * rad)}}) {
    SCOPED_TRACE(c.mode);
    SettleIn(c.mode, c.yaw);
    EXPECT_EQ(camera.yaw, 90.0f);
    EXPECT_NEAR(camera.eye[0], 5.5, 1e-3);
    EXPECT_NEAR(camera.eye[1], 0.5 + c.up, 0.011);
    EXPECT_NEAR(camera.eye[2], 5.5 + c.back, 1e-3);
    EXPECT_TRUE(camera.target[0] == 5.5f && camera.target[2] == 5.5f);
  }
}

TEST_F(CameraTest, ChaseViewAppliedLooksAlongMinusZAtThePlayer) {
  SettleIn(kCameraChase);
  camera.Apply();
  const test::Projection view;
  for (int i = 0; i < 16; ++i) EXPECT_EQ(view.modelview[i], (i % 5 == 0) ? 1.0 : 0.0) << "modelview not identity";
  double sx, sy, sz, fx, fy, fz;
  view.Project(5.5, 0.5, 5.5, sx, sy, sz);
  EXPECT_NEAR(sx, 320.0, 0.5);
  EXPECT_NEAR(sy, 240.0, 0.5);
  view.Project(5.5, 0.5, 2.0, fx, fy, fz);
  EXPECT_GT(fz, sz);
  EXPECT_GT(fy, sy);  // the floor ahead rises up the screen
}

TEST_F(CameraTest, OverheadEyeCountsAHairBelowAsArrived) {
  SettleIn(kCameraOverhead);
  const float high = camera.eye[1];
  // From below, a hair short is arrived and left alone; from above it always
  // comes down to the exact height.
  struct Case { float offset; bool settled; float after; };
  for (const Case& c : {Case{-0.005f, true, high - 0.005f}, Case{-0.05f, false, high}, Case{0.005f, false, high}}) {
    camera.eye[1] = high + c.offset;
    camera.Update(1.0);
    EXPECT_EQ(camera.IsSettled(), c.settled) << c.offset;
    EXPECT_NEAR(camera.eye[1], c.after, 1e-4) << c.offset;
  }
}

TEST_F(CameraTest, TurnsOfThePlayerMoveTheYawGoal) {
  SettleIn(kCameraChase);
  // A quarter turn one way, back, a reversal, from 2 a turn the other way,
  // and standing still (direction 4 or more) counts as neither neighbour.
  const int goals[5][2] = {{1, 0}, {0, 90}, {2, 270}, {1, 360}, {4, 450}};
  for (const auto& [direction, goal] : goals) {
    player.SetDirection(direction);
    camera.Update(0.0);
    EXPECT_EQ(camera.yawGoal, static_cast<float>(goal)) << direction;
    EXPECT_EQ(camera.followedDirection, direction);
  }
}

TEST_F(CameraTest, YawTurnsByStepPlusATwentiethOfWhatRemainsAboveTwenty) {
  camera.SetMode(kCameraChase);
  camera.yawGoal = 270.0f;
  // 180 left: step and a twentieth; 10 left: the step alone; the other way;
  // within a step: exact.
  const float cases[4][3] = {{90, 2, 90 + 2 + 180 / 20.0f}, {260, 2, 262}, {280, 1, 279}, {270.5f, 1, 270}};
  for (const auto& [from, step, to] : cases) {
    camera.yaw = from;
    camera.Update(step);
    EXPECT_FLOAT_EQ(camera.yaw, to) << from;
  }
  // Goals beyond 0..360 are reached and then both are kept in 0..360; a turn
  // under way is never wrapped away from its goal.
  for (const auto& [from, goal, end] : {std::array{350.0f, 440.0f, 80.0f}, {10.0f, -90.0f, 270.0f}}) {
    camera.yaw = from;
    camera.yawGoal = goal;
    const float sign = goal > from ? 1.0f : -1.0f;
    for (int i = 0; i < 200 && camera.yaw != camera.yawGoal; ++i) {
      camera.Update(1.0);
      if (camera.yaw != camera.yawGoal) { EXPECT_GT(sign * (camera.yawGoal - camera.yaw), 0.0f); }
    }
    EXPECT_EQ(camera.yaw, end) << from;
    EXPECT_EQ(camera.yawGoal, end) << from;
  }
}

TEST_F(CameraTest, OverheadThenChaseGivesBackTheSavedYawGoal) {
  camera.SetMode(kCameraChase);
  camera.yawGoal = 180.0f;
  camera.SetMode(kCameraOverhead);
  camera.Update(1.0);
  EXPECT_EQ(camera.yawGoal, 90.0f);
  camera.SetMode(kCameraChase);
  EXPECT_EQ(camera.yawGoal, 180.0f);
  camera.SetMode(kCameraClose);  // the close view keeps the goal it finds
  EXPECT_EQ(camera.yawGoal, 180.0f);
  Camera other;  // the saved goal belongs to every camera
  other.SetMode(kCameraChase);
  EXPECT_EQ(other.yawGoal, 180.0f);
  camera.SetDistance(13.0f);  // the distance alone
  EXPECT_EQ(camera.distance, 13.0f);
  EXPECT_EQ(camera.GetMode(), kCameraClose);
  EXPECT_EQ(camera.yawGoal, 180.0f);
}

TEST_F(CameraTest, SettledExactlyWhenAnUpdateMovesNothing) {
  for (int mode : {kCameraChase, kCameraClose, kCameraOverhead}) {
    SCOPED_TRACE(mode);
    camera.SetMode(mode);
    camera.yaw = 30.0f;
    camera.eye[0] = -20.0f, camera.eye[1] = 30.0f, camera.eye[2] = 3.0f;
    int updates = 0;
    for (bool settled = false; updates < 3000 && !settled; ++updates) {
      const float before[4] = {camera.yaw, camera.eye[0], camera.eye[1], camera.eye[2]};
      camera.Update(1.0);
      const bool moved = before[0] != camera.yaw || before[1] != camera.eye[0] || before[2] != camera.eye[1] ||
                         before[3] != camera.eye[2];
      settled = camera.IsSettled();
      ASSERT_EQ(settled, !moved) << "update " << updates;
    }
    EXPECT_TRUE(camera.IsSettled());
    EXPECT_GT(updates, 100);  // 50 units of eye travel at 0.2 per tick
    // The player moves: the target follows at once, the eye eases after it.
    player.SetPosition(6.5f, 0.5f, 5.5f);
    camera.Update(1.0);
    EXPECT_FALSE(camera.IsSettled());
    EXPECT_EQ(camera.target[0], 6.5f);
    player.SetPosition(5.5f, 0.5f, 5.5f);
    ASSERT_GT(Settle(), 0);
  }
}

TEST_F(CameraTest, EyeAndTargetCanBePlacedDirectly) {
  const float eye[3] = {0, 0, 5}, target[3] = {0, 0, 0};
  camera.SetEye(eye);
  camera.SetTarget(target);
  camera.Apply();
  // A unit square at the origin seen from 5 away with a 45 degree field:
  // its right edge at 1 / (5 tan 22.5) of half the height from the centre.
  double sx, sy, sz;
  test::Projection().Project(1.0, 0.0, 0.0, sx, sy, sz);
  EXPECT_NEAR(sx - 320.0, 240.0 / (5.0 * std::tan(22.5 * 3.14159265 / 180.0)), 0.5);
  EXPECT_NEAR(sy, 240.0, 0.5);
}

}  // namespace
