// The radar's blips: where the ghosts show, when they light and fade.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "actors/ghost.h"
#include "actors/player.h"
#include "render/camera.h"
#include "render/radar.h"

namespace {

constexpr float kDegree = 3.141592f / 180;

class RadarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    player.SetPosition(20.5f, 0.5f, 20.5f), radar.SetPlayer(player), radar.SetCamera(camera), radar.SetGhostCount(4);
    for (int i = 0; i < kRadarGhosts; ++i)  // far away, in one colour
      (ghosts[i] = std::make_unique<Ghost>(i))->SetColour(0.8f, 0.1f, 0.5f), Place(i, 60, 60), radar.SetGhost(i, *ghosts[i]);
    camera.mode = kCameraOverhead;
  }
  // A ghost at an offset from the player, in world x and z; or at a bearing 5 units away.
  void Place(int i, float dx, float dz) { ghosts[i]->SetPosition(20.5f + dx, 0.9f, 20.5f + dz); }
  void AtBearing(int i, float degrees) { Place(i, 5 * std::cos(degrees * kDegree), -5 * std::sin(degrees * kDegree)); }
  // Steps until blip i lights (alpha back at 1 from below), at most `limit` ticks.
  int TicksUntilLit(int i, int limit) {
    for (int t = 1; t <= limit; ++t) {
      const float before = radar.blips[i].shown ? radar.blips[i].alpha : -1.0f;
      radar.UpdateRadar(1.0);
      if (radar.blips[i].alpha == 1.0f && before < 1.0f && radar.blips[i].shown) return t;
    }
    return -1;
  }
  Player player{true};
  Camera camera;
  std::unique_ptr<Ghost> ghosts[kRadarGhosts];
  Radar radar;
};

TEST_F(RadarTest, GhostsArePlacedByBearingAndDistanceWithTheViewDirectionUp) {
  Place(0, 0, -5), Place(1, 5, 0), Place(2, -3, 4);
  // Overhead, and chasing with yaw 90, look towards -z; at yaw 180 the camera
  // looks along -x, so the -z ghost is on its right. 0.02 radar units per world unit.
  struct View { int mode; float yaw; int ghosts; float blips[3][2]; };
  const View views[] = {{kCameraOverhead, 0, 3, {{0, 0.1f}, {0.1f, 0}, {-0.06f, -0.08f}}},
                        {kCameraChase, 90, 1, {{0, 0.1f}}}, {kCameraChase, 180, 1, {{0.1f, 0}}}};
  for (const View& v : views) {
    camera.mode = v.mode, camera.yaw = v.yaw, radar.UpdateRadar(0.0);
    for (int i = 0; i < v.ghosts; ++i)
      EXPECT_TRUE(std::abs(radar.blips[i].x - v.blips[i][0]) < 1e-5 && std::abs(radar.blips[i].y - v.blips[i][1]) < 1e-5)
          << "yaw " << v.yaw << " ghost " << i << ": " << radar.blips[i].x << ", " << radar.blips[i].y;
  }
}

TEST_F(RadarTest, TheRangeEndsJustShortOfTenUnitsAndEatenOrLeavingGhostsHideAtOnce) {
  Place(0, 0, -10.0f), Place(1, 0, -9.99f), Place(2, 0, -4);
  radar.sweep = 90, radar.UpdateRadar(0.5);  // turns just past the top of the disc, so all would light now
  EXPECT_FALSE(radar.blips[0].shown);
  ASSERT_TRUE(radar.blips[1].shown && radar.blips[2].shown);
  ghosts[1]->SetEaten(true), Place(2, 0, -12), radar.UpdateRadar(0.1);
  EXPECT_FALSE(radar.blips[1].shown || radar.blips[2].shown);
}

TEST_F(RadarTest, ABlipLightsOncePerTurnFollowsItsGhostAndFades) {
  Place(0, 4, -4);
  ASSERT_GT(TicksUntilLit(0, 100), 0);
  const RadarBlip& b = radar.blips[0];
  EXPECT_TRUE(b.r == 1.0f && b.g == 0.0f && b.b == 1.0f) << "channels above 0.2 become full";
  // Let the lit frames pass, then move the ghost: the fading blip goes with it.
  for (int i = 0; i < 5; ++i) radar.UpdateRadar(1.0);
  Place(0, 4, -3), radar.UpdateRadar(1.0);
  EXPECT_TRUE(b.shown && b.alpha < 1.0f && std::abs(b.y - 3 * 0.02f) < 1e-5) << b.alpha << " " << b.y;
  // Faded out after about 50 ticks, well before the sweep's turn of 360 / 5.5 ticks brings it back.
  int shownFor = 0;
  for (; b.shown && shownFor < 100; ++shownFor) radar.UpdateRadar(1.0);
  EXPECT_NEAR(shownFor + 7, 50, 5);
  EXPECT_NEAR(TicksUntilLit(0, 100) + shownFor + 7, 360 / 5.5, 3);
}

TEST_F(RadarTest, OnlyGhostsBelowTheCountAreUpdatedAndTheCountIsHeldToEight) {
  Place(6, 0, -3);
  EXPECT_EQ(TicksUntilLit(6, 100), -1);
  Place(6, 0, -30), radar.blips[6].shown = true, radar.SetGhostCount(50);
  EXPECT_EQ(radar.ghostCount, kRadarGhosts);
  radar.UpdateRadar(1.0);
  EXPECT_FALSE(radar.blips[6].shown);
}

TEST_F(RadarTest, TheSweepWrapsAndEveryBearingLightsWhateverTheCameraYaw) {
  radar.sweep = 2.0f, radar.UpdateRadar(1.0);
  EXPECT_FLOAT_EQ(radar.sweep, 356.5f);
  AtBearing(0, 10), radar.sweep = 360.5f, radar.UpdateRadar(1.0);  // the sweep is now at 355: just past a bearing of 10
  EXPECT_TRUE(radar.blips[0].shown && radar.blips[0].alpha == 1.0f);
  // While the camera turns its yaw passes through any value; a bearing that
  // falls more than a turn below zero must still be lit by the sweep.
  camera.mode = kCameraChase;
  for (float yaw : {0.0f, 300.0f, 355.0f})
    for (int k = 0; k < 12; ++k) {
      AtBearing(0, k * 30.0f + 5.7f), camera.yaw = yaw, radar.blips[0] = RadarBlip();
      EXPECT_GT(TicksUntilLit(0, 70), 0) << "yaw " << yaw << " bearing " << k * 30;
    }
}

}  // namespace
