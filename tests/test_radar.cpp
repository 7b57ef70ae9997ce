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

TEST_F(RadarTest, TheRangeEndsJustShortOfTenUnitsAndEatenOrLeavingGhostsHideAtOnce) {
  Place(0, 0, -10.0f), Place(1, 0, -9.99f), Place(2, 0, -4);
  radar.sweep = 90, radar.UpdateRadar(0.5);  // turns just past the top of the disc, so all would light now
  EXPECT_FALSE(radar.blips[0].shown);
  ASSERT_TRUE(radar.blips[1].shown && radar.blips[2].shown);
  ghosts[1]->SetEaten(true), Place(2, 0, -12), radar.UpdateRadar(0.1);
  EXPECT_FALSE(radar.blips[1].shown || radar.blips[2].shown);
}

}  // namespace
