// A ghost's data: construction, taking its place in a level, the boss's
// monster file, and the return to the start state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "actors/ghost.h"
#include "actors/ghost_monster_file.h"
#include "support/ghost_world.h"
#include "world/level.h"

namespace {

using test::GhostMaze;

const std::vector<std::string> kTwoHomes = {"#######", "#G    #", "# ### #", "#   G #", "#######"};
// The boss's own map lets it through the middle wall of this level.
const std::vector<std::string> kBossLevel = {"#####", "#G#P#", "#####"};

TEST(GhostConstruction, DrawsItsSpeedFactorFromTheNextRandomNumber) {
  std::srand(7);
  const int r1 = std::rand(), r2 = std::rand();
  std::srand(7);
  Ghost a(0), b(1);
  EXPECT_FLOAT_EQ(a.speedFactor, 1.0f + static_cast<float>(r1 % 100) / 200.0f);
  EXPECT_FLOAT_EQ(b.speedFactor, 1.0f + static_cast<float>(r2 % 100) / 200.0f);
  for (int seed = 0; seed < 200; ++seed) {
    std::srand(static_cast<unsigned>(seed));
    Ghost g(3);
    EXPECT_GE(g.speedFactor, 1.0f);
    EXPECT_LE(g.speedFactor, 1.495f + 1e-6f);
  }
}

TEST(GhostAccessors, ColourScalesByBrightnessFacingUsesTheMenuTableAndPositionSetsTheCell) {
  Ghost g(0);
  g.brightness = 0.5f;
  g.SetColour(0.8f, 0.4f, 0.2f);
  float c[3];
  g.GetColour(c);
  EXPECT_FLOAT_EQ(c[0], 0.4f);
  EXPECT_FLOAT_EQ(c[1], 0.2f);
  EXPECT_FLOAT_EQ(c[2], 0.1f);
  for (auto [index, heading] : {std::pair{0, 90.0f}, {1, 0.0f}, {2, 270.0f}, {3, 180.0f}, {-1, 180.0f}}) {
    g.SetFacing(index);
    EXPECT_FLOAT_EQ(g.heading, heading) << "index " << index;
  }
  g.SetPosition(3.75f, 0.9f, 2.25f);
  EXPECT_EQ(g.cellX, 3);
  EXPECT_EQ(g.cellY, 2);
}

TEST(GhostLoadLevel, OrdinaryGhostsCopyTheWallsShareTheLastHomeCellAndKeepItWhereThereIsNone) {
  GhostMaze maze(kTwoHomes);
  Ghost g(2);
  g.SetLives(3);
  g.LoadLevel(maze.level());
  EXPECT_FLOAT_EQ(g.homeX, 4.5f);
  EXPECT_FLOAT_EQ(g.homeZ, 3.5f);
  EXPECT_FLOAT_EQ(g.homeY, 0.9f);
  EXPECT_FLOAT_EQ(g.x, 4.5f);
  EXPECT_FLOAT_EQ(g.y, 0.9f);
  EXPECT_FLOAT_EQ(g.z, 3.5f);
  EXPECT_EQ(g.cellX, 4);
  EXPECT_EQ(g.cellY, 3);
  EXPECT_EQ(g.width, 7);
  EXPECT_EQ(g.height, 5);
  EXPECT_EQ(g.GetLives(), 3);  // only the boss gets lives from a level
  EXPECT_FLOAT_EQ(g.stunTime, 2.0f);
  EXPECT_FALSE(g.grid.doorOpen);
  EXPECT_FALSE(g.grid.IsPassable(2, 2));
  EXPECT_TRUE(g.grid.IsPassable(1, 2));
  EXPECT_EQ(g.grid.cells[1][1], 36);

  GhostMaze second({"#####", "#   #", "#####"}, 2);
  g.LoadLevel(second.level());
  EXPECT_FLOAT_EQ(g.x, 4.5f);
  EXPECT_FLOAT_EQ(g.z, 3.5f);
  EXPECT_EQ(g.width, 5);
  EXPECT_EQ(g.height, 3);
}

TEST(BossMonsterFile, ReadsItsOwnMapWithAutomaticBaseAndTheLevelsSize) {
  GhostMaze maze(kBossLevel, 100);
  // The header claims 9 x 9; the level's 5 x 3 is used all the same. 036 is
  // octal 30 (no home), 0x24 is 36 (home), 041 is 33 (a blocking code).
  maze.WriteMonsterFile(100, "9 9\n4 4 4 4 4\n4 036 0 0x24 041\n4 4 4 4 4\n");
  Ghost boss(kBossId);
  boss.LoadLevel(maze.level());
  EXPECT_EQ(boss.GetLives(), 5);
  EXPECT_EQ(boss.grid.cells[1][1], 30);
  EXPECT_EQ(boss.grid.cells[3][1], 36);
  EXPECT_EQ(boss.grid.cells[4][1], 33);
  EXPECT_TRUE(boss.grid.IsPassable(2, 1));   // a wall of the level, free on the boss's map
  EXPECT_FALSE(boss.grid.IsPassable(4, 1));  // 33 blocks
  EXPECT_FLOAT_EQ(boss.homeX, 3.5f);
  EXPECT_FLOAT_EQ(boss.homeZ, 1.5f);
  EXPECT_FLOAT_EQ(boss.homeY, 2.4f);
  EXPECT_FLOAT_EQ(boss.y, 2.4f);  // Reset takes the whole home position
  EXPECT_EQ(boss.cellX, 3);
}

TEST(BossMonsterFile, WithoutAHomeCellOrWithoutTheFileTheOldHomeAndMapStay) {
  GhostMaze maze(kBossLevel, 100);
  maze.WriteMonsterFile(100, "5 3\n4 4 4 4 4\n4 0 36 0 4\n4 4 4 4 4\n");
  Ghost boss(kBossId);
  boss.LoadLevel(maze.level());
  ASSERT_FLOAT_EQ(boss.homeX, 2.5f);

  maze.WriteMonsterFile(100, "5 3\n4 4 4 4 4\n4 0 0 0 4\n4 4 4 4 4\n");
  boss.SetLives(1);
  boss.SetPosition(1.5f, 0.9f, 1.5f);
  boss.LoadLevel(maze.level());
  EXPECT_FLOAT_EQ(boss.homeX, 2.5f);
  EXPECT_FLOAT_EQ(boss.x, 2.5f);
  EXPECT_EQ(boss.GetLives(), 5);
  EXPECT_EQ(boss.grid.cells[2][1], 0);

  std::filesystem::remove(maze.dir() / "pantallas" / "mostruo100.txt");
  boss.grid.SetCell(2, 1, 77);
  boss.SetLives(0);
  testing::internal::CaptureStderr();
  boss.LoadLevel(maze.level());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");  // a missing file is no damage
  EXPECT_EQ(boss.grid.cells[2][1], 77);
  EXPECT_EQ(boss.GetLives(), 5);
  EXPECT_FLOAT_EQ(boss.x, 2.5f);
}

TEST(BossMonsterFile, DamagedFilesAreNamedOnStderrKeepWhatWasReadAndFreeTheRest) {
  struct {
    const char* text;
    int cellsRead;
    const char* reason;
  } const cases[] = {
      {"5 3\n4 4 4 4 4\n4 4", 7, "ends after 7"},
      {"5 3\n4 4 4 x 4\n", 3, "cell (3, 0) is not an integer"},
      {"5 3\n4 4 4 4 4 4 08", 6, "cell (1, 1) is not an integer"},
      {"5 3\n4 99999999999 4", 1, "cell (1, 0)"},
      {"", 0, "does not start with a width and a height"},
      {"five 3 4 4 4", 0, "size is not an integer"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    GhostMaze maze(kBossLevel, 100);
    maze.WriteMonsterFile(100, c.text);
    Ghost boss(kBossId);
    for (int x = 0; x < 5; ++x)
      for (int y = 0; y < 3; ++y) boss.grid.SetCell(x, y, 9);  // left by an earlier level
    testing::internal::CaptureStderr();
    boss.LoadLevel(maze.level());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("mostruo100.txt"), std::string::npos) << err;
    EXPECT_NE(err.find(c.reason), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    for (int i = 0; i < 15; ++i) EXPECT_EQ(boss.grid.cells[i % 5][i / 5], i < c.cellsRead ? 4 : 0) << i;
    EXPECT_EQ(boss.GetLives(), 5);
  }
}

TEST(MonsterText, ReadsOnlyTheCellsOfTheGivenSizeAndFindsTheLastHome) {
  MazeGrid grid;
  grid.SetSize(3, 2);
  const MonsterFileResult r = ReadMonsterText("1 1  36 0 -5\n0X1f 36 7 8 9 10", 3, 2, grid);
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(r.cellsRead, 6);
  EXPECT_TRUE(r.homeFound);
  EXPECT_EQ(r.homeX, 1);
  EXPECT_EQ(r.homeY, 1);
  EXPECT_EQ(grid.cells[2][0], -5);
  EXPECT_EQ(grid.cells[0][1], 31);
  EXPECT_EQ(grid.cells[2][1], 7);
  MazeGrid empty;
  const MonsterFileResult none = ReadMonsterText("0 0", 0, 0, empty);
  EXPECT_EQ(none.error, "");
  EXPECT_FALSE(none.homeFound);
  EXPECT_EQ(MonsterFileName(100), "./pantallas/mostruo100.txt");
}

TEST(GhostReset, ReturnsHomeDropsTheWalkAndShutsTheDoor) {
  GhostMaze maze(kTwoHomes);
  Ghost g(1);
  g.LoadLevel(maze.level());
  g.WalkTo(1, 1);
  ASSERT_TRUE(g.HasPath());
  for (int i = 0; i < 5; ++i) g.FollowPath(3.0);
  ASSERT_NE(g.target, nullptr);
  g.SetDoorOpen(true);
  g.eaten = g.returningHome = true;
  g.chaseClock = 4.0f;
  g.stunTime = 0;
  g.Reset();
  EXPECT_FALSE(g.HasPath());
  EXPECT_EQ(g.target, nullptr);
  EXPECT_EQ(g.cellX, 4);
  EXPECT_EQ(g.cellY, 3);
  EXPECT_FLOAT_EQ(g.x, 4.5f);
  EXPECT_FLOAT_EQ(g.z, 3.5f);
  EXPECT_FALSE(g.grid.doorOpen);
  EXPECT_FALSE(g.IsEaten());
  EXPECT_FALSE(g.IsReturningHome());
  EXPECT_FLOAT_EQ(g.chaseClock, -10.0f);
  EXPECT_FLOAT_EQ(g.stunTime, 2.0f);

  // A target left without a path (a re-plan that found nothing) is dropped,
  // so the ghost cannot glide through walls toward it.
  g.target = new PathNode{};
  g.target->x = g.target->y = g.cellX = g.cellY = 1;
  g.Reset();
  EXPECT_EQ(g.target, nullptr);
  EXPECT_EQ(g.cellX, 4);
  EXPECT_EQ(g.cellY, 3);
}

TEST(GhostLoadLevel, ALevelThatNeverLoadedGivesAnEmptyGridAndNoCrash) {
  GhostMaze maze(kTwoHomes);  // also makes the world GL-free
  Level empty(2);
  empty.SetLevelNumber(42);  // no files: nothing parsed
  Ghost g(0);
  g.LoadLevel(empty);
  EXPECT_EQ(g.width, 0);
  EXPECT_EQ(g.height, 0);
  Ghost boss(kBossId);
  boss.LoadLevel(&empty);
  boss.LoadLevel(nullptr);
  EXPECT_EQ(boss.GetLives(), 5);
}

}  // namespace
