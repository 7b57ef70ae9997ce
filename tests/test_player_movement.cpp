// The player's steering through small mazes: start cells, collision codes,
// corridors, walls, corner slides, floor arrows, speed and the streak.
#include <gtest/gtest.h>

#include <cmath>

#include "actors/player.h"
#include "support/player_maze.h"
#include "world/level.h"

namespace {

using test::LoadedMaze;
using test::MazeSpec;

TEST(PlayerStart, TakesItsOwnStartCellAndTheLastOneWins) {
  LoadedMaze maze({{
      "#######",
      "#P Q  #",
      "#   P #",
      "#######",
  }});
  Player main(true);
  Player partner(false);
  main.LoadLevel(&maze.level());
  partner.LoadLevel(&maze.level());
  EXPECT_FLOAT_EQ(main.x, 4.5f);
  EXPECT_FLOAT_EQ(main.z, 2.5f);
  EXPECT_FLOAT_EQ(partner.x, 3.5f);
  EXPECT_FLOAT_EQ(partner.z, 1.5f);
  EXPECT_FLOAT_EQ(main.y, 0.5f);
  EXPECT_EQ(main.width, 7);
  EXPECT_EQ(main.height, 4);
}

TEST(PlayerStart, NoStartCellLeavesTheOriginAndKeepsTheRest) {
  LoadedMaze maze({{
      "#####",
      "#   #",
      "#####",
  }});
  Player player(true);
  player.SetPosition(3.0f, 0.7f, 2.0f);
  player.SetDirection(2);
  player.speed = 0.1f;
  player.SetLives(3);
  player.LoadLevel(&maze.level());
  EXPECT_EQ(player.x, 0.0f);
  EXPECT_EQ(player.y, 0.5f);
  EXPECT_EQ(player.z, 0.0f);
  EXPECT_EQ(player.GetDirection(), 2);
  EXPECT_FLOAT_EQ(player.speed, 0.1f);
  EXPECT_EQ(player.GetLives(), 3);
}

TEST(PlayerCollision, MapsEveryWallCodeAndTreatsOutsideCellsAsBlocked) {
  LoadedMaze maze({{
      "#XHG^>v<PQ",
      "D=        ",
  }, {"N 1000 0"}});
  Player player(true);
  player.LoadLevel(&maze.level());
  const int expected[] = {1, 1, 1, 0, 10, 11, 12, 13, 0, 0};
  for (int cx = 0; cx < 10; ++cx) EXPECT_EQ(player.collision[cx][0], expected[cx]) << "column " << cx;
  EXPECT_EQ(player.collision[0][1], 3000);
  EXPECT_EQ(player.collision[1][1], 3000);

  EXPECT_FALSE(player.IsFree(0, 0));
  EXPECT_FALSE(player.IsFree(1, 0));
  EXPECT_FALSE(player.IsFree(2, 0));
  EXPECT_TRUE(player.IsFree(3, 0));
  EXPECT_TRUE(player.IsFree(5, 0));
  EXPECT_TRUE(player.IsFree(9, 1));
  // A closed door blocks; it lets the player through only past 90 degrees.
  EXPECT_FALSE(player.IsFree(0, 1));
  maze.level().GetDoor(0)->angle = 90.0f;
  EXPECT_FALSE(player.IsFree(1, 1));
  maze.level().GetDoor(0)->angle = 90.5f;
  EXPECT_TRUE(player.IsFree(0, 1));
  EXPECT_TRUE(player.IsFree(1, 1));
  // Around the level there is nothing to stand on.
  EXPECT_FALSE(player.IsFree(-1, 1));
  EXPECT_FALSE(player.IsFree(3, -1));
  EXPECT_FALSE(player.IsFree(10, 1));
  EXPECT_FALSE(player.IsFree(3, 2));
  EXPECT_FALSE(player.IsFree(100, 100));
  // Door codes naming no door of this level, and codes between the ranges, block.
  player.collision[3][0] = 3005;
  EXPECT_FALSE(player.IsFree(3, 0));
  player.collision[3][0] = 1500;
  EXPECT_FALSE(player.IsFree(3, 0));
}

TEST(PlayerCollision, CornersAroundThePosition) {
  LoadedMaze maze({{
      "###",
      "# #",
      "###",
  }});
  Player player(true);
  player.LoadLevel(&maze.level());
  bool blocked[4];
  player.SetPosition(1.5f, 0.5f, 1.5f);
  EXPECT_EQ(player.CountBlockedCorners(blocked), 0);
  player.SetPosition(1.7f, 0.5f, 1.3f);  // corner 0 (+x, -z) reaches (2, 0)
  EXPECT_EQ(player.CountBlockedCorners(blocked), 3);
  EXPECT_TRUE(blocked[0]);
  EXPECT_TRUE(blocked[1]);
  EXPECT_FALSE(blocked[2]);
  EXPECT_TRUE(blocked[3]);
}

MazeSpec Corridor() {
  return {{
      "##########",
      "#        #",
      "#        #",
      "##########",
  }};
}

TEST(PlayerMove, RunsAStraightCorridorSlightlyOffItsCentreLine) {
  MazeSpec spec = {{
      "##########",
      "#        #",
      "##########",
  }};
  LoadedMaze maze(spec);
  Player player(true);
  player.LoadLevel(&maze.level());
  player.SetPosition(1.5f, 0.5f, 1.45f);
  player.SetDirection(kPlayerEast);
  for (int i = 0; i < 50; ++i) player.Update(1.0);
  EXPECT_NEAR(player.x, 1.5f + 50 * 0.04f, 1e-4);
  EXPECT_FLOAT_EQ(player.z, 1.45f);
  EXPECT_FLOAT_EQ(player.heading, 180.0f);
}

TEST(PlayerMove, StopsAtAWallWithoutSliding) {
  LoadedMaze maze({{
      "#####",
      "## ##",
      "#####",
  }});
  Player player(true);
  player.LoadLevel(&maze.level());
  const float headings[] = {-90, 180, 90, 0};
  for (int d = 0; d < 4; ++d) {
    player.SetPosition(2.5f, 0.5f, 1.5f);
    player.SetDirection(d);
    for (int i = 0; i < 40; ++i) player.Update(1.0);
    EXPECT_EQ(player.heading, headings[d]);
    // The square of half-side 0.4 fits a cell with 0.1 to spare on each side:
    // the player gets at most that near the wall ahead and never moves sideways.
    if (d == kPlayerNorth || d == kPlayerSouth) {
      EXPECT_FLOAT_EQ(player.x, 2.5f) << "direction " << d;
      EXPECT_NEAR(player.z, 1.5f, 0.1001f) << "direction " << d;
    } else {
      EXPECT_FLOAT_EQ(player.z, 1.5f) << "direction " << d;
      EXPECT_NEAR(player.x, 2.5f, 0.1001f) << "direction " << d;
    }
  }
}

MazeSpec Cross() {
  return {{
      "#######",
      "### ###",
      "### ###",
      "#     #",
      "### ###",
      "### ###",
      "#######",
  }};
}

struct SlideCase {
  const char* name;
  float x, z;      // start, off the arm's centre line by nearly half a cell
  int direction;   // toward the arm
  bool alongX;     // the arm runs along x (the slide is along z)
};

class PlayerCornerSlide : public ::testing::TestWithParam<SlideCase> {};

TEST_P(PlayerCornerSlide, SlidesIntoTheSideArm) {
  const SlideCase& c = GetParam();
  LoadedMaze maze(Cross());
  Player player(true);
  player.LoadLevel(&maze.level());
  player.SetPosition(c.x, 0.5f, c.z);
  player.SetDirection(c.direction);
  for (int i = 0; i < 60; ++i) {
    player.Update(1.0);
    bool blocked[4];
    ASSERT_EQ(player.CountBlockedCorners(blocked), 0) << "update " << i;
  }
  // Centred on the arm's line (the slide stops once the corners clear) and well into it.
  if (c.alongX) {
    EXPECT_NEAR(player.z, 3.5f, 0.101f);
    EXPECT_GT(std::fabs(player.x - 3.5f), 0.9f);
  } else {
    EXPECT_NEAR(player.x, 3.5f, 0.101f);
    EXPECT_GT(std::fabs(player.z - 3.5f), 0.9f);
  }
}

INSTANTIATE_TEST_SUITE_P(
    FromEitherSide, PlayerCornerSlide,
    ::testing::Values(SlideCase{"NorthFromTheWest", 2.95f, 3.5f, kPlayerNorth, false},
                      SlideCase{"NorthFromTheEast", 4.05f, 3.5f, kPlayerNorth, false},
                      SlideCase{"SouthFromTheWest", 2.95f, 3.5f, kPlayerSouth, false},
                      SlideCase{"SouthFromTheEast", 4.05f, 3.5f, kPlayerSouth, false},
                      SlideCase{"EastFromTheNorth", 3.5f, 2.95f, kPlayerEast, true},
                      SlideCase{"EastFromTheSouth", 3.5f, 4.05f, kPlayerEast, true},
                      SlideCase{"WestFromTheNorth", 3.5f, 2.95f, kPlayerWest, true},
                      SlideCase{"WestFromTheSouth", 3.5f, 4.05f, kPlayerWest, true},
                      // Already in the arm's column or row, but well off its centre line.
                      SlideCase{"NorthLeftOfCentre", 3.2f, 3.5f, kPlayerNorth, false},
                      SlideCase{"NorthRightOfCentre", 3.8f, 3.5f, kPlayerNorth, false},
                      SlideCase{"SouthRightOfCentre", 3.8f, 3.5f, kPlayerSouth, false},
                      SlideCase{"EastAboveCentre", 3.5f, 3.2f, kPlayerEast, true},
                      SlideCase{"WestBelowCentre", 3.5f, 3.8f, kPlayerWest, true}),
    [](const ::testing::TestParamInfo<SlideCase>& info) { return std::string(info.param.name); });

TEST(PlayerMove, NoSlideWhenBothSideCellsAreWalls) {
  // A dead end facing north: the cells beside the one ahead are walls too.
  LoadedMaze maze({{
      "#####",
      "#####",
      "#   #",
      "#####",
  }});
  Player player(true);
  player.LoadLevel(&maze.level());
  player.SetPosition(2.3f, 0.5f, 2.45f);
  player.SetDirection(kPlayerNorth);
  for (int i = 0; i < 30; ++i) player.Update(1.0);
  EXPECT_FLOAT_EQ(player.x, 2.3f);
  EXPECT_NEAR(player.z, 2.41f, 0.0001f);
}

TEST(PlayerMove, ColumnZeroAndTheLastRowAreNoWayOut) {
  // Open floor on the level's edges: a slide must not look past them.
  LoadedMaze maze({{
      " #  ",
      "    ",
  }});
  Player player(true);
  player.LoadLevel(&maze.level());
  player.SetPosition(0.45f, 0.5f, 1.5f);
  player.SetDirection(kPlayerWest);
  for (int i = 0; i < 20; ++i) player.Update(1.0);
  EXPECT_GE(player.x, 0.4f);
  player.SetDirection(kPlayerSouth);
  for (int i = 0; i < 20; ++i) player.Update(1.0);
  EXPECT_LE(player.z, 1.6f);
  player.SetPosition(3.5f, 0.5f, 1.5f);
  player.SetDirection(kPlayerEast);
  for (int i = 0; i < 20; ++i) player.Update(1.0);
  EXPECT_LE(player.x, 3.6f);
}

TEST(PlayerArrow, ForcesItsDirectionAndSpeedInEveryUpdate) {
  // An arrow pushing east straight into a wall: the player stays on it.
  LoadedMaze maze({{
      "####",
      "# >#",
      "####",
  }});
  Player player(true);
  player.LoadLevel(&maze.level());
  player.SetPosition(2.5f, 0.5f, 1.5f);
  for (int i = 0; i < 5; ++i) {
    player.SetDirection(kPlayerWest);
    player.speed = 0.04f;
    player.Update(1.0);
    EXPECT_EQ(player.GetDirection(), kPlayerEast);
    // The decay of this same update has already taken its share.
    EXPECT_NEAR(player.speed, 0.12f - 0.0001f, 1e-6);
  }
}

TEST(PlayerArrow, RunOverAnArrowThenSlowDownWithAStreak) {
  LoadedMaze maze({{
      "###################################",
      "#v                                #",
      "#                                 #",
  }});
  Player player(true);
  player.LoadLevel(&maze.level());
  player.SetPosition(1.5f, 0.5f, 1.5f);
  player.SetDirection(kPlayerEast);
  player.Update(1.0);
  EXPECT_EQ(player.GetDirection(), kPlayerSouth);
  player.SetDirection(kPlayerEast);
  player.SetPosition(1.5f, 0.5f, 2.5f);
  EXPECT_TRUE(player.trailOn);
  int ticks = 1;
  bool streakSeen = false;
  while (player.speed > 0.0401f && ticks < 2000) {
    player.Update(1.0);
    ++ticks;
    if (player.speed > 0.0801f) {
      EXPECT_TRUE(player.trailOn);
    }
    if (player.speed <= 0.0799f) {
      EXPECT_FALSE(player.trailOn);
      EXPECT_EQ(player.trailLength, 0);
    }
    if (player.speed > 0.0805f && player.speed <= 0.09f) {
      EXPECT_EQ(player.trailMax, static_cast<int>(player.speed * 1000) - 79);
      EXPECT_EQ(player.trailLength, player.trailMax);
      streakSeen = true;
    }
  }
  EXPECT_TRUE(streakSeen);
  EXPECT_NEAR(ticks, 800, 5);
  // Not clamped: it settles at or a little under the base speed.
  for (int i = 0; i < 10; ++i) player.Update(1.0);
  EXPECT_LE(player.speed, 0.0401f);
  EXPECT_GT(player.speed, 0.0398f);
}

TEST(PlayerSpeed, BoostStopResetAndReset) {
  Player player(true);
  EXPECT_FLOAT_EQ(player.speed, 0.04f);
  player.Boost();
  EXPECT_FLOAT_EQ(player.speed, 0.08f);
  player.speed = 0.12f;
  player.Boost();
  EXPECT_FLOAT_EQ(player.speed, 0.12f);
  player.Stop();
  EXPECT_EQ(player.speed, 0.0f);
  player.ResetSpeed();
  EXPECT_FLOAT_EQ(player.speed, 0.04f);
  player.trailOn = true;
  player.speed = 0.1f;
  player.Reset();
  EXPECT_FALSE(player.trailOn);
  EXPECT_FALSE(player.IsPowered());
  EXPECT_FLOAT_EQ(player.speed, 0.04f);
}

TEST(PlayerSpeed, BoostDecaysWithoutAStreak) {
  LoadedMaze maze(Corridor());
  Player player(true);
  player.LoadLevel(&maze.level());
  player.SetPosition(1.5f, 0.5f, 1.5f);
  player.SetDirection(4);
  player.Boost();
  for (int i = 0; i < 399; ++i) {
    player.Update(1.0);
    ASSERT_FALSE(player.trailOn);
  }
  EXPECT_GT(player.speed, 0.04f);
  player.Update(1.0);
  player.Update(1.0);
  EXPECT_LE(player.speed, 0.04f);
}

TEST(PlayerTrail, RecordsPastPosesEverySixUpdatesNewestFirst) {
  LoadedMaze maze({{
      "#################################################",
      "#                                               #",
      "#################################################",
  }});
  Player player(true);
  player.LoadLevel(&maze.level());
  player.SetPosition(1.5f, 0.5f, 1.5f);
  player.SetDirection(kPlayerEast);
  player.speed = 0.12f;
  player.Update(1.0);  // switches the streak on
  ASSERT_TRUE(player.trailOn);
  float recordedX[3] = {};
  for (int r = 0; r < 3; ++r) {
    for (int i = 0; i < 5; ++i) player.Update(1.0);
    recordedX[r] = player.x;  // the pose the sixth update records
    player.Update(1.0);
    EXPECT_EQ(player.trailLength, r + 1);
    EXPECT_EQ(player.trailCounter, 0);
  }
  EXPECT_FLOAT_EQ(player.trail[0].x, recordedX[2]);
  EXPECT_FLOAT_EQ(player.trail[1].x, recordedX[1]);
  EXPECT_FLOAT_EQ(player.trail[2].x, recordedX[0]);
  EXPECT_FLOAT_EQ(player.trail[0].heading, 180.0f);
  EXPECT_FLOAT_EQ(player.trail[0].y, 0.5f);
}

TEST(PlayerTrail, ZeroStepCountsUpdatesAndMovesNothing) {
  LoadedMaze maze(Corridor());
  Player player(true);
  player.LoadLevel(&maze.level());
  player.SetPosition(2.5f, 0.5f, 1.5f);
  player.SetDirection(kPlayerEast);
  player.trailOn = true;
  player.speed = 0.12f;
  for (int i = 0; i < 4; ++i) player.Update(0.0);
  EXPECT_EQ(player.trailCounter, 4);
  EXPECT_FLOAT_EQ(player.x, 2.5f);
  EXPECT_FLOAT_EQ(player.speed, 0.12f);
  EXPECT_FLOAT_EQ(player.mouth, 0.1f);  // the closed mouth's bounce still happens
}

TEST(PlayerTrail, ALongFrameNeverLeavesANegativeStreak) {
  LoadedMaze maze(Corridor());
  Player player(true);
  player.LoadLevel(&maze.level());
  player.SetPosition(2.5f, 0.5f, 1.5f);
  player.SetDirection(4);
  player.speed = 0.0801f;
  player.Update(10.0);
  EXPECT_GE(player.trailMax, 0);
  EXPECT_GE(player.trailLength, 0);
  EXPECT_LT(player.speed, 0.08f);
}

TEST(PlayerMouth, OpensAndClosesBetweenZeroAndTwenty) {
  Player player(true);
  player.mouth = 19.8f;
  player.mouthDir = 1;
  player.SetDirection(4);
  player.Update(1.0);
  EXPECT_NEAR(player.mouth, 20.2f, 1e-4);
  EXPECT_EQ(player.mouthDir, -1);
  player.Update(1.0);
  EXPECT_NEAR(player.mouth, 19.7f, 1e-4);
  float low = 100, high = -100;
  for (int i = 0; i < 200; ++i) {
    player.Update(1.0);
    low = std::min(low, player.mouth);
    high = std::max(high, player.mouth);
  }
  EXPECT_NEAR(low, 0.0f, 0.5f);
  EXPECT_NEAR(high, 20.0f, 0.5f);
}

TEST(PlayerPose, PositionAndMenuFacing) {
  Player partner(false);
  EXPECT_FALSE(partner.IsMain());
  partner.SetPosition(1.0f, 2.0f, 3.0f);
  float p[3];
  partner.GetPosition(p);
  EXPECT_EQ(p[0], 1.0f);
  EXPECT_EQ(p[1], 2.0f);
  EXPECT_EQ(p[2], 3.0f);
  const float headings[] = {90, 0, 270, 180, 180};
  for (int i = 0; i < 5; ++i) {
    partner.SetFacing(i);
    EXPECT_EQ(partner.heading, headings[i]) << "index " << i;
  }
  partner.SetFacing(-1);
  EXPECT_EQ(partner.heading, 180.0f);
}

}  // namespace
