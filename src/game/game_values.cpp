#include "game/game_values.h"

int extraLifePoints = 0;
int gamePoints = 0;
int activeGhostCount = 8;
bool bossActive = false;
bool texturesEnabled = true;
int detailLevel = 2;

// Stored column by column: 3, 2, 1, 54, 100, 58, 5, 6, 7.
const int LevelMap[kLevelMapColumns][kLevelMapRows] = {
    {3, 2, 1},
    {54, 100, 58},
    {5, 6, 7},
};

namespace {
constexpr int kFirstLevel = 1;

int StartMarks(int column, int row) {
  if (column == kLevelMapCentreColumn && row == kLevelMapCentreRow) return kMarkHidden;
  if (LevelMap[column][row] == kFirstLevel) return kMarkVisited;
  return kMarkUnvisited;
}
}  // namespace

// The marks of a fresh game: level 1 (column 0, row 2) visited, the centre hidden.
int LevelMapMarks[kLevelMapColumns][kLevelMapRows] = {
    {kMarkUnvisited, kMarkUnvisited, kMarkVisited},
    {kMarkUnvisited, kMarkHidden, kMarkUnvisited},
    {kMarkUnvisited, kMarkUnvisited, kMarkUnvisited},
};

void ResetLevelMapMarks() {
  for (int c = 0; c < kLevelMapColumns; ++c)
    for (int r = 0; r < kLevelMapRows; ++r) LevelMapMarks[c][r] = StartMarks(c, r);
}

void InitGameValues() {
  extraLifePoints = 0;
  gamePoints = 0;
  activeGhostCount = 8;
  bossActive = false;
  texturesEnabled = true;
  detailLevel = 2;
  ResetLevelMapMarks();
}

void ResetGameValuesForNewGame() {
  extraLifePoints = 0;
  gamePoints = 0;
  ResetLevelMapMarks();
}

void MarkLevelVisited(int levelNumber) {
  for (int c = 0; c < kLevelMapColumns; ++c)
    for (int r = 0; r < kLevelMapRows; ++r)
      if (LevelMap[c][r] == levelNumber) LevelMapMarks[c][r] = kMarkVisited;
}

void MarkLevelMapCentreVisited() { LevelMapMarks[kLevelMapCentreColumn][kLevelMapCentreRow] = kMarkVisited; }

void ApplyLevelKind(int levelNumber) {
  if (levelNumber >= 100) {
    activeGhostCount = 8;
    bossActive = true;
  } else if (levelNumber >= 51) {
    activeGhostCount = 0;
  } else {
    activeGhostCount = 4;
    bossActive = false;
  }
}

void TakeDisplaySettings(bool texturesOn, int detailSetting) {
  texturesEnabled = texturesOn;
  // The level picks its texture set by this number; anything else has none.
  if (detailSetting < 0) detailSetting = 0;
  if (detailSetting > 2) detailSetting = 2;
  detailLevel = detailSetting;
}

bool TakeExtraLife() {
  if (extraLifePoints <= kExtraLifeCost) return false;
  extraLifePoints -= kExtraLifeCost;
  return true;
}
