// The camera's three views, its easing and the yaw goal kept across views.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>

#include "actors/player.h"
#include "render/camera.h"

namespace {

class CameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Camera::savedYawGoal = 90.0f;
    player.SetPosition(5.5f, 0.5f, 5.5f), player.SetDirection(0), camera.SetFollowTarget(player);
  }
  // Sets the mode and the yaw and lets the eye arrive, checking on the way
  // that the camera counts as settled exactly when an update moves nothing.
  void SettleIn(int mode, float yaw = 90.0f) {
    camera.SetMode(mode), camera.yaw = yaw;
    auto pose = [&] { return std::array{camera.yaw, camera.eye[0], camera.eye[1], camera.eye[2]}; };
    for (int updates = 0; updates < 5000 && !camera.IsSettled(); ++updates) {
      const auto before = pose();
      camera.Update(1.0);
      ASSERT_EQ(camera.IsSettled(), before == pose()) << "update " << updates;
    }
    ASSERT_TRUE(camera.IsSettled());
  }
  Player player{true};
  Camera camera;
};

TEST_F(CameraTest, TurnsOfThePlayerMoveTheYawGoalAndTheOverheadViewKeepsIt) {
  SettleIn(kCameraChase);
  // A quarter turn one way, back, a reversal, from 2 a turn the other way,
  // and standing still (direction 4 or more) counts as neither neighbour.
  for (const auto& [direction, goal] : {std::pair{1, 0}, {0, 90}, {2, 270}, {1, 360}, {4, 450}}) {
    player.SetDirection(direction), camera.Update(0.0);
    EXPECT_EQ(camera.yawGoal, static_cast<float>(goal)) << direction;
  }
  // The overhead view faces 90 and gives the chase view its goal back, for
  // every camera; the close view keeps the goal it finds.
  camera.yawGoal = 180.0f, camera.SetMode(kCameraOverhead), camera.Update(1.0);
  EXPECT_EQ(camera.yawGoal, 90.0f);
  Camera other;
  other.SetMode(kCameraChase), camera.SetMode(kCameraClose);
  EXPECT_TRUE(other.yawGoal == 180.0f && camera.yawGoal == 90.0f) << other.yawGoal << " " << camera.yawGoal;
}

}  // namespace
