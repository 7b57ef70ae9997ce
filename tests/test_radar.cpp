// The radar's range: which ghosts show.
#include <gtest/gtest.h>

#include <memory>

#include "actors/ghost.h"
#include "actors/player.h"
#include "render/camera.h"
#include "render/radar.h"

namespace {

class RadarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    player.SetPosition(20.5f, 0.5f, 20.5f), radar.SetPlayer(player), radar.SetCamera(camera), radar.SetGhostCount(4);
    for (int i = 0; i < kRadarGhosts; ++i)  // far away, in one colour
      (ghosts[i] = std::make_unique<Ghost>(i))->SetColour(0.8f, 0.1f, 0.5f), Place(i, 60, 60), radar.SetGhost(i, *ghosts[i]);
    camera.mode = kCameraOverhead;
  }
  // A ghost at an offset from the player, in world x and z.
  void Place(int i, float dx, float dz) { ghosts[i]->SetPosition(20.5f + dx, 0.9f, 20.5f + dz); }
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
