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
    player.SetPosition(5.5f, 0.5f, 5.5f), player.SetDirection(0);
    camera.SetFollowTarget(player);
  }
  // Sets the mode and the yaw and lets the eye arrive, checking on the way
  // that the camera counts as settled exactly when an update moves nothing.
  void SettleIn(int mode, float yaw = 90.0f) {
    camera.SetMode(mode), camera.yaw = yaw;
    for (int updates = 0; updates < 5000 && !camera.IsSettled(); ++updates) {
      const std::array<float, 4> before = {camera.yaw, camera.eye[0], camera.eye[1], camera.eye[2]};
      camera.Update(1.0);
      const std::array<float, 4> after = {camera.yaw, camera.eye[0], camera.eye[1], camera.eye[2]};
      ASSERT_EQ(camera.IsSettled(), before == after) << "update " << updates;
    }
    ASSERT_TRUE(camera.IsSettled());
  }
  test::GLContext gl;
  Player player{true};
  Camera camera;
};

TEST_F(CameraTest, EachViewSettlesAtItsDistanceAndHeightAndFollowsThePlayer) {
  // The overhead view turns itself back to yaw 90 and stands half as far back.
  const double rad = 3.141592 / 180.0;
  struct Case { int mode; float yaw; double back, up; };
  for (const Case& c : {Case{kCameraChase, 90, 7.0, 7.0 * std::sin(25 * rad)}, Case{kCameraClose, 90, 0.5, 0.0},
                        Case{kCameraOverhead, 45, 7.5, 15.0 * std::sin(89 * rad)}}) {
    SCOPED_TRACE(c.mode);
    camera.eye[0] = -20.0f, camera.eye[1] = 30.0f;  // from far off
    SettleIn(c.mode, c.yaw);
    EXPECT_EQ(camera.yaw, 90.0f);
    EXPECT_NEAR(camera.eye[0], 5.5, 1e-3);
    EXPECT_NEAR(camera.eye[1], 0.5 + c.up, 0.011);
    EXPECT_NEAR(camera.eye[2], 5.5 + c.back, 1e-3);
    // The player moves: the target follows at once, the eye eases after it.
    player.SetPosition(6.5f, 0.5f, 5.5f);
    camera.Update(1.0);
    EXPECT_FALSE(camera.IsSettled());
    EXPECT_TRUE(camera.target[0] == 6.5f && camera.target[2] == 5.5f);
    player.SetPosition(5.5f, 0.5f, 5.5f);
  }
}

TEST_F(CameraTest, ChaseViewAppliedLooksAlongMinusZAtThePlayer) {
  SettleIn(kCameraChase);
  camera.Apply();
  const test::Projection view;
  for (int i = 0; i < 16; ++i) EXPECT_EQ(view.modelview[i], (i % 5 == 0) ? 1.0 : 0.0) << "modelview not identity";
  double sx, sy, sz, fx, fy, fz;
  view.Project(5.5, 0.5, 5.5, sx, sy, sz);
  view.Project(5.5, 0.5, 2.0, fx, fy, fz);
  EXPECT_TRUE(std::abs(sx - 320.0) < 0.5 && std::abs(sy - 240.0) < 0.5) << sx << "," << sy;
  EXPECT_TRUE(fz > sz && fy > sy);  // the floor ahead lies further off and rises up the screen
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
  for (const auto& [direction, goal] : {std::pair{1, 0}, {0, 90}, {2, 270}, {1, 360}, {4, 450}}) {
    player.SetDirection(direction);
    camera.Update(0.0);
    EXPECT_EQ(camera.yawGoal, static_cast<float>(goal)) << direction;
  }
}

TEST_F(CameraTest, YawTurnsByStepPlusATwentiethOfWhatRemainsAboveTwenty) {
  camera.SetMode(kCameraChase);
  camera.yawGoal = 270.0f;
  // 180 left: step and a twentieth; 10 left: the step alone; the other way;
  // within a step: exact.
  for (const auto& [from, step, to] : {std::array{90.0f, 2.0f, 90 + 2 + 180 / 20.0f}, {260, 2, 262}, {280, 1, 279},
                                       {270.5f, 1, 270}}) {
    camera.yaw = from;
    camera.Update(step);
    EXPECT_FLOAT_EQ(camera.yaw, to) << from;
  }
  // Goals beyond 0..360 are reached and then both are kept in 0..360; a turn
  // under way is never wrapped away from its goal.
  for (const auto& [from, goal, end] : {std::array{350.0f, 440.0f, 80.0f}, {10.0f, -90.0f, 270.0f}}) {
    camera.yaw = from, camera.yawGoal = goal;
    const float sign = goal > from ? 1.0f : -1.0f;
    for (int i = 0; i < 200 && camera.yaw != camera.yawGoal; ++i) {
      camera.Update(1.0);
      if (camera.yaw != camera.yawGoal) { EXPECT_GT(sign * (camera.yawGoal - camera.yaw), 0.0f); }
    }
    EXPECT_TRUE(camera.yaw == end && camera.yawGoal == end) << from << ": " << camera.yaw << " " << camera.yawGoal;
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
}

}  // namespace
