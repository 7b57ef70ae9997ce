// The values of a whole game: ghosts and boss by level, the display choices,
// and the level map with its marks. (Extra lives bought with points, and a
// new game's fresh values, are played through in the whole-game tests.)
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "game/game_values.h"

namespace {

std::vector<int> Flat(const int table[kLevelMapColumns][kLevelMapRows]) {
  std::vector<int> out;
  for (int c = 0; c < kLevelMapColumns; ++c)
    for (int r = 0; r < kLevelMapRows; ++r) out.push_back(table[c][r]);
  return out;
}

const std::vector<int> kFreshMarks = {0, 0, 1, 0, -1, 0, 0, 0, 0};

TEST(LevelMap, StoredColumnByColumnVisitsMarkTheirCellsAndTheRescueUncoversTheCentre) {
  EXPECT_EQ(Flat(LevelMap), (std::vector<int>{3, 2, 1, 54, 100, 58, 5, 6, 7}));
  EXPECT_EQ(Flat(LevelMapMarks), kFreshMarks);
  // Levels 58 and 7 are on the map; the others change nothing.
  for (int n : {58, 7, 42, 9999, 0}) MarkLevelVisited(n);
  EXPECT_EQ(Flat(LevelMapMarks), (std::vector<int>{0, 0, 1, 0, -1, 1, 0, 0, 1}));
  MarkLevelMapCentreVisited();
  EXPECT_EQ(LevelMapMarks[kLevelMapCentreColumn][kLevelMapCentreRow], kMarkVisited);
}

TEST(LevelKind, GhostsAndBossByLevelNumber) {
  const std::tuple<int, int, bool, bool> cases[] = {
      // level, ghosts, boss before, boss after
      {1, 4, true, false},   {50, 4, true, false},  {-3, 4, true, false}, {51, 0, true, true},
      {54, 0, false, false}, {99, 0, true, true},   {100, 8, false, true}, {9999, 8, false, true},
  };
  for (const auto& [level, ghosts, bossBefore, bossAfter] : cases) {
    activeGhostCount = 3;
    bossActive = bossBefore;
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
