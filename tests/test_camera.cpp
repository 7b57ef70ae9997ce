// The camera's three views, its easing and the yaw goal kept across views.
#include <gtest/gtest.h>

#include <cmath>

#include "actors/player.h"
#include "platform/gl.h"
#include "render/camera.h"
#include "support/test_support.h"

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
  EXPECT_FALSE(fresh.IsSettled());
  EXPECT_EQ(fresh.yawGoal, 90.0f);
  // No mode: nothing moves.
  fresh.Update(5.0);
  EXPECT_EQ(fresh.eye[0], 0.0f);
  EXPECT_FALSE(fresh.IsSettled());
}

TEST_F(CameraTest, ChaseViewStandsBehindAndAbove) {
  camera.SetMode(kCameraChase);
  EXPECT_EQ(camera.distance, 7.0f);
  EXPECT_EQ(camera.elevation, 25.0f);
  camera.yaw = 90.0f;
  ASSERT_GT(Settle(), 0);
  EXPECT_NEAR(camera.eye[0], 5.5, 1e-3);
  EXPECT_NEAR(camera.eye[1], 0.5 + 7.0 * std::sin(25.0 * 3.141592 / 180.0), 1e-3);
  EXPECT_NEAR(camera.eye[1] - 0.5, 2.96, 0.01);
  EXPECT_NEAR(camera.eye[2], 5.5 + 7.0, 1e-3);
  EXPECT_EQ(camera.target[0], 5.5f);
  EXPECT_EQ(camera.target[2], 5.5f);

  // Applied, the player is in the middle of the picture and a point further
  // along -z lies beyond it, so the camera looks towards -z.
  camera.Apply();
  GLdouble mv[16], pr[16];
  GLint vp[4] = {0, 0, 640, 480};
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(mv[i], (i % 5 == 0) ? 1.0 : 0.0) << "modelview not identity";
  GLdouble sx, sy, sz, fx, fy, fz;
  gluProject(5.5, 0.5, 5.5, mv, pr, vp, &sx, &sy, &sz);
  EXPECT_NEAR(sx, 320.0, 0.5);
  EXPECT_NEAR(sy, 240.0, 0.5);
  gluProject(5.5, 0.5, 2.0, mv, pr, vp, &fx, &fy, &fz);
  EXPECT_GT(fz, sz);
  EXPECT_GT(fy, sy);  // the floor ahead rises up the screen
}

TEST_F(CameraTest, OverheadViewIsHighAndHalfAsFarBack) {
  camera.SetMode(kCameraOverhead);
  EXPECT_EQ(camera.distance, 15.0f);
  EXPECT_EQ(camera.elevation, 89.0f);
  camera.yaw = 45.0f;  // the overhead view turns itself back to 90
  ASSERT_GT(Settle(), 0);
  EXPECT_EQ(camera.yaw, 90.0f);
  EXPECT_NEAR(camera.eye[0], 5.5, 1e-3);
  EXPECT_NEAR(camera.eye[2], 5.5 + 7.5, 1e-3);
  const double high = 0.5 + 15.0 * std::sin(89.0 * 3.141592 / 180.0);
  EXPECT_NEAR(camera.eye[1], high, 0.011);
  EXPECT_NEAR(camera.eye[1] - 0.5, 15.0, 0.01);
}

TEST_F(CameraTest, OverheadEyeCountsAHairBelowAsArrived) {
  camera.SetMode(kCameraOverhead);
  camera.yaw = 90.0f;
  ASSERT_GT(Settle(), 0);
  const float high = camera.eye[1];
  camera.eye[1] = high - 0.005f;
  camera.Update(1.0);
  EXPECT_TRUE(camera.IsSettled());
  EXPECT_EQ(camera.eye[1], high - 0.005f);
  camera.eye[1] = high - 0.05f;
  camera.Update(1.0);
  EXPECT_FALSE(camera.IsSettled());
  EXPECT_NEAR(camera.eye[1], high, 1e-4);
  // From above it always comes down to the exact height.
  camera.eye[1] = high + 0.005f;
  camera.Update(1.0);
  EXPECT_FALSE(camera.IsSettled());
  EXPECT_NEAR(camera.eye[1], high, 1e-4);
}

TEST_F(CameraTest, TurnsOfThePlayerMoveTheYawGoal) {
  camera.SetMode(kCameraChase);
  camera.yaw = 90.0f;
  ASSERT_GT(Settle(), 0);

  player.SetDirection(1);  // a quarter turn one way
  camera.Update(0.0);
  EXPECT_EQ(camera.yawGoal, 0.0f);
  player.SetDirection(0);  // and back the other way
  camera.Update(0.0);
  EXPECT_EQ(camera.yawGoal, 90.0f);
  player.SetDirection(2);  // reversal
  camera.Update(0.0);
  EXPECT_EQ(camera.yawGoal, 270.0f);
  player.SetDirection(1);  // from 2, direction 1 is a turn the other way
  camera.Update(0.0);
  EXPECT_EQ(camera.yawGoal, 360.0f);
  EXPECT_EQ(camera.followedDirection, 1);
  // Standing still (direction 4 or more) counts as neither neighbour.
  player.SetDirection(4);
  camera.Update(0.0);
  EXPECT_EQ(camera.yawGoal, 450.0f);
}

TEST_F(CameraTest, YawTurnsByStepPlusATwentiethOfWhatRemainsAboveTwenty) {
  camera.SetMode(kCameraChase);
  camera.yaw = 90.0f;
  camera.yawGoal = 270.0f;
  camera.Update(2.0);
  EXPECT_FLOAT_EQ(camera.yaw, 90.0f + 2.0f + 180.0f / 20.0f);
  camera.yaw = 260.0f;  // 10 left: the step alone
  camera.Update(2.0);
  EXPECT_FLOAT_EQ(camera.yaw, 262.0f);
  camera.yaw = 280.0f;  // turning the other way
  camera.Update(1.0);
  EXPECT_FLOAT_EQ(camera.yaw, 279.0f);
  camera.yaw = 270.5f;  // within a step: exact, then kept in 0..360
  camera.Update(1.0);
  EXPECT_EQ(camera.yaw, 270.0f);

  camera.yaw = 350.0f;
  camera.yawGoal = 440.0f;
  for (int i = 0; i < 200 && camera.yaw != camera.yawGoal; ++i) {
    camera.Update(1.0);
    // A turn under way is never wrapped away from its goal.
    if (camera.yaw != camera.yawGoal) {
      EXPECT_GT(camera.yawGoal - camera.yaw, 0.0f);
    }
  }
  EXPECT_EQ(camera.yaw, 80.0f);
  EXPECT_EQ(camera.yawGoal, 80.0f);

  camera.yaw = 10.0f;
  camera.yawGoal = -90.0f;
  for (int i = 0; i < 200 && camera.yaw != camera.yawGoal; ++i) camera.Update(1.0);
  EXPECT_EQ(camera.yaw, 270.0f);
  EXPECT_EQ(camera.yawGoal, 270.0f);
}

TEST_F(CameraTest, OverheadThenChaseGivesBackTheSavedYawGoal) {
  camera.SetMode(kCameraChase);
  camera.yawGoal = 180.0f;
  camera.SetMode(kCameraOverhead);
  EXPECT_EQ(Camera::savedYawGoal, 180.0f);
  camera.Update(1.0);
  EXPECT_EQ(camera.yawGoal, 90.0f);
  camera.SetMode(kCameraChase);
  EXPECT_EQ(camera.yawGoal, 180.0f);
  // The close view keeps the goal it finds.
  camera.SetMode(kCameraClose);
  EXPECT_EQ(camera.yawGoal, 180.0f);
  EXPECT_EQ(camera.distance, 0.5f);
  EXPECT_EQ(camera.elevation, 0.0f);
  // The saved goal belongs to every camera.
  Camera other;
  other.SetMode(kCameraChase);
  EXPECT_EQ(other.yawGoal, 180.0f);
  // SetDistance changes the distance alone.
  camera.SetDistance(13.0f);
  EXPECT_EQ(camera.distance, 13.0f);
  EXPECT_EQ(camera.GetMode(), kCameraClose);
  EXPECT_EQ(camera.yawGoal, 180.0f);
}

TEST_F(CameraTest, SettledExactlyWhenAnUpdateMovesNothing) {
  for (int mode : {kCameraChase, kCameraClose, kCameraOverhead}) {
    SCOPED_TRACE(mode);
    camera.SetMode(mode);
    camera.yaw = 30.0f;
    camera.eye[0] = -20.0f;
    camera.eye[1] = 30.0f;
    camera.eye[2] = 3.0f;
    int updates = 0;
    bool sawSettled = false;
    for (; updates < 3000 && !sawSettled; ++updates) {
      const float before[4] = {camera.yaw, camera.eye[0], camera.eye[1], camera.eye[2]};
      camera.Update(1.0);
      const bool moved = before[0] != camera.yaw || before[1] != camera.eye[0] ||
                         before[2] != camera.eye[1] || before[3] != camera.eye[2];
      ASSERT_EQ(camera.IsSettled(), !moved) << "update " << updates;
      sawSettled = camera.IsSettled();
    }
    EXPECT_TRUE(sawSettled);
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
  const float eye[3] = {0, 0, 5};
  const float target[3] = {0, 0, 0};
  camera.SetEye(eye);
  camera.SetTarget(target);
  camera.Apply();
  GLdouble mv[16], pr[16];
  GLint vp[4] = {0, 0, 640, 480};
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  GLdouble sx, sy, sz;
  // A unit square at the origin seen from 5 away with a 45 degree field:
  // its right edge at 1 / (5 tan 22.5) of half the height from the centre.
  gluProject(1.0, 0.0, 0.0, mv, pr, vp, &sx, &sy, &sz);
  EXPECT_NEAR(sx - 320.0, 240.0 / (5.0 * std::tan(22.5 * 3.14159265 / 180.0)), 0.5);
  EXPECT_NEAR(sy, 240.0, 0.5);
}

}  // namespace
