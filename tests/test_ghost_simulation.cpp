// Long runs of ghosts and a player on real-size mazes at random frame steps,
// with the invariants of the ghosts' world checked after every step: nobody
// stands in a wall of their own map or outside the maze, ghosts move only
// along cell centre lines toward a neighbouring cell, and every path is a
// chain of neighbouring free cells.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "actors/ghost.h"
#include "actors/player.h"
#include "game/game_random.h"
#include "game/game_state.h"
#include "support/ghost_world.h"
#include "world/level.h"

namespace {

constexpr int kSide = 31;

bool IsWallOf(const MazeGrid& grid, int cx, int cy) {
  return !MazeGrid::IsPassableCode(grid.cells[static_cast<std::size_t>(cx)][static_cast<std::size_t>(cy)], true);
}

// Empty when the ghost is sound, else what is wrong.
std::string CheckGhost(const Ghost& g) {
  const int cx = static_cast<int>(g.x), cz = static_cast<int>(g.z);
  if (g.x < 0 || g.z < 0 || cx >= g.width || cz >= g.height) return "outside the maze";
  std::string why;
  if (IsWallOf(g.grid, cx, cz)) why += "inside a wall; ";
  if (g.x - std::floor(g.x) != 0.5f && g.z - std::floor(g.z) != 0.5f) why += "off the centre lines; ";
  if (g.target != nullptr && (std::fabs(static_cast<float>(g.target->x) + 0.5f - g.x) +
                                      std::fabs(static_cast<float>(g.target->y) + 0.5f - g.z) > 1.0001f ||
                              g.target->x != g.cellX || g.target->y != g.cellY))
    why += "target is not the ghost's cell or not a neighbour; ";
  int px = g.cellX, py = g.cellY;
  for (int i = 0; g.path != nullptr && i < g.path->Count(); ++i) {
    const PathNode* n = g.path->At(i);
    if (n->x < 0 || n->y < 0 || n->x >= g.width || n->y >= g.height) return why + "path node outside the maze";
    // The first node may repeat the cell the ghost is on (a plan starts there).
    const int step = std::abs(n->x - px) + std::abs(n->y - py);
    if (IsWallOf(g.grid, n->x, n->y) || step > 1 || (i > 0 && step != 1)) why += "path through a wall or jumping at node " + std::to_string(i) + "; ";
    px = n->x, py = n->y;
  }
  return why.empty() ? why : why + "at " + std::to_string(g.x) + ", " + std::to_string(g.z);
}

void RunAtRandomFrameSteps(int levelNumber, int ordinaryGhosts, bool withBoss) {
  test::GLContext gl;
  ASSERT_TRUE(gl.ok());
  test::SoundRecorder sounds;
  // Border walls, a pillar on every even cell, a 5 x 3 ghost house around a
  // 3 x 1 hall holding the start 'G' with its door on top, and the player
  // start below; coins everywhere, a large pellet in each corner. The boss's
  // map has no pillars, but the same border and house.
  constexpr int c = kSide / 2;
  std::vector<std::string> rows(kSide, std::string(kSide, '.')), bossRows = rows;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      const int dx = std::abs(x - c), dy = std::abs(y - c);
      const bool fixedWall = x % (kSide - 1) == 0 || y % (kSide - 1) == 0 || (dx <= 2 && dy <= 1 && (dx == 2 || dy == 1));
      if (fixedWall) bossRows[y][x] = '#';
      if (fixedWall || (x % 2 == 0 && y % 2 == 0)) rows[y][x] = '#';
      else if ((x == 1 || x == kSide - 2) && (y == 1 || y == kSide - 2)) rows[y][x] = 'o';
    }
  for (auto* r : {&rows, &bossRows})
    for (auto [dy, ch] : {std::pair{0, 'G'}, {-1, 'H'}, {3, 'P'}}) (*r)[c + dy][c] = ch;
  test::LoadedMaze maze(rows, levelNumber);
  maze.WriteMonsterFile(test::MazeWallText(bossRows));
  SeedGameRandom(20261207);

  Player player(true);
  player.LoadLevel(&maze.level());
  std::vector<std::unique_ptr<Ghost>> ghosts;
  for (int i = 0; i < ordinaryGhosts + (withBoss ? 1 : 0); ++i) {
    ghosts.push_back(std::make_unique<Ghost>(i < ordinaryGhosts ? i : kBossId));
    ghosts.back()->SetPlayer(player);
    ghosts.back()->LoadLevel(maze.level());
  }
  const auto doors = [&](bool open) { std::for_each(ghosts.begin(), ghosts.end(), [open](auto& g) { g->SetDoorOpen(open); }); };

  GameState = StatePlaying;
  double houseDoorTimer = 10.0, dyingTicks = 0, ticks = 0;
  int catches = 0, eatenSeen = 0, steps = 0;
  for (; ticks < 20000; ++steps) {
    const double dt = 0.1 + 9.9 * static_cast<double>(GameRandom() % 10001) / 10000.0;
    ticks += dt;
    if (GameRandom() % 40 == 0) player.SetDirection(GameRandom() % 4);
    if (withBoss && ghosts.back()->GetLives() < 0) ghosts.back()->SetLives(4);
    if (GameState == StatePlaying) {
      // The ghost-house door opens for one second in every eleven.
      houseDoorTimer -= dt / 70.0;
      if (houseDoorTimer < 0.0) doors(houseDoorTimer >= -1.0);
      if (houseDoorTimer < -1.0) houseDoorTimer = 10.0;
      player.Update(dt);
      for (auto& g : ghosts) {
        const bool wasEaten = g->IsEaten();
        g->Update(dt);
        eatenSeen += !wasEaten && g->IsEaten() ? 1 : 0;
      }
    } else if (GameState == StateCaught) {
      ++catches;
      doors(true);
      for (auto& g : ghosts) g->GoHome();
      player.Stop();
      dyingTicks = 0;
      GameState = StateDying;
    } else {
      ASSERT_EQ(GameState, StateDying);
      for (auto& g : ghosts) g->Update(dt);
      if ((dyingTicks += dt) > 400) {
        doors(false);
        for (auto& g : ghosts) g->Reset();
        player.ResetSpeed();
        GameState = StatePlaying;
      }
    }
    for (auto& g : ghosts) ASSERT_EQ(CheckGhost(*g), "") << "ghost " << g->GetId() << " after " << steps << " steps";
    const int px = static_cast<int>(player.x), pz = static_cast<int>(player.z);
    ASSERT_TRUE(player.x >= 0 && player.z >= 0 && px < kSide && pz < kSide && !IsWallOf(*player.grid, px, pz))
        << "player outside or in a wall at " << player.x << ", " << player.z;
  }
  // The run did what it is meant to exercise (fixed seed: the same every time).
  EXPECT_GT(catches, 0);
  EXPECT_EQ(std::pair(sounds.Count(kGhostCatchSound), sounds.Count(kGhostEatenSound)), std::pair(catches, eatenSeen));
}

TEST(GhostSimulation, FourGhostsKeepTheInvariantsAtRandomFrameSteps) { RunAtRandomFrameSteps(1, 4, false); }
TEST(GhostSimulation, EightGhostsAndTheBossKeepTheInvariantsAtRandomFrameSteps) { RunAtRandomFrameSteps(100, 8, true); }

}  // namespace
