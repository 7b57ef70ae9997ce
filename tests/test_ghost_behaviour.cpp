// What a ghost does each frame: the stun, the chase clock, catching the
// player, being eaten and walking home, planning, path walking, and the
// boss's bonus pellet.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

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
  static std::pair<int, int> Goal(const Ghost& g) {
    const PathNode* node = g.path->At(g.path->Count() - 1);
    return node == nullptr ? std::pair{-1, -1} : std::pair{node->x, node->y};
  }
  test::GLContext gl_;
  test::SoundRecorder sounds_;
  Player player_{true};
};

TEST_F(GhostBehaviour, CatchesTheUnpoweredPlayerOncePerLifeWithOneSound) {
  GhostMaze maze(kLongCorridor);
  auto a = Make(0, maze), b = Make(1, maze), stunned = Make(2, maze, 1.0f);
  player_.SetPosition(2.49f, 0.5f, 1.5f);  // d = 0.99
  stunned->Update(0.0);
  ASSERT_EQ(GameState, StatePlaying);
  for (Ghost* g : {a.get(), b.get()}) g->Update(0.0);
  EXPECT_EQ(GameState, StateCaught);
  EXPECT_EQ(sounds_.started(), std::vector<std::string>{kGhostCatchSound});
  // At exactly one cell's distance the player is not caught.
  GameState = StatePlaying;
  player_.SetPosition(2.5f, 0.5f, 1.5f);
  b->Update(0.0);
  EXPECT_EQ(GameState, StatePlaying);
}

TEST_F(GhostBehaviour, APoweredPlayerEatsAnOrdinaryGhostWithinOneCellAndTheBossWithinTwo) {
  GhostMaze maze(kLongCorridor, 100);
  maze.WriteMonsterFile(100, test::MazeTextForMonster(kLongCorridor));
  auto ordinary = Make(3, maze), boss = Make(kBossId, maze);
  player_.PowerUp();
  extraLifePoints = 990;
  player_.SetPosition(3.0f, 0.5f, 1.5f);  // d = 1.5 from both homes
  ordinary->Update(0.0);
  boss->Update(0.0);
  EXPECT_FALSE(ordinary->IsEaten());
  EXPECT_TRUE(boss->IsEaten() && boss->IsReturningHome() && boss->grid.doorOpen);
  // The boss cuts the power short; its points pass a thousand.
  EXPECT_EQ(std::tuple(boss->GetLives(), player_.lightQuadratic, extraLifePoints, GameState), std::tuple(4, 0.235f, 20, StatePlaying));
  // Closer than one cell the ordinary ghost is eaten too, without cutting the
  // power; on its way home it is not eaten again.
  player_.PowerUp();
  player_.SetPosition(2.0f, 0.5f, 1.5f);
  ordinary->Update(0.0);
  EXPECT_TRUE(ordinary->IsEaten());
  ordinary->Update(0.0);
  EXPECT_EQ(std::tuple(ordinary->GetLives(), player_.lightQuadratic, sounds_.Count(kGhostEatenSound)), std::tuple(-1, 0.05f, 2));
}

TEST_F(GhostBehaviour, AnEatenGhostWalksHomeAndIsResetInTheUpdateAfterItArrives) {
  GhostMaze maze(kLongCorridor);
  auto gp = Make(4, maze);
  Ghost& g = *gp;
  g.SetPosition(9.5f, 0.9f, 1.5f);
  player_.PowerUp();
  player_.SetPosition(9.9f, 0.5f, 1.5f);
  g.Update(1.0);
  ASSERT_TRUE(g.IsEaten() && g.HasPath());
  player_.SetPosition(25.5f, 0.5f, 1.5f);
  int updates = 0;
  for (; !(g.x == g.homeX && g.z == g.homeZ) && updates < 2000; ++updates) g.Update(2.0);
  // 8 cells at 0.07 * speedFactor cells per update, stopping on each centre.
  EXPECT_NEAR(updates, 8.0 / (0.07 * g.speedFactor), 12);
  EXPECT_TRUE(g.IsEaten());  // arrived, not yet reset
  g.Update(2.0);
  EXPECT_FALSE(g.IsEaten() || g.IsReturningHome() || g.grid.doorOpen);
  EXPECT_EQ(std::pair(g.stunTime, g.chaseClock), std::pair(2.0f, -10.0f));
}

TEST_F(GhostBehaviour, ANearPlayerMakesTheGhostReplanTowardItsCellUnlessPowered) {
  GhostMaze maze(kRoom);
  auto g = Make(5, maze), h = Make(6, maze);
  g->chaseClock = h->chaseClock = 9.5f;
  player_.SetPosition(4.5f, 0.5f, 2.5f);  // d = 3 + 1 = 4
  g->Update(1.0);
  EXPECT_NEAR(g->chaseClock, 5.025f + 1.0f / 70.0f, 2.4751f);  // drawn from 2.55 .. 7.5
  ASSERT_TRUE(g->HasPath());
  EXPECT_EQ(Goal(*g), std::pair(4, 2));
  // A powered player is neither chased nor fled from: the clock only runs.
  player_.PowerUp();
  h->Update(1.0);
  EXPECT_FLOAT_EQ(h->chaseClock, 9.5f + 1.0f / 70.0f);
}

TEST_F(GhostBehaviour, TheBossAimsBesideAPlayerCellItsMapBlocks) {
  // The boss's map of row 1 (the player stands on cell (5, 1)), and the goal it takes.
  const std::pair<const char*, std::pair<int, int>> cases[] = {
      {"4 36 0 0 0 33 0 0 4", {6, 1}}, {"4 36 0 0 0 33 33 0 4", {4, 1}}, {"4 36 0 0 33 33 33 0 4", {5, 2}}};
  for (const auto& [row, goal] : cases) {
    SCOPED_TRACE(row);
    GhostMaze maze({"#########", "#G      #", "#       #", "#########"}, 100);
    maze.WriteMonsterFile(100, std::string("9 4\n4 4 4 4 4 4 4 4 4\n") + row + "\n4 0 0 0 0 0 0 0 4\n4 4 4 4 4 4 4 4 4\n");
    auto boss = Make(kBossId, maze);
    boss->chaseClock = 9.5f;
    player_.SetPosition(5.5f, 0.5f, 1.5f);
    boss->Update(0.0);
    ASSERT_TRUE(boss->HasPath());
    EXPECT_EQ(Goal(*boss), goal);
  }
}

// The long runs check centre lines and neighbouring steps; here the ends of a walk.
TEST_F(GhostBehaviour, WalkToAndFollowPathEndOnTheGoalsCentre) {
  GhostMaze maze(kRoom);
  Ghost g(0);
  g.LoadLevel(maze.level());
  EXPECT_TRUE(g.FollowPath(5.0));  // no path: over at once
  for (auto [x, y] : {std::pair{0, 0}, {40, 2}, {-1, 2}}) g.WalkTo(x, y);  // a wall, outside the maze
  EXPECT_FALSE(g.HasPath());
  g.WalkTo(4, 3);
  g.WalkTo(8, 1);  // already walking: ignored
  for (int calls = 0; !g.FollowPath(3.0) && calls < 500; ++calls) {
  }
  // The heading follows the last step, +x.
  EXPECT_EQ(std::tuple(g.x, g.z, g.heading), std::tuple(4.5f, 3.5f, 0.0f));
  EXPECT_FALSE(g.HasPath() || g.target != nullptr);
}

TEST_F(GhostBehaviour, OnAMazeWithNoFreeCellTheRandomGoalsGiveUp) {
  GhostMaze maze({"#####", "#####", "#####"}, 100);
  maze.WriteMonsterFile(100, "5 3 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4");
  auto g = Make(0, maze, 2.0f), boss = Make(kBossId, maze, 2.0f);
  player_.SetPosition(50.5f, 0.5f, 50.5f);
  for (int i = 0; i < 40; ++i) (i % 2 ? g : boss)->Update(10.0);
  g->GoHome();
  // The bonus pellet finds no cell either.
  Ghost::SetBonusPelletClock(30.5f);
  boss->Update(1.0);
  EXPECT_FALSE(g->HasPath() || boss->HasPath() || !g->IsReturningHome());
  EXPECT_EQ(std::pair(Ghost::BonusPelletClock(), maze.level().largePelletCount), std::pair(0.0f, 0));
}

TEST_F(GhostBehaviour, OnALevelThatFailedToLoadNothingDividesByZero) {
  GhostMaze maze(kRoom);  // also makes the world GL-free
  Level empty(2);
  empty.SetLevelNumber(100);  // no files: width and height 0
  Ghost g(0), boss(kBossId);
  boss.LoadLevel(nullptr);
  player_.SetPosition(0.5f, 0.5f, 0.5f);
  Ghost::SetBonusPelletClock(30.5f);
  for (Ghost* gh : {&g, &boss}) {
    gh->LoadLevel(empty);
    gh->SetPlayer(player_);
    gh->stunTime = 0;
    gh->chaseClock = 50.0f;
    gh->Update(1.0);
  }
  EXPECT_EQ(std::pair(g.width + g.height, boss.GetLives()), std::pair(0, 5));
  g.GoHome();
  EXPECT_FALSE(g.HasPath() || boss.HasPath());
}

TEST_F(GhostBehaviour, TheBossLaysABonusPelletEveryThirtySecondsAndTakesItAwayAtFifteen) {
  GhostMaze maze(kRoom, 100);
  // The boss may only use the bottom row of this map.
  maze.WriteMonsterFile(100, "10 5\n4 4 4 4 4 4 4 4 4 4\n4 4 4 4 4 4 4 4 4 4\n4 4 4 4 4 4 4 4 4 4\n"
                             "4 36 0 0 0 0 0 0 0 4\n4 4 4 4 4 4 4 4 4 4\n");
  auto boss = Make(kBossId, maze, 2.0f), ordinary = Make(1, maze, 2.0f);
  player_.SetPosition(8.5f, 0.5f, 1.5f);
  Level& level = maze.level();
  const auto pelletsOnRow = [&level] {
    int n = 0;
    for (int x = 0; x < 10; ++x) n += level.objects.cells[x][3] == kLargePelletCode ? 1 : 0;
    return n;
  };
  Ghost::SetBonusPelletClock(29.99f);
  ordinary->Update(1.0);  // only the boss keeps the pellet clock
  EXPECT_FLOAT_EQ(Ghost::BonusPelletClock(), 29.99f);
  boss->Update(1.0);
  // The one pellet lies on the boss's row.
  EXPECT_EQ(std::tuple(Ghost::BonusPelletClock(), level.largePelletCount, pelletsOnRow()), std::tuple(0.0f, 1, 1));
  Ghost::SetBonusPelletClock(14.99f);
  boss->Update(0.0);
  EXPECT_EQ(level.largePelletCount, 1);  // not yet
  boss->Update(1.0);
  EXPECT_EQ(std::pair(level.largePelletCount, pelletsOnRow()), std::pair(0, 0));
}

}  // namespace
