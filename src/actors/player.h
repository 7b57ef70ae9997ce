// The round character: the one the user steers, and the partner that only the
// scripted scenes move. It runs along the four axis directions, slides round
// corners when a little off a corridor's centre line, is pushed along by floor
// arrows, eats what lies under it and glows for a while after a large pellet.
#pragma once

#include <memory>
#include <optional>

class Level;
class MazeGrid;
class NodeList;

// Directions: 0 toward -z, 1 toward +x, 2 toward +z, 3 toward -x; 4 or more stands still.
constexpr int kPlayerNorth = 0;
constexpr int kPlayerEast = 1;
constexpr int kPlayerSouth = 2;
constexpr int kPlayerWest = 3;

constexpr float kPlayerBaseSpeed = 0.04f;   // cells per tick
constexpr float kPlayerBoostSpeed = 0.08f;
constexpr float kPlayerArrowSpeed = 0.12f;

constexpr int kPlayerMaxCells = 100;  // the collision map's side
constexpr int kPlayerTrailCapacity = 50;

// Collision codes. Door cells keep their wall-layer code (3000 + door index).
constexpr int kCollisionFree = 0;
constexpr int kCollisionWall = 1;
constexpr int kCollisionArrowFirst = 10;  // 10 + the direction the arrow pushes
constexpr int kCollisionArrowLast = 14;
constexpr int kCollisionDoorBase = 3000;

// The OpenGL light the player glows with while powered.
constexpr int kPlayerLightIndex = 7;

// One past pose of the speed streak.
struct TrailRecord {
  float x = 0, y = 0, z = 0;
  float heading = 0;
  float mouth = 0;
};

// A cell being walked to by FollowPath.
struct WalkCell {
  int x = 0;
  int y = 0;
};

class Player {
 public:
  explicit Player(bool isMain);
  virtual ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // Fits the player to a newly loaded level: copies its wall layer into the
  // grid and the collision map and puts the player on its start cell. A null
  // level is ignored.
  void LoadLevel(Level* newLevel);
  // One frame of steering, collision, mouth, arrows, eating, speed and power;
  // dt in ticks.
  void Update(double dt);

  void SetLives(int count) { lives = count; }
  int GetLives() const { return lives; }
  void SetDirection(int d) { direction = d; }
  int GetDirection() const { return direction; }
  void GetPosition(float& outX, float& outY, float& outZ) const;
  void GetPosition(float out[3]) const;
  bool IsMain() const { return isMain; }

  // At least the boost speed; an arrow's higher speed is kept.
  void Boost();
  void Stop();
  void ResetSpeed();
  // Light off, base speed, no trail.
  void Reset();

  // Whether the player may stand in cell (cx, cy). Cells outside the level are blocked.
  bool IsFree(int cx, int cy) const;
  // Tests the four corners of the player's square (half-side 0.4): 0 (+x,-z),
  // 1 (+x,+z), 2 (-x,+z), 3 (-x,-z); sets blocked[i] for each blocked one and
  // returns how many are.
  int CountBlockedCorners(bool blocked[4]) const;

  void SetLight(bool on);
  void PowerUp();
  bool IsPowered() const { return powered; }
  // Leaves about 150 ticks of power, already flickering.
  void CutPower();

  // Plans a path from the player's cell to (cx, cy); an impassable or outside
  // cell does nothing, an unreachable one leaves no path.
  void WalkTo(int cx, int cy);
  // Walks the planned path without collision tests or eating; true once there
  // is neither a path nor a cell to reach.
  bool FollowPath(double dt);

  void SetPosition(float px, float py, float pz);
  // Headings of the menu's scene: 90, 0, 270, then 180 for any other index.
  void SetFacing(int index);

  // Drawing (render/player_model.cpp): the body with its trail, one copy of
  // the model in the current transform, and the menu's mouth step.
  void DrawPlayer();
  void DrawPlayerModel(bool translucent, float brightness, int mouthStep);
  void AnimateMouth(double step);

  TrailRecord trail[kPlayerTrailCapacity];  // newest at index 0
  int trailLength = 0;
  int trailMax = 10;
  bool trailOn = false;
  int trailCounter = 0;
  int trailInterval = 5;  // a record is taken when the counter exceeds it
  float heading = 0;      // degrees about the vertical axis
  float x = 0, y = 0.5f, z = 0;
  int direction = 0;
  float mouth = 0;  // 0 to 20
  int mouthDir = 1;
  float speed = kPlayerBaseSpeed;
  int lives = 0;
  bool isMain;
  NodeList* path = nullptr;        // owned
  std::unique_ptr<MazeGrid> grid;  // owned copy of the level's wall layer
  std::optional<WalkCell> target;
  int collision[kPlayerMaxCells][kPlayerMaxCells] = {};  // [x][z]
  int width = 0, height = 0;
  Level* level = nullptr;  // not owned
  float lightConstant = 0.8f;
  float lightQuadratic = 0.05f;  // also the power timer
  bool powered = false;
  float lightIntensity = 0;  // glow used by the drawing

 private:
  void MoveAndCollide(float step);
  void StepMouth(double dt);
  void DecaySpeed(double dt);
  void UpdatePowerLight(double dt);
  void PlaceLight() const;
  void DropPath();
  int CellCode(int cx, int cy) const;
};
