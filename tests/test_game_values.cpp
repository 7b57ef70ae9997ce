// The values of a whole game: points that buy lives, ghosts and boss by level,
// the display choices, and the level map with its marks.
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

TEST(LevelMap, StoredColumnByColumnWithTheBossLevelInTheCentre) {
  EXPECT_EQ(Flat(LevelMap), (std::vector<int>{3, 2, 1, 54, 100, 58, 5, 6, 7}));
  EXPECT_EQ(LevelMap[kLevelMapCentreColumn][kLevelMapCentreRow], 100);
  EXPECT_EQ(Flat(LevelMapMarks), kFreshMarks);
}

TEST(LevelMap, VisitsMarkTheirCellsOnlyAndTheRescueUncoversTheCentre) {
  MarkLevelVisited(58);
  MarkLevelVisited(7);
  // A level that is not on the map changes nothing; neither does the hidden centre's own number.
  for (int n : {42, 9999, 0}) MarkLevelVisited(n);
  EXPECT_EQ(Flat(LevelMapMarks), (std::vector<int>{0, 0, 1, 0, -1, 1, 0, 0, 1}));
  MarkLevelMapCentreVisited();
  EXPECT_EQ(LevelMapMarks[1][1], kMarkVisited);
  EXPECT_EQ(Flat(LevelMapMarks), (std::vector<int>{0, 0, 1, 0, 1, 1, 0, 0, 1}));
}

TEST(LevelMap, NewGameResetsPointsAndMarksButKeepsTheLevelKind) {
  extraLifePoints = 555;
  activeGhostCount = 0;
  bossActive = true;
  texturesEnabled = false;
  detailLevel = 1;
  for (auto& column : LevelMapMarks)
    for (int& mark : column) mark = kMarkVisited;
  ResetGameValuesForNewGame();
  EXPECT_EQ(extraLifePoints, 0);
  EXPECT_EQ(Flat(LevelMapMarks), kFreshMarks);
  EXPECT_EQ(activeGhostCount, 0);
  EXPECT_TRUE(bossActive);
  EXPECT_FALSE(texturesEnabled);
  EXPECT_EQ(detailLevel, 1);
}

TEST(LevelKind, GhostsAndBossByLevelNumber) {
  struct {
    int level, ghosts;
    bool bossBefore, bossAfter;
  } const cases[] = {
      {1, 4, true, false},  {50, 4, true, false},  {-3, 4, true, false}, {51, 0, true, true},
      {51, 0, false, false}, {54, 0, false, false}, {58, 0, true, true},  {99, 0, true, true},
      {100, 8, false, true}, {199, 8, false, true}, {9999, 8, false, true},
  };
  for (const auto& c : cases) {
    activeGhostCount = 3;
    bossActive = c.bossBefore;
    ApplyLevelKind(c.level);
    EXPECT_EQ(activeGhostCount, c.ghosts) << "level " << c.level;
    EXPECT_EQ(bossActive, c.bossAfter) << "level " << c.level;
  }
}

TEST(ExtraLife, BoughtOnlyAboveAThousandOneAtATime) {
  // Points before, whether a life is bought, points after.
  struct {
    int before;
    bool bought;
    int after;
  } const cases[] = {{1000, false, 1000}, {1001, true, 1}, {1005, true, 5}, {5, false, 5},
                     {950 + 2 * kLargePelletPoints, true, 150}};
  for (const auto& c : cases) {
    extraLifePoints = c.before;
    EXPECT_EQ(TakeExtraLife(), c.bought) << c.before;
    EXPECT_EQ(extraLifePoints, c.after) << c.before;
  }
  // A total above 2000 is worked off one life per call.
  extraLifePoints = 2150;
  int lives = 0;
  while (TakeExtraLife()) ++lives;
  EXPECT_EQ(lives, 2);
  EXPECT_EQ(extraLifePoints, 150);
}

TEST(DisplaySettings, CopiedAtLevelLoadAndKeptToTheTextureSets) {
  for (auto [textures, detail, kept] : {std::tuple{false, 1, 1}, {true, 0, 0}, {true, 7, 2}, {true, -4, 0}}) {
    TakeDisplaySettings(textures, detail);
    EXPECT_EQ(texturesEnabled, textures) << detail;
    EXPECT_EQ(detailLevel, kept) << detail;
  }
}

}  // namespace
