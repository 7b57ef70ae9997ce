// The game's levels as the game itself loads them from the run directory:
// counts, reachability, the route through the level map, the rescue scene's
// walks, the boss level and the closing scene.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "actors/maze_grid.h"
#include "level_source.h"
#include "support/test_support.h"
#include "wall_pieces.h"
#include "world/level.h"
#include "world/world_graphics.h"

namespace {

const std::filesystem::path kRunDir = GLUMBO_RUN_DIR;
const std::filesystem::path kSources = std::filesystem::path(GLUMBO_SOURCE_DIR) / "content" / "levels";
constexpr int kFinal = 9999;
const int kOrdinary[] = {1, 2, 3, 5, 6, 7};
const int kDx[4] = {0, 1, 0, -1};
const int kDy[4] = {-1, 0, 1, 0};

std::map<int, levelc::LevelSource> ReadSources() {
  std::map<int, levelc::LevelSource> all;
  for (const auto& entry : std::filesystem::directory_iterator(kSources)) {
    if (entry.path().extension() != ".lvl") continue;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> errors;
    auto src = levelc::ParseLevelSource(text.str(), entry.path().string(), errors);
    EXPECT_TRUE(src.has_value()) << entry.path();
    if (src) all[src->finalScene ? kFinal : src->number] = *src;
  }
  return all;
}

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

std::pair<int, int> Find(const Level& l, int code) {
  for (int y = 0; y < l.walls.height; ++y)
    for (int x = 0; x < l.walls.width; ++x)
      if (Wall(l, x, y) == code) return {x, y};
  return {-1, -1};
}

int CountCode(const Level& l, int code) {
  int n = 0;
  for (int y = 0; y < l.walls.height; ++y)
    for (int x = 0; x < l.walls.width; ++x) n += Wall(l, x, y) == code;
  return n;
}

// Where the player can walk: walls and the ghosts' cells block; a floor arrow
// forces its direction; doors let the player through once open. Periodic
// doors open by themselves, counter doors once enough coins could be eaten;
// portals end the level and are not walked through.
struct Reach {
  std::vector<std::vector<bool>> seen;
  int coins = 0;
  std::set<int> portalsTouched;
};

Reach PlayerReach(const Level& l, int sx, int sy) {
  std::set<int> open;
  for (int i = 0; i < l.doorCount; ++i)
    if (l.doors->At(i)->periodic) open.insert(i);
  for (;;) {
    Reach r;
    r.seen.assign(static_cast<std::size_t>(l.walls.width), std::vector<bool>(static_cast<std::size_t>(l.walls.height)));
    std::deque<std::pair<int, int>> todo{{sx, sy}};
    r.seen[static_cast<std::size_t>(sx)][static_cast<std::size_t>(sy)] = true;
    while (!todo.empty()) {
      auto [x, y] = todo.front();
      todo.pop_front();
      if (l.objects.cells[x][y] >= kCoinCode && l.objects.cells[x][y] < kCoinCode + l.coinCount) ++r.coins;
      const int code = Wall(l, x, y);
      const int forced = code >= 22 && code <= 25 ? code - 22 : -1;
      for (int d = 0; d < 4; ++d) {
        if (forced >= 0 && d != forced) continue;
        const int nx = x + kDx[d], ny = y + kDy[d];
        if (nx < 0 || ny < 0 || nx >= l.walls.width || ny >= l.walls.height) continue;
        const int c = Wall(l, nx, ny);
        if (IsWallCode(c) || c == 38 || c == 39) continue;
        if (c >= kDoorCode) {
          const int door = c - kDoorCode;
          if (l.doors->At(door)->TargetLevel() != -1) {
            r.portalsTouched.insert(door);
            continue;
          }
          if (open.count(door) == 0) continue;
        }
        auto&& mark = r.seen[static_cast<std::size_t>(nx)][static_cast<std::size_t>(ny)];
        if (mark) continue;
        mark = true;
        todo.emplace_back(nx, ny);
      }
    }
    bool more = false;
    for (int i = 0; i < l.doorCounters->count; ++i) {
      const DoorCounter& c = *l.doorCounters->At(i);
      if (c.targetLevel == -1 && open.count(c.doorIndex) == 0 && c.coinsLeft <= r.coins) {
        open.insert(c.doorIndex);
        more = true;
      }
    }
    if (!more) return r;
  }
}

MazeGrid GridOf(const Level& l, bool houseDoorOpen) {
  MazeGrid g;
  g.SetSize(l.walls.width, l.walls.height);
  for (int y = 0; y < l.walls.height; ++y)
    for (int x = 0; x < l.walls.width; ++x) g.SetCell(x, y, Wall(l, x, y));
  g.SetDoorOpen(houseDoorOpen);
  return g;
}

bool PathExists(const MazeGrid& g, int sx, int sy, int gx, int gy) {
  NodeList* path = g.FindPath(sx, sy, gx, gy);
  const bool found = path != nullptr;
  if (path != nullptr) path->DestroyWithNodes();
  return found;
}

TEST(ContentLevels, EveryLevelLoadsWithTheCountsItsSourceImplies) {
  const auto sources = ReadSources();
  ASSERT_EQ(sources.size(), 10u);  // 1, 2, 3, 54, 5, 6, 7, 58, 100 and the closing scene
  for (const auto& [n, src] : sources) {
    SCOPED_TRACE("level " + std::to_string(n));
    const auto level = Load(n);
    ASSERT_EQ(level->walls.width, src.width);
    ASSERT_EQ(level->walls.height, src.height);
    int coins = 0, pellets = 0, arrows = 0;
    std::set<char> doors;
    for (int y = 0; y < src.height; ++y)
      for (int x = 0; x < src.width; ++x) {
        const char c = src.At(x, y);
        coins += c == levelc::kCoin;
        pellets += c == levelc::kPellet;
        arrows += levelc::IsArrowChar(c);
        if (levelc::IsDoorChar(c)) doors.insert(c);
        if (levelc::IsWallChar(c)) {
          EXPECT_TRUE(IsWallCode(Wall(*level, x, y))) << x << ", " << y;
        }
      }
    EXPECT_EQ(level->coinCount, src.finalScene ? 0 : coins);
    EXPECT_EQ(level->largePelletCount, pellets);
    EXPECT_EQ(level->floorArrows->count, src.finalScene ? 0 : arrows);
    EXPECT_EQ(level->doorCount, static_cast<int>(doors.size()));
    int counters = 0, periodic = 0;
    for (const levelc::DoorSpec& d : src.doors) {
      counters += d.kind == levelc::DoorSpec::Kind::Portal || d.kind == levelc::DoorSpec::Kind::Coins;
      periodic += d.kind == levelc::DoorSpec::Kind::Timed;
    }
    EXPECT_EQ(level->doorCounters->count, src.finalScene ? 0 : counters);
    int periodicLoaded = 0;
    for (int i = 0; i < level->doorCount; ++i) periodicLoaded += level->doors->At(i)->periodic;
    EXPECT_EQ(periodicLoaded, src.finalScene ? 0 : periodic);
  }
}

TEST(ContentLevels, EveryCoinCanBeEatenAndEveryPortalOpened) {
  for (int n : {1, 2, 3, 54, 5, 6, 7, 100}) {
    SCOPED_TRACE("level " + std::to_string(n));
    const auto level = Load(n);
    const auto [px, py] = Find(*level, 37);
    ASSERT_GE(px, 0);
    const Reach r = PlayerReach(*level, px, py);
    for (int y = 0; y < level->walls.height; ++y)
      for (int x = 0; x < level->walls.width; ++x) {
        const int o = level->objects.cells[x][y];
        if (o >= kCoinCode && o < kCoinCode + level->coinCount) {
          EXPECT_TRUE(r.seen[x][y]) << "coin at " << x << ", " << y;
        }
        if (o >= kLargePelletCode && o < kLargePelletCode + level->largePelletCount) {
          EXPECT_TRUE(r.seen[x][y]) << "pellet at " << x << ", " << y;
        }
      }
    EXPECT_EQ(r.coins, level->coinCount);
    for (int i = 0; i < level->doorCounters->count; ++i) {
      const DoorCounter& c = *level->doorCounters->At(i);
      if (c.targetLevel == -1) continue;
      EXPECT_TRUE(r.portalsTouched.count(c.doorIndex)) << "portal " << c.doorIndex << " out of reach";
      EXPECT_GE(c.coinsLeft, 1);
      EXPECT_LE(c.coinsLeft, level->coinCount) << "portal " << c.doorIndex << " can never open";
    }
  }
}

TEST(ContentLevels, TheRouteRunsThroughTheLevelMapInOrder) {
  const std::map<int, int> next = {{1, 2}, {2, 3}, {3, 54}, {54, 5}, {5, 6}, {6, 7}, {7, 58}};
  for (const auto& [n, to] : next) {
    SCOPED_TRACE("level " + std::to_string(n));
    const auto level = Load(n);
    std::vector<int> targets;
    for (int i = 0; i < level->doorCount; ++i)
      if (level->doors->At(i)->TargetLevel() != -1) targets.push_back(level->doors->At(i)->TargetLevel());
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0], to);
    EXPECT_EQ(CountCode(*level, 37), 1);
    if (n == 54) {
      EXPECT_EQ(CountCode(*level, 36), 0);  // played without ghosts
      EXPECT_GE(level->floorArrows->count, 20);
      EXPECT_GE(level->coinCount, 150);
    } else {
      EXPECT_EQ(CountCode(*level, 36), 1);
      EXPECT_GE(CountCode(*level, 38), 1);
      EXPECT_GE(level->largePelletCount, 2);
      EXPECT_LE(level->largePelletCount, 6);
    }
  }
  EXPECT_LE(Load(1)->walls.width * Load(1)->walls.height, 21 * 23);
  EXPECT_GE(Load(7)->walls.width, 33);
  EXPECT_GE(Load(7)->walls.height, 33);
}

TEST(ContentLevels, GhostsLeaveTheirHouseAndReachEveryCoin) {
  // In these levels nothing opens the ghost-house door, so the way out must
  // not depend on it.
  for (int n : kOrdinary) {
    SCOPED_TRACE("level " + std::to_string(n));
    const auto level = Load(n);
    const MazeGrid ghosts = GridOf(*level, false);
    const auto [hx, hy] = Find(*level, 36);
    for (int y = 0; y < level->walls.height; ++y)
      for (int x = 0; x < level->walls.width; ++x)
        if (level->objects.cells[x][y] >= kCoinCode && (x + y) % 7 == 0) {  // a spread of coins keeps it quick
          EXPECT_TRUE(PathExists(ghosts, hx, hy, x, y)) << x << ", " << y;
        }
  }
}

TEST(ContentLevels, FeaturesAreSpreadAcrossTheLevels) {
  int periodic = 0, coinDoors = 0, arrows = 0, moreThanOneDoor = 0;
  for (int n : {1, 2, 3, 54, 5, 6, 7}) {
    const auto level = Load(n);
    for (int i = 0; i < level->doorCount; ++i) periodic += level->doors->At(i)->periodic;
    for (int i = 0; i < level->doorCounters->count; ++i) coinDoors += level->doorCounters->At(i)->targetLevel == -1;
    arrows += level->floorArrows->count > 0;
    moreThanOneDoor += level->doorCount > 1;
  }
  EXPECT_GE(periodic, 4);
  EXPECT_GE(coinDoors, 3);
  EXPECT_GE(arrows, 3);
  EXPECT_GE(moreThanOneDoor, 4);
}

// Every wall piece's open ends meet a wall piece that joins back, or a door's
// jamb; every wall cell beside open floor has something to draw.
TEST(ContentLevels, WallsAreDrawnWithoutGaps) {
  const int opposite[4] = {levelc::kJoinS, levelc::kJoinW, levelc::kJoinN, levelc::kJoinE};
  const int bit[4] = {levelc::kJoinN, levelc::kJoinE, levelc::kJoinS, levelc::kJoinW};
  for (int n : {1, 2, 3, 54, 5, 6, 7, 58, 100, kFinal}) {
    SCOPED_TRACE("level " + std::to_string(n));
    const auto level = Load(n);
    const int w = level->walls.width, h = level->walls.height;
    int drawn = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int code = Wall(*level, x, y);
        if (!IsWallCode(code)) continue;
        const int joins = levelc::JoinsOfPiece(code);
        bool besideFloor = false;
        for (int d = 0; d < 4; ++d) {
          const int nx = x + kDx[d], ny = y + kDy[d];
          const bool inside = nx >= 0 && ny >= 0 && nx < w && ny < h;
          if (inside && !IsWallCode(Wall(*level, nx, ny))) besideFloor = true;
          if ((joins & bit[d]) == 0) continue;
          ASSERT_TRUE(inside) << "cell " << x << ", " << y << " runs off the map";
          const int c = Wall(*level, nx, ny);
          if (c >= kDoorCode) continue;  // a door's jamb stands on that edge
          EXPECT_TRUE(IsWallCode(c) && (levelc::JoinsOfPiece(c) & opposite[d]))
              << "cell " << x << ", " << y << " is left open toward " << nx << ", " << ny;
        }
        if (besideFloor) {
          EXPECT_NE(joins, 0) << "cell " << x << ", " << y << " borders floor but draws nothing";
        }
        drawn += joins != 0;
      }
    EXPECT_GT(drawn, 0);
  }
}

TEST(ContentLevels, TheRescueScenesWalksAreOpen) {
  const auto level = Load(58);
  const MazeGrid grid = GridOf(*level, false);  // players and freshly reset ghosts: house door shut
  const auto [px, py] = Find(*level, 37);
  const auto [qx, qz] = Find(*level, 40);
  ASSERT_GE(px, 0);
  ASSERT_GE(qx, 0);
  struct Walk {
    const char* who;
    int fromX, fromY, toX, toY;
  };
  std::vector<Walk> walks = {{"player", px, py, qx + 6, qz}, {"partner", qx, qz, qx + 1, qz}};
  const int around[4][2] = {{qx, qz}, {qx + 2, qz}, {qx + 1, qz + 1}, {qx + 1, qz - 1}};
  for (int i = 0; i < 4; ++i) {
    walks.push_back({"ghost to the partner", 18, 6 + i, around[i][0], around[i][1]});
    walks.push_back({"ghost out", around[i][0], around[i][1], 3, 0});
  }
  walks.push_back({"partner out", qx + 1, qz, 3, 0});
  walks.push_back({"player out", qx + 6, qz, 3, 0});
  for (const Walk& w : walks) {
    SCOPED_TRACE(w.who);
    EXPECT_TRUE(grid.IsPassable(w.toX, w.toY)) << w.toX << ", " << w.toY;
    EXPECT_TRUE(PathExists(grid, w.fromX, w.fromY, w.toX, w.toY));
  }
  // Door 0 is the way out: (3, 0) is one of its cells, and the scene opens it.
  ASSERT_GE(level->doorCount, 1);
  EXPECT_EQ(Wall(*level, 3, 0), kDoorCode + 0);
  EXPECT_EQ(level->doors->At(0)->TargetLevel(), -1);
  EXPECT_EQ(level->doorCounters->count, 0);
  EXPECT_EQ(level->largePelletCount, 0);  // their lights would take the scene's lamps
  // The lamps at (2, 8) and (18, 8) hang over open floor, either side of the partner.
  EXPECT_FALSE(IsWallCode(Wall(*level, 2, 8)));
  EXPECT_FALSE(IsWallCode(Wall(*level, 18, 8)));
  EXPECT_LT(2, qx);
  EXPECT_LT(qx + 6, 18);
  EXPECT_NEAR(qz, 8, 2);
}

TEST(ContentLevels, TheBossWalksThroughSomeWallsAndTheWayOutWaitsForTheWalkOut) {
  const auto level = Load(100);
  MazeGrid boss;
  boss.SetSize(level->walls.width, level->walls.height);
  std::ifstream in(kRunDir / "pantallas" / "mostruo100.txt");
  ASSERT_TRUE(in.good());
  int w = 0, h = 0;
  in >> w >> h;
  EXPECT_EQ(w, level->walls.width);
  EXPECT_EQ(h, level->walls.height);
  int homes = 0, throughWalls = 0, bx = -1, by = -1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int code = -1;
      ASSERT_TRUE(in >> code) << "monster file ends early at " << x << ", " << y;
      boss.SetCell(x, y, code);
      if (code == 36) ++homes, bx = x, by = y;
      if (IsWallCode(Wall(*level, x, y)) && boss.IsPassable(x, y)) ++throughWalls;
      // The boss never stands where the player cannot follow it to eat a pellet.
      if (Wall(*level, x, y) == 38 || Wall(*level, x, y) >= kDoorCode) {
        EXPECT_FALSE(boss.IsPassable(x, y));
      }
    }
  EXPECT_EQ(homes, 1);
  EXPECT_GT(throughWalls, 0);
  const auto [px, py] = Find(*level, 37);
  EXPECT_TRUE(PathExists(boss, bx, by, px, py));
  EXPECT_EQ(level->largePelletCount, 0);  // their lights would put the corner lamps out
  // Door 0 opens only for the walk-out, and the player can walk to it.
  ASSERT_GE(level->doorCount, 1);
  const Door& door = *level->doors->At(0);
  EXPECT_EQ(door.TargetLevel(), -1);
  for (int i = 0; i < level->doorCounters->count; ++i) EXPECT_NE(level->doorCounters->At(i)->doorIndex, 0);
  const MazeGrid player = GridOf(*level, false);
  EXPECT_TRUE(PathExists(player, px, py, static_cast<int>(door.x), static_cast<int>(door.z)));
  // The ghosts' house door opens now and then here, and they find every corner.
  EXPECT_EQ(CountCode(*level, 39), 1);
  const auto [hx, hy] = Find(*level, 36);
  EXPECT_TRUE(PathExists(GridOf(*level, true), hx, hy, 1, 1));
  EXPECT_FALSE(PathExists(GridOf(*level, false), hx, hy, 1, 1));
  EXPECT_GE(level->walls.width, 20);  // the corner lamps stand 5 cells in from each side
  EXPECT_GE(level->walls.height, 20);
}

TEST(ContentLevels, TheClosingSceneBringsThePairTogether) {
  const auto level = Load(kFinal);
  const auto [px, py] = Find(*level, 37);
  const auto [qx, qz] = Find(*level, 40);
  ASSERT_GE(px, 0);
  ASSERT_GE(qx, 0);
  EXPECT_EQ(px, qx);  // facing each other along one column
  EXPECT_GT(py, qz);  // the player south of the partner
  EXPECT_EQ(qx, 4);   // under the walk-out camera at x = 4.5
  const float mz = (py + 0.5f + qz + 0.5f) / 2;
  const MazeGrid grid = GridOf(*level, false);
  const int meetX = static_cast<int>((px + qx + 1.0f) / 2);
  EXPECT_TRUE(PathExists(grid, qx, qz, meetX, static_cast<int>(mz - 1.0f)));
  EXPECT_TRUE(PathExists(grid, px, py, meetX, static_cast<int>(mz)));
  EXPECT_NE(static_cast<int>(mz - 1.0f), static_cast<int>(mz));
  ASSERT_GE(level->doorCount, 1);
  EXPECT_GT(level->walls.height, 13);  // the camera starts at z = 13 over the room
  for (int y = 0; y < level->walls.height; ++y)
    for (int x = 0; x < level->walls.width; ++x) {
      const int c = Wall(*level, x, y);
      EXPECT_FALSE(c >= 22 && c <= 25) << "an arrow would carry the player away at " << x << ", " << y;
    }
}

}  // namespace
