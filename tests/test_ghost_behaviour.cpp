// What a ghost does each frame: catching the player, being eaten and walking
// home, planning on a level with no room or none at all, the boss's bonus
// pellet, and the boss's damaged monster files.
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

using test::LoadedMaze;

const test::Rows kLongCorridor = {"###########################", "#G                        #", "###########################"};
// The boss's own map lets it through the middle wall of this level.
const test::Rows kBossLevel = {"#####", "#G#P#", "#####"};

// The player calls OpenGL for its power light, so these tests hold a context.
class GhostBehaviour : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl_.ok());
    GameState = StatePlaying;
    extraLifePoints = 0;
  }
  // A ghost in the maze chasing the player, awake unless told otherwise.
  std::unique_ptr<Ghost> Make(int id, LoadedMaze& maze, float stun = 0) {
    auto g = std::make_unique<Ghost>(id);
    g->LoadLevel(maze.level());
    g->SetPlayer(player_);
    g->stunTime = stun;
    return g;
  }
  // The end of the ghost's path, or (-1, -1) without one.
  static std::pair<int, int> Goal(const Ghost& g) {
    const PathNode* node = g.path == nullptr ? nullptr : g.path->At(g.path->Count() - 1);
    return node == nullptr ? std::pair{-1, -1} : std::pair{node->x, node->y};
  }
  test::GLContext gl_;
  test::SoundRecorder sounds_;
  Player player_{true};
};

TEST_F(GhostBehaviour, WithinOneCellItCatchesTheUnpoweredPlayerOnceOrIsEatenByThePoweredOneTheBossWithinTwoAndWalksHome) {
  LoadedMaze maze(kLongCorridor, 100);
  maze.WriteMonsterFile(test::MazeWallText(kLongCorridor));
  auto a = Make(0, maze), b = Make(1, maze), stunned = Make(2, maze, 1.0f), ordinary = Make(3, maze), boss = Make(kBossId, maze), walker = Make(4, maze);
  player_.SetPosition(2.49f, 0.5f, 1.5f);  // d = 0.99
  stunned->Update(0.0);
  ASSERT_EQ(GameState, StatePlaying);
  for (Ghost* g : {a.get(), b.get()}) g->Update(0.0);
  EXPECT_EQ(std::pair(GameState, sounds_.Count(kGhostCatchSound)), std::pair(StateCaught, 1));
  // At exactly one cell's distance the player is not caught.
  GameState = StatePlaying;
  player_.SetPosition(2.5f, 0.5f, 1.5f);
  b->Update(0.0);
  EXPECT_EQ(std::pair(GameState, sounds_.started.size()), std::pair(StatePlaying, std::size_t{1}));

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
  ASSERT_TRUE(ordinary->IsEaten());
  ordinary->Update(0.0);
  EXPECT_EQ(std::tuple(ordinary->GetLives(), player_.lightQuadratic, sounds_.Count(kGhostEatenSound)), std::tuple(-1, 0.05f, 2));
  // Eaten far from home, a ghost walks back and is reset in the update after it arrives.
  Ghost& g = *walker;
  g.SetPosition(9.5f, 0.9f, 1.5f);
  player_.SetPosition(9.9f, 0.5f, 1.5f);
  g.Update(1.0);
  ASSERT_TRUE(g.IsEaten() && g.HasPath());
  player_.SetPosition(25.5f, 0.5f, 1.5f);
  int updates = 0;
  for (; !(g.x == g.homeX && g.z == g.homeZ) && updates < 2000; ++updates) g.Update(2.0);
  // 8 cells at 0.07 * speedFactor cells per update, stopping on each centre.
  EXPECT_NEAR(updates, 8.0 / (0.07 * g.speedFactor), 12);
  ASSERT_TRUE(g.IsEaten());  // arrived, not yet reset
  g.Update(2.0);
  EXPECT_FALSE(g.IsEaten() || g.IsReturningHome() || g.grid.doorOpen);
  EXPECT_EQ(std::pair(g.stunTime, g.chaseClock), std::pair(2.0f, -10.0f));
}

TEST_F(GhostBehaviour, WithNoFreeCellOrOnALevelThatFailedToLoadPlansAndPelletsGiveUpWithoutDividingByZero) {
  LoadedMaze maze({"#####", "#####", "#####"}, 100);
  maze.WriteMonsterFile("5 3 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4");
  auto g = Make(0, maze, 2.0f), boss = Make(kBossId, maze, 2.0f);
  player_.SetPosition(50.5f, 0.5f, 50.5f);
  for (int i = 0; i < 40; ++i) (i % 2 ? g : boss)->Update(10.0);
  g->GoHome();
  // The bonus pellet finds no cell either.
  Ghost::SetBonusPelletClock(30.5f);
  boss->Update(1.0);
  EXPECT_FALSE(g->HasPath() || boss->HasPath() || !g->IsReturningHome());
  EXPECT_EQ(std::pair(Ghost::BonusPelletClock(), maze.level().largePelletCount), std::pair(0.0f, 0));
  // A level without files has width and height 0; no level at all is ignored.
  Level empty(2);
  empty.SetLevelNumber(101);
  boss->LoadLevel(nullptr);
  Ghost::SetBonusPelletClock(30.5f);
  for (Ghost* gh : {g.get(), boss.get()}) {
    gh->LoadLevel(empty);
    gh->stunTime = 0;
    gh->chaseClock = 50.0f;
    gh->Update(1.0);
  }
  g->GoHome();
  EXPECT_EQ(std::tuple(g->width + g->height, boss->GetLives(), g->HasPath(), boss->HasPath()), std::tuple(0, 5, false, false));
}

TEST(BossMonsterFile, DamagedFilesAreNamedOnStderrKeepWhatWasReadAndFreeTheRest) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"5 3\n4 4 4 4 4\n4 4", 7, "ends after 7"},
      {"5 3\n4 4 4 x 4\n", 3, "cell (3, 0) is not an integer"},
      {"5 3\n4 4 4 4 4 4 08", 6, "cell (1, 1) is not an integer"},
      {"5 3\n4 99999999999 4", 1, "cell (1, 0)"},
      {"", 0, "does not start with a width and a height"},
      {"five 3 4 4 4", 0, "size is not an integer"},
  };
  for (const auto& [text, cellsRead, reason] : cases) {
    SCOPED_TRACE(text);
    LoadedMaze maze(kBossLevel, 100);
    maze.WriteMonsterFile(text);
    Ghost boss(kBossId);
    for (int i = 0; i < 15; ++i) boss.grid.SetCell(i % 5, i / 5, 9);  // left by an earlier level
    testing::internal::CaptureStderr();
    boss.LoadLevel(maze.level());
    const std::string err = testing::internal::GetCapturedStderr();
    // One line naming the file and the fault.
    EXPECT_TRUE(err.find("mostruo100.txt") != err.npos && err.find(reason) != err.npos && std::count(err.begin(), err.end(), '\n') == 1) << err;
    for (int i = 0; i < 15; ++i) EXPECT_EQ(boss.grid.cells[i % 5][i / 5], i < cellsRead ? 4 : 0) << i;
    EXPECT_EQ(boss.GetLives(), 5);
  }
}

}  // namespace
