// The values of a whole game: points that buy lives, ghosts and boss by level,
// the display choices, and the level map with its marks.
#include <gtest/gtest.h>

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

TEST(GameValues, StartUpValues) {
  EXPECT_EQ(extraLifePoints, 0);
  EXPECT_EQ(activeGhostCount, 8);
  EXPECT_FALSE(bossActive);
  EXPECT_TRUE(texturesEnabled);
  EXPECT_EQ(detailLevel, 2);
  EXPECT_EQ(Flat(LevelMapMarks), kFreshMarks);
  EXPECT_EQ(kStartLives, 2);
}

TEST(LevelMapTable, StoredColumnByColumnWithTheBossLevelInTheCentre) {
  EXPECT_EQ(Flat(LevelMap), (std::vector<int>{3, 2, 1, 54, 100, 58, 5, 6, 7}));
  // As laid out on screen, row 0 at the top.
  EXPECT_EQ(LevelMap[0][0], 3);
  EXPECT_EQ(LevelMap[2][0], 5);
  EXPECT_EQ(LevelMap[0][2], 1);
  EXPECT_EQ(LevelMap[kLevelMapCentreColumn][kLevelMapCentreRow], 100);
  // The same memory as the flat table indexed column * 3 + row.
  EXPECT_EQ(&LevelMap[1][2] - &LevelMap[0][0], 1 * 3 + 2);
}

TEST(LevelMapMarks, VisitsMarkTheirCellsOnlyAndTheRescueUncoversTheCentre) {
  MarkLevelVisited(58);
  EXPECT_EQ(LevelMapMarks[1][2], kMarkVisited);
  MarkLevelVisited(7);
  EXPECT_EQ(LevelMapMarks[2][2], kMarkVisited);
  // A level that is not on the map changes nothing; neither does the hidden centre's own number.
  const std::vector<int> before = Flat(LevelMapMarks);
  MarkLevelVisited(42);
  MarkLevelVisited(9999);
  MarkLevelVisited(0);
  EXPECT_EQ(Flat(LevelMapMarks), before);
  MarkLevelMapCentreVisited();
  EXPECT_EQ(LevelMapMarks[1][1], kMarkVisited);
  EXPECT_EQ(Flat(LevelMapMarks), (std::vector<int>{0, 0, 1, 0, 1, 1, 0, 0, 1}));
}

TEST(LevelMapMarks, NewGameResetsPointsAndMarksButKeepsTheLevelKind) {
  extraLifePoints = 555;
  activeGhostCount = 0;
  bossActive = true;
  texturesEnabled = false;
  detailLevel = 1;
  for (int c = 0; c < kLevelMapColumns; ++c)
    for (int r = 0; r < kLevelMapRows; ++r) LevelMapMarks[c][r] = kMarkVisited;
  ResetGameValuesForNewGame();
  EXPECT_EQ(extraLifePoints, 0);
  EXPECT_EQ(Flat(LevelMapMarks), kFreshMarks);
  EXPECT_EQ(activeGhostCount, 0);
  EXPECT_TRUE(bossActive);
  EXPECT_FALSE(texturesEnabled);
  EXPECT_EQ(detailLevel, 1);
}

struct KindCase {
  int level;
  int ghosts;
  bool bossBefore;
  bool bossAfter;
};

TEST(LevelKind, GhostsAndBossByLevelNumber) {
  const KindCase cases[] = {
      {1, 4, true, false},     {50, 4, true, false},    {-3, 4, true, false},
      {51, 0, true, true},     {51, 0, false, false},   {54, 0, false, false},
      {58, 0, true, true},     {99, 0, true, true},     {100, 8, false, true},
      {199, 8, false, true},   {9999, 8, false, true},
  };
  for (const KindCase& c : cases) {
    activeGhostCount = 3;
    bossActive = c.bossBefore;
    ApplyLevelKind(c.level);
    EXPECT_EQ(activeGhostCount, c.ghosts) << "level " << c.level;
    EXPECT_EQ(bossActive, c.bossAfter) << "level " << c.level;
  }
}

TEST(ExtraLife, BoughtOnlyAboveAThousandOneAtATime) {
  extraLifePoints = 1000;
  EXPECT_FALSE(TakeExtraLife());
  EXPECT_EQ(extraLifePoints, 1000);
  extraLifePoints = 1001;
  EXPECT_TRUE(TakeExtraLife());
  EXPECT_EQ(extraLifePoints, 1);
  extraLifePoints = 1005;
  EXPECT_TRUE(TakeExtraLife());
  EXPECT_EQ(extraLifePoints, 5);
  EXPECT_FALSE(TakeExtraLife());

  // Two large pellets on top of 950: one life, the rest kept.
  extraLifePoints = 950 + 2 * kLargePelletPoints;
  EXPECT_TRUE(TakeExtraLife());
  EXPECT_EQ(extraLifePoints, 150);

  // A total above 2000 is worked off one life per call.
  extraLifePoints = 2150;
  int lives = 0;
  while (TakeExtraLife()) ++lives;
  EXPECT_EQ(lives, 2);
  EXPECT_EQ(extraLifePoints, 150);
}

TEST(DisplaySettings, CopiedAtLevelLoadAndKeptToTheTextureSets) {
  TakeDisplaySettings(false, 1);
  EXPECT_FALSE(texturesEnabled);
  EXPECT_EQ(detailLevel, 1);
  TakeDisplaySettings(true, 0);
  EXPECT_TRUE(texturesEnabled);
  EXPECT_EQ(detailLevel, 0);
  TakeDisplaySettings(true, 7);
  EXPECT_EQ(detailLevel, 2);
  TakeDisplaySettings(true, -4);
  EXPECT_EQ(detailLevel, 0);
}

}  // namespace
