// A ghost's state: construction, taking its place in a level, the return to
// its start state, and the small accessors the game and the drawing use.
#include "actors/ghost.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "actors/ghost_monster_file.h"
#include "game/game_random.h"
#include "world/level.h"

namespace {
// No real monster file comes near this; a bigger one is not read at all.
constexpr std::streamsize kMaxMonsterFileBytes = 4 << 20;
}  // namespace

Ghost::Ghost(int ghostId) : id(ghostId), speedFactor(1.0f + static_cast<float>(GameRandom() % 100) / 200.0f) {}

Ghost::~Ghost() {
  DestroyPath();
  delete target;
}

void Ghost::LoadLevel(Level* newLevel) {
  if (newLevel == nullptr) return;
  level = newLevel;
  // A level larger than a grid can hold is cut to the grid, so that random
  // cells and searches stay inside it.
  const int w = std::clamp(level->walls.width, 0, MazeGrid::kMaxSize);
  const int h = std::clamp(level->walls.height, 0, MazeGrid::kMaxSize);
  grid.SetSize(w, h);
  width = w;
  height = h;
  if (id < kMonsterFileId) {
    CopyWallLayer(*level);
  } else {
    LoadMonsterFile(level->LevelNumber());
    lives = kBossLives;
  }
  Reset();
}

void Ghost::CopyWallLayer(const Level& source) {
  for (int cy = 0; cy < height; ++cy) {
    for (int cx = 0; cx < width; ++cx) {
      const int code = source.walls.cells[cx][cy];
      grid.SetCell(cx, cy, code);
      if (code == kGhostHomeCode) {
        SetPosition(static_cast<float>(cx) + 0.5f, kGhostFloorHeight, static_cast<float>(cy) + 0.5f);
        homeX = x;
        homeY = y;
        homeZ = z;
      }
    }
  }
}

void Ghost::LoadMonsterFile(int levelNumber) {
  const std::string name = MonsterFileName(levelNumber);
  std::ifstream file(name, std::ios::binary);
  // A missing file is no fault: the boss keeps the map and home it had.
  if (!file) return;
  std::string text;
  text.resize(static_cast<std::size_t>(kMaxMonsterFileBytes) + 1);
  file.read(text.data(), kMaxMonsterFileBytes + 1);
  text.resize(static_cast<std::size_t>(file.gcount()));
  if (file.bad()) {
    std::fprintf(stderr, "%s: cannot be read; the boss keeps its previous map\n", name.c_str());
    return;
  }
  if (static_cast<std::streamsize>(text.size()) > kMaxMonsterFileBytes) {
    std::fprintf(stderr, "%s: larger than %ld bytes, not read; the boss keeps its previous map\n", name.c_str(),
                 static_cast<long>(kMaxMonsterFileBytes));
    return;
  }
  const MonsterFileResult result = ReadMonsterText(text, width, height, grid);
  if (!result.error.empty()) {
    std::fprintf(stderr, "%s: %s; the cells not read are left free\n", name.c_str(), result.error.c_str());
  }
  if (result.homeFound) {
    const float hx = static_cast<float>(result.homeX) + 0.5f;
    const float hz = static_cast<float>(result.homeY) + 0.5f;
    SetPosition(hx, kGhostFloorHeight, hz);
    homeX = hx;
    homeY = kBossHomeHeight;
    homeZ = hz;
  }
}

void Ghost::Reset() {
  DestroyPath();
  // The ghost is home now, whatever it was walking to: a target or cell left
  // from before would have it glide from home across the walls.
  delete target;
  target = nullptr;
  cellX = static_cast<int>(homeX);
  cellY = static_cast<int>(homeZ);
  chaseClock = -10.0f;
  x = homeX;
  y = homeY;
  z = homeZ;
  returningHome = false;
  eaten = false;
  stunTime = kGhostStunSeconds;
  SetDoorOpen(false);
}

void Ghost::SetPosition(float px, float py, float pz) {
  x = px;
  y = py;
  z = pz;
  cellX = static_cast<int>(px);
  cellY = static_cast<int>(pz);
}

void Ghost::GetPosition(float& outX, float& outY, float& outZ) const {
  outX = x;
  outY = y;
  outZ = z;
}

void Ghost::SetFacing(int index) {
  switch (index) {
    case 0: heading = 90.0f; break;
    case 1: heading = 0.0f; break;
    case 2: heading = 270.0f; break;
    default: heading = 180.0f; break;
  }
}

void Ghost::SetColour(float r, float g, float b) {
  red = r * brightness;
  green = g * brightness;
  blue = b * brightness;
}

void Ghost::GetColour(float& r, float& g, float& b) const {
  r = red;
  g = green;
  b = blue;
}

void Ghost::DestroyPath() {
  if (path == nullptr) return;
  path->DestroyWithNodes();
  path = nullptr;
}
