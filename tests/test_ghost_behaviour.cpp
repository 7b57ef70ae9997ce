// What a ghost does each frame: the stun, the chase clock, catching the
// player, being eaten and walking home, planning, path walking, and the
// boss's bonus pellet.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "actors/ghost.h"
#include "actors/player.h"
#include "game/game_state.h"
#include "game/game_values.h"
#include "support/ghost_world.h"
#include "world/level.h"

namespace {

using test::GhostMaze;

const std::vector<std::string> kLongCorridor = {"###########################", "#G                        #",
                                                "###########################"};
const std::vector<std::string> kRoom = {"##########", "#G       #", "#        #", "#        #", "##########"};

// The player calls OpenGL for its power light, so these tests hold a context.
class GhostBehaviour : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl_.ok());
    GameState = StatePlaying;
    extraLifePoints = 0;
  }
  // A ghost in the maze chasing the player, awake unless told otherwise.
  std::unique_ptr<Ghost> Make(int id, GhostMaze& maze, float stun = 0) {
    auto g = std::make_unique<Ghost>(id);
    g->LoadLevel(maze.level());
    g->SetPlayer(player_);
    g->stunTime = stun;
    return g;
  }
  static PathNode LastNode(const Ghost& g) {
    const PathNode* node = g.path->At(g.path->Count() - 1);
    return node == nullptr ? PathNode{} : *node;
  }
  test::GLContext gl_;
  test::SoundRecorder sounds_;
  Player player_{true};
};

TEST_F(GhostBehaviour, StunRunsOutBeforeTheActivityTest) {
  EXPECT_FLOAT_EQ(Ghost::BonusPelletClock(), 20.0f);
  GhostMaze maze(kLongCorridor);
  auto a = Make(0, maze, 0.01f), b = Make(1, maze, 0.02f);
  player_.SetPosition(25.5f, 0.5f, 1.5f);  // d = 24: the clock gains nothing extra
  a->Update(1.0);
  b->Update(1.0);
  EXPECT_FLOAT_EQ(a->stunTime, 0.0f);
  EXPECT_FLOAT_EQ(a->chaseClock, -10.0f + 1.0f / 70.0f);
  EXPECT_GT(b->stunTime, 0.0f);
  EXPECT_FLOAT_EQ(b->chaseClock, -10.0f);  // still stunned: the clock stands
}

TEST_F(GhostBehaviour, CatchesTheUnpoweredPlayerOncePerLifeWithOneSound) {
  GhostMaze maze(kLongCorridor);
  auto a = Make(0, maze), b = Make(1, maze), stunned = Make(2, maze, 1.0f);
  player_.SetPosition(2.49f, 0.5f, 1.5f);  // d = 0.99
  stunned->Update(0.0);
  EXPECT_EQ(GameState, StatePlaying);
  a->Update(0.0);
  EXPECT_EQ(GameState, StateCaught);
  b->Update(0.0);
  EXPECT_EQ(GameState, StateCaught);
  EXPECT_EQ(sounds_.Count(kGhostCatchSound), 1);
  EXPECT_EQ(sounds_.started().size(), 1u);
  // At exactly one cell's distance the player is not caught.
  GameState = StatePlaying;
  player_.SetPosition(2.5f, 0.5f, 1.5f);
  b->SetPosition(1.5f, 0.9f, 1.5f);
  b->Update(0.0);
  EXPECT_EQ(GameState, StatePlaying);
}

TEST_F(GhostBehaviour, APoweredPlayerEatsAnOrdinaryGhostWithinOneCellAndTheBossWithinTwo) {
  GhostMaze maze(kLongCorridor, 100);
  maze.WriteMonsterFile(100, test::MazeTextForMonster(kLongCorridor));
  auto ordinary = Make(3, maze), boss = Make(kBossId, maze);
  ASSERT_FLOAT_EQ(boss->homeX, 1.5f);
  player_.PowerUp();
  extraLifePoints = 990;
  player_.SetPosition(3.0f, 0.5f, 1.5f);  // d = 1.5 from both homes
  ordinary->Update(0.0);
  EXPECT_FALSE(ordinary->IsEaten());
  EXPECT_FLOAT_EQ(player_.lightQuadratic, 0.05f);

  boss->Update(0.0);
  EXPECT_TRUE(boss->IsEaten());
  EXPECT_TRUE(boss->IsReturningHome());
  EXPECT_TRUE(boss->grid.doorOpen);
  EXPECT_EQ(boss->GetLives(), 4);
  EXPECT_FLOAT_EQ(player_.lightQuadratic, 0.235f);  // the boss cuts the power short
  EXPECT_FLOAT_EQ(player_.lightConstant, 4.2f);
  EXPECT_EQ(extraLifePoints, 20);
  EXPECT_EQ(sounds_.Count(kGhostEatenSound), 1);
  EXPECT_EQ(GameState, StatePlaying);

  // Closer than one cell the ordinary ghost is eaten too, without cutting the
  // power; on its way home it is not eaten again.
  player_.PowerUp();
  player_.SetPosition(2.0f, 0.5f, 1.5f);
  ordinary->Update(0.0);
  EXPECT_TRUE(ordinary->IsEaten());
  for (int i = 0; i < 2; ++i) {
    if (i > 0) ordinary->Update(0.0);
    EXPECT_EQ(ordinary->GetLives(), -1);
    EXPECT_FLOAT_EQ(player_.lightQuadratic, 0.05f);
    EXPECT_EQ(sounds_.Count(kGhostEatenSound), 2);
  }
}

TEST_F(GhostBehaviour, AnEatenGhostWalksHomeAndIsResetInTheUpdateAfterItArrives) {
  GhostMaze maze(kLongCorridor);
  auto gp = Make(4, maze);
  Ghost& g = *gp;
  g.SetPosition(9.5f, 0.9f, 1.5f);
  player_.PowerUp();
  player_.SetPosition(9.9f, 0.5f, 1.5f);
  g.Update(1.0);
  ASSERT_TRUE(g.IsEaten());
  ASSERT_TRUE(g.HasPath());
  EXPECT_EQ(LastNode(g).x, 1);

  player_.SetPosition(25.5f, 0.5f, 1.5f);
  float lastX = g.x;
  int updates = 0;
  for (; !(g.x == g.homeX && g.z == g.homeZ) && updates < 2000; ++updates) {
    g.Update(2.0);
    EXPECT_LE(g.x, lastX);
    EXPECT_FLOAT_EQ(g.z, 1.5f);
    lastX = g.x;
  }
  ASSERT_LT(updates, 2000);
  // 8 cells at 0.07 * speedFactor cells per update, stopping on each centre.
  const double walk = 2.0 * 0.035 * g.speedFactor;
  EXPECT_GE(updates, static_cast<int>(8.0 / walk));
  EXPECT_LE(updates, 8 * (static_cast<int>(1.0 / walk) + 2));
  EXPECT_TRUE(g.IsEaten());  // arrived, not yet reset
  EXPECT_TRUE(g.IsReturningHome());

  g.Update(2.0);
  EXPECT_FALSE(g.IsEaten());
  EXPECT_FALSE(g.IsReturningHome());
  EXPECT_FLOAT_EQ(g.stunTime, 2.0f);
  EXPECT_FALSE(g.grid.doorOpen);
  EXPECT_FLOAT_EQ(g.chaseClock, -10.0f);
}

TEST_F(GhostBehaviour, ANearPlayerMakesTheGhostReplanTowardItsCellUnlessPowered) {
  GhostMaze maze(kRoom);
  auto g = Make(5, maze), h = Make(6, maze);
  g->chaseClock = h->chaseClock = 9.5f;
  player_.SetPosition(4.5f, 0.5f, 2.5f);  // d = 3 + 1 = 4
  g->Update(1.0);
  EXPECT_GE(g->chaseClock, 2.55f + 1.0f / 70.0f - 1e-4f);
  EXPECT_LE(g->chaseClock, 7.5f + 1.0f / 70.0f + 1e-4f);
  ASSERT_TRUE(g->HasPath());
  EXPECT_EQ(LastNode(*g).x, 4);
  EXPECT_EQ(LastNode(*g).y, 2);
  // A powered player is neither chased nor fled from: the clock only runs.
  player_.PowerUp();
  h->Update(1.0);
  EXPECT_FLOAT_EQ(h->chaseClock, 9.5f + 1.0f / 70.0f);
}

TEST_F(GhostBehaviour, TheBossAimsBesideAPlayerCellItsMapBlocks) {
  // The boss's map of row 1 (the player stands on cell (5, 1)), and the goal it takes.
  struct {
    const char* row;
    int goalX, goalY;
  } const cases[] = {{"4 36 0 0 0 33 0 0 4", 6, 1}, {"4 36 0 0 0 33 33 0 4", 4, 1}, {"4 36 0 0 33 33 33 0 4", 5, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    GhostMaze maze({"#########", "#G      #", "#       #", "#########"}, 100);
    maze.WriteMonsterFile(100, std::string("9 4\n4 4 4 4 4 4 4 4 4\n") + c.row +
                                   "\n4 0 0 0 0 0 0 0 4\n4 4 4 4 4 4 4 4 4\n");
    auto boss = Make(kBossId, maze);
    boss->chaseClock = 9.5f;
    player_.SetPosition(5.5f, 0.5f, 1.5f);
    boss->Update(0.0);
    ASSERT_TRUE(boss->HasPath());
    EXPECT_EQ(LastNode(*boss).x, c.goalX);
    EXPECT_EQ(LastNode(*boss).y, c.goalY);
  }
}

TEST_F(GhostBehaviour, WalkToAndFollowPathLandOnEachCellCentre) {
  GhostMaze maze(kRoom);
  Ghost g(0);
  g.LoadLevel(maze.level());
  const float startX = g.x;
  EXPECT_TRUE(g.FollowPath(5.0));  // no path: over at once, nothing moves
  EXPECT_FLOAT_EQ(g.x, startX);
  for (auto [x, y] : {std::pair{0, 0}, {40, 2}, {-1, 2}}) g.WalkTo(x, y);  // a wall, outside the maze
  EXPECT_FALSE(g.HasPath());
  g.WalkTo(4, 3);
  ASSERT_TRUE(g.HasPath());
  g.WalkTo(8, 1);  // already walking: ignored
  EXPECT_EQ(LastNode(g).x, 4);

  int calls = 0;
  bool over = false;
  for (; !over && calls < 500; ++calls) {
    const float px = g.x, pz = g.z;
    over = g.FollowPath(3.0);
    EXPECT_LE(std::abs(g.x - px) + std::abs(g.z - pz), 3.0f * 0.035f * g.speedFactor + 1e-5f);
    // Always on a cell's centre line, never cutting a corner.
    const bool onColumnCentre = g.x - static_cast<float>(static_cast<int>(g.x)) == 0.5f;
    const bool onRowCentre = g.z - static_cast<float>(static_cast<int>(g.z)) == 0.5f;
    EXPECT_TRUE(onColumnCentre || onRowCentre) << g.x << ", " << g.z;
    // A shortest path from (1, 1) to (4, 3) only ever heads +x and +z: never past the goal.
    EXPECT_TRUE(g.x <= 4.5f && g.z <= 3.5f && g.x >= px && g.z >= pz) << g.x << ", " << g.z;
  }
  EXPECT_TRUE(over);
  EXPECT_FLOAT_EQ(g.x, 4.5f);
  EXPECT_FLOAT_EQ(g.z, 3.5f);
  EXPECT_FALSE(g.HasPath());
  EXPECT_EQ(g.target, nullptr);
  EXPECT_TRUE(g.FollowPath(1.0));

  // Headings follow the axis of motion.
  g.SetPosition(2.5f, 0.9f, 2.5f);
  for (auto [x, y, heading] : {std::tuple{3, 2, 0.0f}, {3, 3, -90.0f}, {2, 3, 180.0f}, {2, 2, 90.0f}}) {
    g.WalkTo(x, y);
    g.FollowPath(1.0);  // takes the start cell, already reached
    g.FollowPath(1.0);
    EXPECT_FLOAT_EQ(g.heading, heading) << x << "," << y;
    while (!g.FollowPath(10.0)) {
    }
  }
}

TEST_F(GhostBehaviour, OnAMazeWithNoFreeCellTheRandomGoalsGiveUp) {
  GhostMaze maze({"#####", "#####", "#####"}, 100);
  maze.WriteMonsterFile(100, "5 3 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4");
  auto g = Make(0, maze, 2.0f), boss = Make(kBossId, maze, 2.0f);
  player_.SetPosition(50.5f, 0.5f, 50.5f);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 20; ++i) {
    g->Update(10.0);
    boss->Update(10.0);
  }
  EXPECT_FALSE(g->HasPath());
  EXPECT_FALSE(boss->HasPath());
  g->GoHome();
  EXPECT_FALSE(g->HasPath());
  EXPECT_TRUE(g->IsReturningHome());
  // The bonus pellet finds no cell either.
  Ghost::SetBonusPelletClock(30.5f);
  boss->Update(1.0);
  EXPECT_FLOAT_EQ(Ghost::BonusPelletClock(), 0.0f);
  EXPECT_EQ(maze.level().largePelletCount, 0);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 10.0);
}

TEST_F(GhostBehaviour, OnALevelThatFailedToLoadNothingDividesByZero) {
  GhostMaze maze(kRoom);
  Level empty(2);
  empty.SetLevelNumber(100);  // no files: width and height 0
  Ghost g(0), boss(kBossId);
  for (Ghost* gh : {&g, &boss}) {
    gh->LoadLevel(empty);
    gh->SetPlayer(player_);
    gh->stunTime = 0;
    gh->chaseClock = 50.0f;
  }
  player_.SetPosition(0.5f, 0.5f, 0.5f);
  Ghost::SetBonusPelletClock(30.5f);
  g.Update(1.0);
  boss.Update(1.0);
  g.GoHome();
  EXPECT_FALSE(g.HasPath());
  EXPECT_FALSE(boss.HasPath());
}

TEST_F(GhostBehaviour, TheBossLaysABonusPelletEveryThirtySecondsAndTakesItAwayAtFifteen) {
  GhostMaze maze(kRoom, 100);
  // The boss may only use the bottom row of this map.
  maze.WriteMonsterFile(100,
                        "10 5\n4 4 4 4 4 4 4 4 4 4\n4 4 4 4 4 4 4 4 4 4\n4 4 4 4 4 4 4 4 4 4\n"
                        "4 36 0 0 0 0 0 0 0 4\n4 4 4 4 4 4 4 4 4 4\n");
  auto boss = Make(kBossId, maze, 2.0f), ordinary = Make(1, maze, 2.0f);
  player_.SetPosition(8.5f, 0.5f, 1.5f);
  Ghost::SetBonusPelletClock(29.99f);
  ordinary->Update(1.0);  // only the boss keeps the pellet clock
  EXPECT_FLOAT_EQ(Ghost::BonusPelletClock(), 29.99f);
  boss->Update(1.0);
  EXPECT_FLOAT_EQ(Ghost::BonusPelletClock(), 0.0f);
  Level& level = maze.level();
  ASSERT_EQ(level.largePelletCount, 1);
  int found = 0;
  for (int x = 0; x < 10; ++x)
    for (int y = 0; y < 5; ++y)
      if (level.objects.cells[x][y] == kLargePelletCode) {
        ++found;
        EXPECT_EQ(y, 3);
        EXPECT_TRUE(boss->grid.IsPassable(x, y));
      }
  EXPECT_EQ(found, 1);
  Ghost::SetBonusPelletClock(14.99f);
  boss->Update(0.0);
  EXPECT_EQ(level.largePelletCount, 1);  // not yet
  boss->Update(1.0);
  EXPECT_EQ(level.largePelletCount, 0);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(level.objects.cells[x][3], 0);
}

}  // namespace
