// Long runs of ghosts and a player on real-size mazes at random frame steps,
// with the invariants of the ghosts' world checked after every step: nobody
// stands in a wall of their own map or outside the maze, ghosts move only
// along cell centre lines toward a neighbouring cell, and every path is a
// chain of neighbouring free cells.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "actors/ghost.h"
#include "actors/player.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "support/ghost_world.h"
#include "world/level.h"

namespace {

constexpr int kSide = 31;

std::vector<std::string> SimulationMaze() {
  std::vector<std::string> rows = test::BigGhostMaze(kSide, kSide);
  for (std::string& row : rows) {
    for (char& c : row) {
      if (c == ' ') c = '.';
    }
  }
  rows[1][1] = rows[1][kSide - 2] = rows[kSide - 2][1] = rows[kSide - 2][kSide - 2] = 'o';
  return rows;
}

// The boss may cut through the pillars, but not through the border or the house.
std::string BossMap(const std::vector<std::string>& rows) {
  std::vector<std::string> boss = rows;
  for (int y = 1; y < kSide - 1; ++y) {
    for (int x = 1; x < kSide - 1; ++x) {
      const bool house = std::abs(x - kSide / 2) <= 2 && std::abs(y - kSide / 2) <= 1;
      if (!house && boss[y][x] == '#') boss[y][x] = ' ';
    }
  }
  return test::MazeTextForMonster(boss);
}

bool IsWallOf(const MazeGrid& grid, int cx, int cy) {
  return !MazeGrid::IsPassableCode(grid.cells[static_cast<std::size_t>(cx)][static_cast<std::size_t>(cy)], true);
}

bool OnCentreLine(float v) { return v - std::floor(v) == 0.5f; }

// Empty when the ghost is sound, else what is wrong.
std::string CheckGhost(const Ghost& g) {
  std::ostringstream why;
  const int cx = static_cast<int>(g.x);
  const int cz = static_cast<int>(g.z);
  if (g.x < 0 || g.z < 0 || cx >= g.width || cz >= g.height) {
    why << "outside the maze at " << g.x << ", " << g.z;
    return why.str();
  }
  if (IsWallOf(g.grid, cx, cz)) why << "inside a wall at " << g.x << ", " << g.z << "; ";
  if (!OnCentreLine(g.x) && !OnCentreLine(g.z)) why << "off the centre lines at " << g.x << ", " << g.z << "; ";
  if (g.target != nullptr) {
    const float dx = static_cast<float>(g.target->x) + 0.5f - g.x;
    const float dz = static_cast<float>(g.target->y) + 0.5f - g.z;
    if (std::fabs(dx) + std::fabs(dz) > 1.0001f) why << "target not a neighbour; ";
    if (g.target->x != g.cellX || g.target->y != g.cellY) why << "target is not the ghost's cell; ";
  }
  if (g.path != nullptr) {
    int px = g.cellX;
    int py = g.cellY;
    for (int i = 0; i < g.path->Count(); ++i) {
      const PathNode* n = g.path->At(i);
      if (n->x < 0 || n->y < 0 || n->x >= g.width || n->y >= g.height) {
        why << "path node outside the maze; ";
        break;
      }
      if (IsWallOf(g.grid, n->x, n->y)) why << "path through a wall at " << n->x << ", " << n->y << "; ";
      const int step = std::abs(n->x - px) + std::abs(n->y - py);
      // The first node may repeat the cell the ghost is on (a plan starts there).
      if (step > 1 || (i > 0 && step != 1)) why << "path jumps at node " << i << "; ";
      px = n->x;
      py = n->y;
    }
  }
  return why.str();
}

struct SimulationCase {
  const char* name;
  int levelNumber;
  int ordinaryGhosts;
  bool withBoss;
  int ticks;
};

void PrintTo(const SimulationCase& c, std::ostream* os) { *os << c.name; }

class GhostSimulation : public testing::TestWithParam<SimulationCase> {};

TEST_P(GhostSimulation, InvariantsHoldAtRandomFrameSteps) {
  const SimulationCase& c = GetParam();
  test::GLContext gl;
  ASSERT_TRUE(gl.ok());
  test::SoundRecorder sounds;
  const std::vector<std::string> rows = SimulationMaze();
  test::GhostMaze maze(rows, c.levelNumber);
  maze.WriteMonsterFile(c.levelNumber, BossMap(rows));
  std::srand(20261207);

  Player player(true);
  player.LoadLevel(&maze.level());
  player.Reset();
  ASSERT_GT(player.x, 0.0f);
  std::vector<std::unique_ptr<Ghost>> ghosts;
  for (int i = 0; i < c.ordinaryGhosts; ++i) ghosts.push_back(std::make_unique<Ghost>(i));
  if (c.withBoss) ghosts.push_back(std::make_unique<Ghost>(kBossId));
  for (auto& g : ghosts) {
    g->SetPlayer(player);
    g->LoadLevel(maze.level());
  }
  if (c.withBoss) ghosts.back()->SetLives(4);

  GameState = StatePlaying;
  double houseDoorTimer = 10.0;
  double dyingTicks = 0;
  int catches = 0;
  int eatenSeen = 0;
  double ticks = 0;
  int steps = 0;
  while (ticks < c.ticks) {
    const double dt = 0.1 + 9.9 * static_cast<double>(std::rand() % 10001) / 10000.0;
    ticks += dt;
    ++steps;
    if (std::rand() % 40 == 0) player.SetDirection(std::rand() % 4);

    if (GameState == StatePlaying) {
      // The ghost-house door opens for one second in every eleven.
      houseDoorTimer -= dt / 70.0;
      if (houseDoorTimer < -1.0) {
        for (auto& g : ghosts) g->SetDoorOpen(false);
        houseDoorTimer = 10.0;
      } else if (houseDoorTimer < 0.0) {
        for (auto& g : ghosts) g->SetDoorOpen(true);
      }
      player.Update(dt);
      for (auto& g : ghosts) {
        const bool wasEaten = g->IsEaten();
        g->Update(dt);
        if (!wasEaten && g->IsEaten()) ++eatenSeen;
      }
      if (c.withBoss && ghosts.back()->GetLives() < 0) ghosts.back()->SetLives(4);
    } else if (GameState == StateCaught) {
      ++catches;
      for (auto& g : ghosts) g->SetDoorOpen(true);
      for (auto& g : ghosts) g->GoHome();
      player.Stop();
      dyingTicks = 0;
      GameState = StateDying;
    } else {
      ASSERT_EQ(GameState, StateDying);
      for (auto& g : ghosts) g->Update(dt);
      dyingTicks += dt;
      if (dyingTicks > 400) {
        for (auto& g : ghosts) g->SetDoorOpen(false);
        for (auto& g : ghosts) g->Reset();
        player.ResetSpeed();
        GameState = StatePlaying;
      }
    }

    for (std::size_t i = 0; i < ghosts.size(); ++i) {
      const std::string wrong = CheckGhost(*ghosts[i]);
      ASSERT_EQ(wrong, "") << "ghost " << ghosts[i]->GetId() << " after " << steps << " steps";
    }
    const int px = static_cast<int>(player.x);
    const int pz = static_cast<int>(player.z);
    ASSERT_TRUE(player.x >= 0 && player.z >= 0 && px < kSide && pz < kSide) << player.x << ", " << player.z;
    ASSERT_FALSE(IsWallOf(*player.grid, px, pz)) << "player in a wall at " << player.x << ", " << player.z;
  }
  // The run did what it is meant to exercise (fixed seed: the same every time).
  EXPECT_GT(catches, 0);
  EXPECT_EQ(sounds.Count(kGhostCatchSound), catches);
  EXPECT_EQ(sounds.Count(kGhostEatenSound), eatenSeen);
  std::printf("%d steps, %d catches, %d ghosts eaten\n", steps, catches, eatenSeen);
  RecordProperty("catches", catches);
  RecordProperty("eaten", eatenSeen);
}

INSTANTIATE_TEST_SUITE_P(Runs, GhostSimulation,
                         testing::Values(SimulationCase{"FourGhosts", 1, 4, false, 20000},
                                         SimulationCase{"BossLevel", 100, 8, true, 20000}),
                         [](const testing::TestParamInfo<SimulationCase>& info) { return info.param.name; });

}  // namespace
