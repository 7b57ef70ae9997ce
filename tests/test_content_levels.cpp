// The game's levels as the game itself loads them from the run directory:
// the route through the level map, the ghosts' and the scenes' walks, wall drawing.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "actors/ghost_monster_file.h"
#include "actors/maze_grid.h"
#include "support/test_support.h"
#include "wall_pieces.h"
#include "world/level.h"
#include "world/world_graphics.h"

using Cell = std::pair<int, int>;
const std::filesystem::path kRunDir = GLUMBO_RUN_DIR;

std::unique_ptr<Level> Load(int n) {
  worldGraphicsEnabled = false;
  test::ScopedCwd cwd(kRunDir);
  auto level = std::make_unique<Level>(2);
  level->SetLevelNumber(n), level->Load();
  return level;
}

int Wall(const Level& l, int x, int y) { return l.walls.cells[x][y]; }
bool IsWallCode(int c) { return c >= 4 && c <= 21; }

// Every cell holding the wall code, row by row.
std::vector<Cell> FindAll(const Level& l, int code) {
  std::vector<Cell> found;
  for (int i = 0, w = l.walls.width; i < w * l.walls.height; ++i)
    if (Wall(l, i % w, i / w) == code) found.emplace_back(i % w, i / w);
  return found;
}

MazeGrid GridOf(const Level& l, bool houseDoorOpen) {
  MazeGrid g;
  g.SetSize(l.walls.width, l.walls.height);
  for (int i = 0, w = l.walls.width; i < w * l.walls.height; ++i) g.SetCell(i % w, i / w, Wall(l, i % w, i / w));
  g.SetDoorOpen(houseDoorOpen);
  return g;
}

bool PathExists(const MazeGrid& g, Cell from, Cell to) {
  return OwnedPath(g.FindPath(from.first, from.second, to.first, to.second)) != nullptr;
}

// The level compiler already refuses coins the player cannot reach and portals
// that cannot open; what is left is the order of the route, the ghosts' way, and
// wall pieces whose open ends meet a piece that joins back (or a door's jamb),
// with something drawn on every wall cell beside open floor.
TEST(ContentLevels, TheRouteRunsThroughTheLevelMapGhostsReachTheCoinsAndWallsHaveNoGaps) {
  const std::map<int, int> next = {{1, 2}, {2, 3}, {3, 54}, {54, 5}, {5, 6}, {6, 7}, {7, 58}, {58, 0}, {100, 0}, {9999, 0}};
  const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
  const int bit[4] = {levelc::kJoinN, levelc::kJoinE, levelc::kJoinS, levelc::kJoinW};
  for (const auto& [n, to] : next) {
    SCOPED_TRACE("level " + std::to_string(n));
    const auto level = Load(n);
    const int w = level->walls.width, h = level->walls.height;
    std::vector<int> targets;
    for (int i = 0; i < level->doorCount; ++i)
      if (level->doors->At(i)->TargetLevel() != -1) targets.push_back(level->doors->At(i)->TargetLevel());
    // The closing scenes and the final level are off the route; the bonus level is played without ghosts.
    const auto homes = FindAll(*level, 36);
    if (to != 0) { EXPECT_EQ(std::pair(targets, homes.size()), std::pair(std::vector<int>{to}, std::size_t(n == 54 ? 0 : 1))); }
    const bool ghostsOnRoute = to != 0 && !homes.empty();
    const MazeGrid ghosts = GridOf(*level, false);  // nothing opens the house door in these levels
    const auto at = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h ? Wall(*level, x, y) : -1; };
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        // A spread of the coins keeps it quick.
        EXPECT_TRUE(!ghostsOnRoute || level->objects.cells[x][y] < kCoinCode || (x + y) % 7 != 0 ||
                    PathExists(ghosts, homes[0], {x, y})) << "the ghosts cannot reach the coin at " << x << ", " << y;
        const int code = Wall(*level, x, y), joins = levelc::JoinsOfPiece(code);
        bool besideFloor = false;
        for (int d = 0; d < 4 && IsWallCode(code); ++d) {
          const int c = at(x + dx[d], y + dy[d]);  // -1 off the map
          besideFloor |= c >= 0 && !IsWallCode(c);
          EXPECT_TRUE(!(joins & bit[d]) || c >= kDoorCode || (IsWallCode(c) && (levelc::JoinsOfPiece(c) & bit[(d + 2) % 4])))
              << "cell " << x << ", " << y << " is left open toward " << x + dx[d] << ", " << y + dy[d];
        }
        EXPECT_TRUE(!besideFloor || joins != 0) << "cell " << x << ", " << y << " borders floor but draws nothing";
      }
  }
}
