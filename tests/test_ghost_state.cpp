// A ghost's data: construction, taking its place in a level, the boss's
// monster file, and the return to the start state.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <cstdlib>

#include "actors/ghost.h"
#include "support/ghost_world.h"
#include "world/level.h"

namespace {

using test::GhostMaze;

const std::vector<std::string> kTwoHomes = {"#######", "#G    #", "# ### #", "#   G #", "#######"};
// The boss's own map lets it through the middle wall of this level.
const std::vector<std::string> kBossLevel = {"#####", "#G#P#", "#####"};

TEST(GhostData, SpeedFromTheNextRandomNumberColourByBrightnessFacingFromTheMenuTable) {
  std::srand(7);
  const int r1 = std::rand(), r2 = std::rand();
  std::srand(7);
  Ghost a(0), g(1);
  EXPECT_FLOAT_EQ(a.speedFactor, 1.0f + static_cast<float>(r1 % 100) / 200.0f);
  EXPECT_FLOAT_EQ(g.speedFactor, 1.0f + static_cast<float>(r2 % 100) / 200.0f);
  g.brightness = 0.5f;
  g.SetColour(0.8f, 0.4f, 0.2f);
  float c[3];
  g.GetColour(c);
  g.SetFacing(-1);  // outside the table
  EXPECT_EQ(std::tuple(c[0], c[1], c[2], g.heading), std::tuple(0.4f, 0.2f, 0.1f, 180.0f));
}

TEST(GhostLoadLevel, OrdinaryGhostsCopyTheWallsShareTheLastHomeCellAndKeepItWhereThereIsNone) {
  GhostMaze maze(kTwoHomes);
  Ghost g(2);
  g.SetLives(3);
  g.LoadLevel(maze.level());
  EXPECT_EQ(std::tuple(g.homeX, g.homeY, g.homeZ, g.x, g.z, g.cellX, g.cellY), std::tuple(4.5f, 0.9f, 3.5f, 4.5f, 3.5f, 4, 3));
  // Only the boss gets lives from a level.
  EXPECT_EQ(std::tuple(g.width, g.height, g.GetLives(), g.stunTime), std::tuple(7, 5, 3, 2.0f));
  EXPECT_FALSE(g.grid.IsPassable(2, 2));
  EXPECT_TRUE(g.grid.IsPassable(1, 2));
  EXPECT_EQ(g.grid.cells[1][1], 36);
  GhostMaze second({"#####", "#   #", "#####"}, 2);
  g.LoadLevel(second.level());
  EXPECT_EQ(std::tuple(g.x, g.z, g.width, g.height), std::tuple(4.5f, 3.5f, 5, 3));
}

TEST(BossMonsterFile, ReadsItsOwnMapWithAutomaticBaseAndTheLevelsSize) {
  GhostMaze maze(kBossLevel, 100);
  // The header claims 9 x 9; the level's 5 x 3 is used all the same. 036 is
  // octal 30 (no home), 0x24 is 36 (home), 041 is 33 (a blocking code).
  maze.WriteMonsterFile(100, "9 9\n4 4 4 4 4\n4 036 0 0x24 041\n4 4 4 4 4\n");
  Ghost boss(kBossId);
  boss.LoadLevel(maze.level());
  EXPECT_EQ(boss.GetLives(), 5);
  EXPECT_EQ(std::tuple(boss.grid.cells[1][1], boss.grid.cells[3][1], boss.grid.cells[4][1]), std::tuple(30, 36, 33));
  EXPECT_TRUE(boss.grid.IsPassable(2, 1));   // a wall of the level, free on the boss's map
  EXPECT_FALSE(boss.grid.IsPassable(4, 1));  // 33 blocks
  EXPECT_EQ(std::tuple(boss.homeX, boss.homeZ, boss.y), std::tuple(3.5f, 1.5f, 2.4f));
}

TEST(BossMonsterFile, WithoutAHomeCellOrWithoutTheFileTheOldHomeAndMapStay) {
  GhostMaze maze(kBossLevel, 100);
  maze.WriteMonsterFile(100, "5 3\n4 4 4 4 4\n4 0 36 0 4\n4 4 4 4 4\n");
  Ghost boss(kBossId);
  boss.LoadLevel(maze.level());
  maze.WriteMonsterFile(100, "5 3\n4 4 4 4 4\n4 0 0 0 4\n4 4 4 4 4\n");
  boss.SetPosition(1.5f, 0.9f, 1.5f);
  boss.LoadLevel(maze.level());
  EXPECT_EQ(std::tuple(boss.homeX, boss.x, boss.grid.cells[2][1]), std::tuple(2.5f, 2.5f, 0));
  std::filesystem::remove(maze.dir() / "pantallas" / "mostruo100.txt");
  boss.grid.SetCell(2, 1, 77);
  boss.SetLives(0);
  testing::internal::CaptureStderr();
  boss.LoadLevel(maze.level());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");  // a missing file is no damage
  EXPECT_EQ(std::tuple(boss.x, boss.GetLives(), boss.grid.cells[2][1]), std::tuple(2.5f, 5, 77));
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
    GhostMaze maze(kBossLevel, 100);
    maze.WriteMonsterFile(100, text);
    Ghost boss(kBossId);
    for (int i = 0; i < 15; ++i) boss.grid.SetCell(i % 5, i / 5, 9);  // left by an earlier level
    testing::internal::CaptureStderr();
    boss.LoadLevel(maze.level());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("mostruo100.txt"), std::string::npos) << err;
    EXPECT_NE(err.find(reason), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    for (int i = 0; i < 15; ++i) EXPECT_EQ(boss.grid.cells[i % 5][i / 5], i < cellsRead ? 4 : 0) << i;
    EXPECT_EQ(boss.GetLives(), 5);
  }
}

TEST(GhostReset, ReturnsHomeAndDropsTheWalk) {
  GhostMaze maze(kTwoHomes);
  Ghost g(1);
  g.LoadLevel(maze.level());
  g.WalkTo(1, 1);
  for (int i = 0; i < 5; ++i) g.FollowPath(3.0);
  ASSERT_NE(g.target, nullptr);
  g.Reset();  // the rest of what it resets is seen when an eaten ghost gets home
  EXPECT_FALSE(g.HasPath() || g.target != nullptr);
  EXPECT_EQ(std::tuple(g.cellX, g.cellY, g.x, g.z), std::tuple(4, 3, 4.5f, 3.5f));
  // A target left without a path (a re-plan that found nothing) is dropped,
  // so the ghost cannot glide through walls toward it.
  g.target = new PathNode{};
  g.target->x = g.target->y = g.cellX = g.cellY = 1;
  g.Reset();
  EXPECT_EQ(g.target, nullptr);
  EXPECT_EQ(std::pair(g.cellX, g.cellY), std::pair(4, 3));
}

}  // namespace
