// The game's levels as the game itself loads them from the run directory:
// the route through the level map, the ghosts' and the scenes' walks, wall drawing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "actors/maze_grid.h"
#include "support/test_support.h"
#include "wall_pieces.h"
#include "world/level.h"
#include "world/world_graphics.h"

namespace {

const std::filesystem::path kRunDir = GLUMBO_RUN_DIR;
constexpr int kFinal = 9999;
const int kDx[4] = {0, 1, 0, -1}, kDy[4] = {-1, 0, 1, 0};

std::unique_ptr<Level> Load(int n) {
  worldGraphicsEnabled = false;
  test::ScopedCwd cwd(kRunDir);
  auto level = std::make_unique<Level>(2);
  level->SetLevelNumber(n);
  level->Load();
  return level;
}

int Wall(const Level& l, int x, int y) { return l.walls.cells[x][y]; }
bool IsWallCode(int c) { return c >= 4 && c <= 21; }

std::pair<int, int> Find(const Level& l, int code, int* count = nullptr) {
  std::pair<int, int> at{-1, -1};
  for (int y = 0; y < l.walls.height; ++y)
    for (int x = 0; x < l.walls.width; ++x)
      if (Wall(l, x, y) == code) {
        if (count) ++*count;
        if (at.first < 0) at = {x, y};
      }
  return at;
}

MazeGrid GridOf(const Level& l, bool houseDoorOpen) {
  MazeGrid g;
  g.SetSize(l.walls.width, l.walls.height);
  for (int y = 0; y < l.walls.height; ++y)
    for (int x = 0; x < l.walls.width; ++x) g.SetCell(x, y, Wall(l, x, y));
  g.SetDoorOpen(houseDoorOpen);
  return g;
}

bool PathExists(const MazeGrid& g, std::pair<int, int> from, std::pair<int, int> to) {
  NodeList* path = g.FindPath(from.first, from.second, to.first, to.second);
  if (path != nullptr) path->DestroyWithNodes();
  return path != nullptr;
}

// The level compiler already refuses coins the player cannot reach and portals
// that cannot open; what is left is the order of the route and the ghosts' way.
TEST(ContentLevels, TheRouteRunsThroughTheLevelMapAndGhostsReachTheCoins) {
  const std::map<int, int> next = {{1, 2}, {2, 3}, {3, 54}, {54, 5}, {5, 6}, {6, 7}, {7, 58}};
  for (const auto& [n, to] : next) {
    SCOPED_TRACE("level " + std::to_string(n));
    const auto level = Load(n);
    int homes = 0;
    const auto home = Find(*level, 36, &homes);
    EXPECT_EQ(homes, n == 54 ? 0 : 1);  // the bonus level is played without ghosts
    std::vector<int> targets;
    for (int i = 0; i < level->doorCount; ++i)
      if (level->doors->At(i)->TargetLevel() != -1) targets.push_back(level->doors->At(i)->TargetLevel());
    EXPECT_EQ(targets, std::vector<int>{to});
    if (homes == 0) continue;
    const MazeGrid ghosts = GridOf(*level, false);  // nothing opens the house door in these levels
    for (int y = 0; y < level->walls.height; ++y)
      for (int x = 0; x < level->walls.width; ++x)
        if (level->objects.cells[x][y] >= kCoinCode && (x + y) % 7 == 0) {  // a spread of coins keeps it quick
          EXPECT_TRUE(PathExists(ghosts, home, {x, y})) << x << ", " << y;
        }
  }
}

// Every wall piece's open ends meet a wall piece that joins back, or a door's
// jamb; every wall cell beside open floor has something to draw.
TEST(ContentLevels, WallsAreDrawnWithoutGaps) {
  const int bit[4] = {levelc::kJoinN, levelc::kJoinE, levelc::kJoinS, levelc::kJoinW};  // as kDx, kDy
  for (int n : {1, 2, 3, 54, 5, 6, 7, 58, 100, kFinal}) {
    SCOPED_TRACE("level " + std::to_string(n));
    const auto level = Load(n);
    const int w = level->walls.width, h = level->walls.height;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int code = Wall(*level, x, y), joins = levelc::JoinsOfPiece(code);
        if (!IsWallCode(code)) continue;
        bool besideFloor = false;
        for (int d = 0; d < 4; ++d) {
          const int nx = x + kDx[d], ny = y + kDy[d];
          const bool inside = nx >= 0 && ny >= 0 && nx < w && ny < h;
          besideFloor |= inside && !IsWallCode(Wall(*level, nx, ny));
          if ((joins & bit[d]) == 0) continue;
          ASSERT_TRUE(inside) << "cell " << x << ", " << y << " runs off the map";
          const int c = Wall(*level, nx, ny);
          EXPECT_TRUE(c >= kDoorCode || (IsWallCode(c) && (levelc::JoinsOfPiece(c) & bit[(d + 2) % 4])))
              << "cell " << x << ", " << y << " is left open toward " << nx << ", " << ny;
        }
        EXPECT_TRUE(!besideFloor || joins != 0) << "cell " << x << ", " << y << " borders floor but draws nothing";
      }
  }
}

// The closing scene's walk is played through by the scene tests.
TEST(ContentLevels, TheRescueScenesWalksAreOpen) {
  // The player to the partner's side, four ghosts round the
  // partner, then everyone out through door 0 at (3, 0); the house door stays shut.
  const auto rescue = Load(58);
  const MazeGrid grid = GridOf(*rescue, false);
  const auto p = Find(*rescue, 37);
  const auto [qx, qz] = Find(*rescue, 40);
  ASSERT_TRUE(p.first >= 0 && qx >= 0);
  const std::pair<int, int> out{3, 0}, around[4] = {{qx, qz}, {qx + 2, qz}, {qx + 1, qz + 1}, {qx + 1, qz - 1}};
  std::vector<std::pair<std::pair<int, int>, std::pair<int, int>>> walks = {
      {p, {qx + 6, qz}}, {{qx, qz}, {qx + 1, qz}}, {{qx + 1, qz}, out}, {{qx + 6, qz}, out}};
  for (int i = 0; i < 4; ++i) walks.insert(walks.end(), {{{18, 6 + i}, around[i]}, {around[i], out}});
  for (const auto& [from, to] : walks) {
    EXPECT_TRUE(PathExists(grid, from, to)) << from.first << ", " << from.second << " to " << to.first << ", " << to.second;
  }
  EXPECT_EQ(Wall(*rescue, 3, 0), kDoorCode + 0);
  EXPECT_EQ(rescue->largePelletCount, 0);  // their lights would take the scene's lamps
}

TEST(ContentLevels, TheBossWalksThroughSomeWallsAndTheWayOutWaitsForTheWalkOut) {
  const auto level = Load(100);
  std::ifstream in(kRunDir / "pantallas" / "mostruo100.txt");
  int w = 0, h = 0, homes = 0, throughWalls = 0;
  ASSERT_TRUE(in >> w >> h);
  ASSERT_TRUE(w == level->walls.width && h == level->walls.height) << w << " x " << h;
  MazeGrid boss;
  boss.SetSize(w, h);
  std::pair<int, int> lair;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int code = -1;
      ASSERT_TRUE(in >> code) << "monster file ends early at " << x << ", " << y;
      boss.SetCell(x, y, code);
      if (code == 36) ++homes, lair = {x, y};
      throughWalls += IsWallCode(Wall(*level, x, y)) && boss.IsPassable(x, y);
      // The boss never stands where the player cannot follow it.
      EXPECT_FALSE((Wall(*level, x, y) == 38 || Wall(*level, x, y) >= kDoorCode) && boss.IsPassable(x, y)) << x << ", " << y;
    }
  EXPECT_EQ(homes, 1);
  EXPECT_GT(throughWalls, 0);
  const auto player = Find(*level, 37);
  EXPECT_TRUE(PathExists(boss, lair, player));
  EXPECT_EQ(level->largePelletCount, 0);  // their lights would put the corner lamps out
  // Door 0 opens only for the walk-out, and the player can walk to it.
  const Door& door = *level->doors->At(0);
  EXPECT_EQ(door.TargetLevel(), -1);
  for (int i = 0; i < level->doorCounters->count; ++i) EXPECT_NE(level->doorCounters->At(i)->doorIndex, 0);
  EXPECT_TRUE(PathExists(GridOf(*level, false), player, {static_cast<int>(door.x), static_cast<int>(door.z)}));
  // The ghosts' house door opens now and then here, and only then do they get out.
  const auto home = Find(*level, 36);
  EXPECT_TRUE(PathExists(GridOf(*level, true), home, {1, 1}));
  EXPECT_FALSE(PathExists(GridOf(*level, false), home, {1, 1}));
}

}  // namespace
