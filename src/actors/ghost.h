// A ghost: one of the maze's hunters. Eight ordinary ghosts (ids 0 to 7) and
// the boss (id 100) live for the whole run. Each walks A* paths found in its
// own copy of the maze; the boss reads its own walkability map from its
// monster file, so it may pass where the level has walls.
#pragma once

#include <cstdint>

#include "actors/maze_grid.h"

class Level;
class Player;

// The boss's walkability map; %d is the level number.
constexpr const char* kMonsterFilePattern = "./pantallas/mostruo%d.txt";
constexpr const char* kGhostCatchSound = "./sonidos/muere.wav";
constexpr const char* kGhostEatenSound = "./sonidos/comerFantasma.wav";

constexpr int kBossId = 100;
// Id thresholds. The ids in use are 0 to 7 and 100, so each singles out the boss.
constexpr int kLargeModelId = 99;      // id >= this: drawn three times as large
constexpr int kGoalCorrectionId = 50;  // id > this: a blocked chase goal is nudged to a neighbour
constexpr int kMonsterFileId = 100;    // id >= this: monster file, wide bite, bonus pellets

// Cell code of a ghost's home, in the level's wall layer and in monster files.
constexpr int kGhostHomeCode = 36;
constexpr int kBossLives = 5;  // given by every LoadLevel of the boss

constexpr float kGhostFloorHeight = 0.9f;  // model origin of an ordinary ghost
constexpr float kBossHomeHeight = 2.4f;    // the boss's larger model stands higher
constexpr float kGhostStunSeconds = 2.0f;  // after a Reset: neither catches nor can be eaten
constexpr float kGhostBaseSpeed = 0.035f;  // cells per tick, times speedFactor

// Random cells are drawn "until passable". On a maze with no passable cell
// (or none at all, after a failed load) that would never end, so the draws
// stop after this many and the ghost goes without a goal. A real maze finds a
// free cell long before, with the same draws in the same order.
constexpr int kMaxRandomCellDraws = 10000;

class Ghost {
 public:
  // Draws the speed factor with GameRandom().
  explicit Ghost(int id);
  virtual ~Ghost();
  Ghost(const Ghost&) = delete;
  Ghost& operator=(const Ghost&) = delete;

  // Takes the ghost's place in a level: its grid (the wall layer, or the
  // monster file for the boss), its home, and a Reset. The boss gets 5 lives.
  // A null level is ignored.
  void LoadLevel(Level* newLevel);
  void LoadLevel(Level& newLevel) { LoadLevel(&newLevel); }
  // Home at once, ghost-house door shut, harmless and safe for 2 seconds.
  void Reset();

  // One frame of behaviour, dt in ticks. Sets GameState to StateCaught when
  // it touches the unpowered player.
  void Update(double dt);
  // Opens the ghost-house door and walks home along a path.
  void GoHome();
  // Plans a path to cell (cx, cy) when that cell is free and no path is being walked.
  void WalkTo(int cx, int cy);
  // One step of path walking alone; true when the walk is over (no path at
  // the call, or an exhausted path that this call dropped).
  bool FollowPath(double dt);

  void SetPosition(float px, float py, float pz);
  void GetPosition(float& outX, float& outY, float& outZ) const;
  void GetPosition(float out[3]) const { GetPosition(out[0], out[1], out[2]); }
  // Headings of the menu's scene: 90, 0, 270, then 180 for any other index.
  void SetFacing(int index);
  // Whether the ghost-house door (code 39) is passable for this ghost.
  void SetDoorOpen(bool open) { grid.SetDoorOpen(open); }
  // Scaled by the ghost's brightness.
  void SetColour(float r, float g, float b);
  void GetColour(float& r, float& g, float& b) const;
  void GetColour(float out[3]) const { GetColour(out[0], out[1], out[2]); }
  void SetPlayer(Player& p) { player = &p; }
  void SetPlayer(Player* p) { player = p; }
  void SetLives(int count) { lives = count; }
  int GetLives() const { return lives; }
  void SetEaten(bool on) { eaten = on; }
  bool IsEaten() const { return eaten; }
  int GetId() const { return id; }
  bool IsReturningHome() const { return returningHome; }
  bool HasPath() const { return path != nullptr; }

  // The model (defined with the drawing code): compiled once after
  // construction, drawn at the ghost's position and heading, dark while eaten.
  void BuildDisplayList();
  void Draw();

  // The bonus-pellet clock shared by every boss ghost, in seconds: 20 when the
  // program starts, never reset by a level.
  static float BonusPelletClock();
  static void SetBonusPelletClock(float seconds);

  float heading = 0;  // degrees about +y
  float x = 0, y = 0, z = 0;
  float homeX = 0, homeY = 0, homeZ = 0;
  float brightness = 1.0f;
  float red = 1.0f, green = 1.0f, blue = 1.0f;
  int id;
  float speedFactor;  // 1.0 to 1.495 in steps of 0.005
  int lives = 0;
  NodeList* path = nullptr;  // owned, with its nodes
  MazeGrid grid;
  PathNode* target = nullptr;  // owned: the cell being walked to
  Level* level = nullptr;      // not owned
  Player* player = nullptr;    // not owned
  int width = 0, height = 0;   // the level's, for random cells
  bool chasing = false;        // the next plan aims at the player
  float chaseClock = -10.0f;   // seconds
  float stunTime = 0;          // seconds
  int cellX = 0, cellY = 0;    // the cell the ghost is on or heading to
  bool returningHome = false;
  bool eaten = false;
  std::uint32_t displayList = 0;  // 0: drawn in immediate mode

 private:
  void CopyWallLayer(const Level& source);
  void LoadMonsterFile(int levelNumber);
  void WalkPath(double dt);
  // The path goes; the target stays and is still walked to.
  void DropPath();
  void DestroyPath();
  void Plan();
  void BonusPelletStep(double dt);
  // Draws random cells with GameRandom() until one is free; false, with the cell
  // untouched, on a grid without cells or after kMaxRandomCellDraws draws.
  bool DrawFreeCell(int& cx, int& cy) const;
};
