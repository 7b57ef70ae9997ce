// The values that belong to a whole game rather than to one level: the
// points that buy lives, which ghosts and whether the boss play, the display
// choices taken at each level load, and the three-by-three level map.
#pragma once

// Lives the player starts a game with (the lives themselves live on the Player).
constexpr int kStartLives = 2;
// Points that buy one extra life; a frame must hold strictly more to spend them.
constexpr int kExtraLifeCost = 1000;

constexpr int kCoinPoints = 5;
constexpr int kLargePelletPoints = 100;
// Eating a frightened ghost sets the points to this; it does not add it.
constexpr int kGhostEatenPoints = 20;

extern int extraLifePoints;
// Every point the game has earned, never spent: its place in the table of
// records. A frightened ghost eaten adds kGhostEatenPoints here.
extern int gamePoints;
// Only the first activeGhostCount ghosts are stepped and drawn.
extern int activeGhostCount;
extern bool bossActive;
extern bool texturesEnabled;
extern int detailLevel;  // 0..2

// The map's level numbers, indexed [column][row]; row 0 is the top of the screen.
// 0 would mean an empty cell (no picture); the game's map has none.
constexpr int kLevelMapColumns = 3;
constexpr int kLevelMapRows = 3;
extern const int LevelMap[kLevelMapColumns][kLevelMapRows];

constexpr int kMarkHidden = -1;   // not drawn
constexpr int kMarkUnvisited = 0; // drawn with the blank picture
constexpr int kMarkVisited = 1;   // drawn with its own picture
extern int LevelMapMarks[kLevelMapColumns][kLevelMapRows];

// The map cell holding the boss level, uncovered by the rescue scene.
constexpr int kLevelMapCentreColumn = 1;
constexpr int kLevelMapCentreRow = 1;

// Start-up values of every global above (lives excepted: see kStartLives).
void InitGameValues();

// What a new game resets: both point counts and the map marks. The ghost count, the
// boss flag and the display choices are kept until the next level load.
void ResetGameValuesForNewGame();

// All marks unvisited, except the hidden centre and the visited first level.
void ResetLevelMapMarks();

// Marks every map cell holding this level number visited; numbers not on the
// map change nothing.
void MarkLevelVisited(int levelNumber);

// The rescue scene uncovers the centre cell.
void MarkLevelMapCentreVisited();

// Level kinds by number, as decided at each level load: 50 or less, four
// ghosts and no boss; 51 to 99, no ghosts and the boss flag untouched; 100 and
// above, all eight ghosts and the boss.
void ApplyLevelKind(int levelNumber);

// Copies the options menu's choices, taken at each level load.
void TakeDisplaySettings(bool texturesOn, int detailSetting);

// Spends kExtraLifeCost points when strictly more are held; true when a life
// was bought. At most one life per call, so a large total is worked off one
// life per frame.
bool TakeExtraLife();
