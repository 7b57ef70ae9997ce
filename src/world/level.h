// The level being played: its two cell layers, its items, its textures and
// its lights. One Level exists at a time; the game makes a new one for every
// level it enters and destroys the old one first.
#pragma once

#include <cstdint>

#include "world/cell_layer.h"
#include "world/coin.h"
#include "world/door.h"
#include "world/door_counter.h"
#include "world/floor_arrow.h"
#include "world/item_list.h"
#include "world/large_pellet.h"

class Texture;
class VisibilityGrid;

// Level numbers from this one on load the closing scene.
constexpr int kFinalLevelNumber = 1000;

// Wall-layer code of a door cell: kDoorCode + door index.
constexpr int kDoorCode = 3000;
// Object-layer codes: kCoinCode + coin index, kLargePelletCode + pellet index.
constexpr int kCoinCode = 1000;
constexpr int kLargePelletCode = 2000;

class Level {
 public:
  CellLayer objects;  // 0, kCoinCode + n, kLargePelletCode + n, or what the file said
  CellLayer walls;    // the wall codes; door cells hold kDoorCode + n

  // Owned; loaded by the constructor (none while worldGraphicsEnabled is off).
  Texture* coinTexture = nullptr;
  Texture* floorTexture = nullptr;
  Texture* wallTexture = nullptr;
  Texture* sparkTexture = nullptr;
  Texture* doorTexture = nullptr;
  Texture* arrowTexture = nullptr;

  // Owned with their elements. largePellets may be none in levels 100 and above.
  ItemList<Coin>* coins = nullptr;
  ItemList<LargePellet>* largePellets = nullptr;
  ItemList<Door>* doors = nullptr;
  ItemList<FloorArrow>* floorArrows = nullptr;
  ItemList<DoorCounter>* doorCounters = nullptr;

  VisibilityGrid* visibility = nullptr;  // not owned; read by Draw

  std::int32_t levelNumber = 1;
  std::int32_t coinCount = 0;
  std::int32_t largePelletCount = 0;
  std::int32_t doorCount = 0;

  Door* doorIndicator = nullptr;  // owned; the small door shown after coins open a door
  bool indicatorShowing = false;
  float indicatorTime = 0;  // seconds shown

  // Loads the texture set of the detail level (0, 1 or 2); a missing texture
  // ends the game with a "FATAL ERROR" box.
  explicit Level(std::int32_t detailLevel);
  virtual ~Level();
  Level(const Level&) = delete;
  Level& operator=(const Level&) = delete;

  void SetLevelNumber(std::int32_t n) { levelNumber = n; }
  std::int32_t LevelNumber() const { return levelNumber; }
  void SetVisibilityGrid(VisibilityGrid* grid) { visibility = grid; }

  // Reads the files of levelNumber, sets the lights and makes the door indicator.
  void Load();
  void ParseLevelFiles(const char* wallFileName, const char* objectFileName);
  void ParseFinalFile(const char* fileName);

  // One frame of item and door animation; dt in ticks.
  void Update(double dt);
  // Door numbers come from scripts that expect a level's own doors; a damaged
  // level may have none, so a door that does not exist is simply not there.
  void OpenDoor(std::int32_t n);           // nothing for a door that does not exist
  Door* GetDoor(std::int32_t n);           // none for a door that does not exist
  bool IsDoorOpen(std::int32_t n) const;   // false for a door that does not exist
  void RemoveBonusPellet();                // levels 100 and above only
  void PlaceBonusPellet(std::int32_t x, std::int32_t y);  // levels 100 and above only

  // Eats what lies in cell (x, z): 0 nothing (or a door), 1 a coin, 2 a large
  // pellet. Defined with the player's eating.
  int EatAt(int x, int z);

  // Defined with the maze drawing.
  void Draw();
  void DrawDoorIndicator();

 private:
  void DestroyLists();
  void CreateLists();
};

// Draws the wall piece of a wall code (4 to 21) around the current origin, the
// cell centre on the floor; other codes draw nothing. Defined with the maze drawing.
void DrawWallPiece(int code);
