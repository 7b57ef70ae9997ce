// The values of a whole game: ghosts and boss by level, the display choices.
// (Extra lives bought with points, a new game's fresh values and the level
// map's marks are played through in the whole-game tests.)
#include <gtest/gtest.h>

#include "game/game_values.h"

namespace {

TEST(LevelKind, GhostsAndBossByLevelNumber) {
  // level, ghosts, boss before, boss after
  for (auto [level, ghosts, bossBefore, bossAfter] : {std::tuple{1, 4, true, false}, {50, 4, true, false}, {-3, 4, true, false},
                                                      {51, 0, true, true}, {54, 0, false, false}, {99, 0, true, true},
                                                      {100, 8, false, true}, {9999, 8, false, true}}) {
    activeGhostCount = 3, bossActive = bossBefore;
    ApplyLevelKind(level);
    EXPECT_EQ(std::pair(activeGhostCount, bossActive), std::pair(ghosts, bossAfter)) << "level " << level;
  }
}

TEST(DisplaySettings, CopiedAtLevelLoadAndKeptToTheTextureSets) {
  for (auto [textures, detail, kept] : {std::tuple{false, 1, 1}, {true, 0, 0}, {true, 7, 2}, {true, -4, 0}}) {
    TakeDisplaySettings(textures, detail);
    EXPECT_EQ(std::pair(texturesEnabled, detailLevel), std::pair(textures, kept)) << detail;
  }
}

}  // namespace
