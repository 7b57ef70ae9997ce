// The scripted walk: WalkTo plans a path through the maze, FollowPath walks it.
#include <gtest/gtest.h>

#include <cmath>

#include "actors/maze_grid.h"
#include "actors/player.h"
#include "support/player_maze.h"
#include "world/level.h"

namespace {

using test::LoadedMaze;
using test::MazeSpec;

// A bent corridor from the start (1, 1) down to (5, 3), plus a closed room.
MazeSpec Bend() {
  return {{
      "#######",
      "#P    #",
      "##### #",
      "#   # #",
      "# # # #",
      "#   # #",
      "#######",
  }};
}

// Walks until FollowPath reports the end; returns the calls made, or -1 past the limit.
int WalkToTheEnd(Player& player, double dt, int limit, const Player* check = nullptr) {
  for (int i = 1; i <= limit; ++i) {
    if (player.FollowPath(dt)) return i;
    if (check) {
      EXPECT_TRUE(check->IsFree(static_cast<int>(player.x), static_cast<int>(player.z)))
          << "at " << player.x << ", " << player.z;
    }
  }
  return -1;
}

TEST(PlayerWalk, FollowsThePathCellByCellToTheCentreOfTheGoal) {
  LoadedMaze maze(Bend());
  Player player(true);
  player.LoadLevel(&maze.level());
  player.WalkTo(5, 5);
  ASSERT_NE(player.path, nullptr);
  EXPECT_EQ(player.path->Count(), 9);  // (1,1) .. (5,1), then down to (5,5)
  const int calls = WalkToTheEnd(player, 1.0, 10000, &player);
  ASSERT_GT(calls, 0);
  // 8 cells at 0.04 / 1.5 cells per tick, plus the calls that take each node.
  EXPECT_NEAR(calls, 8 / (0.04 / 1.5), 20);
  EXPECT_EQ(player.x, 5.5f);
  EXPECT_EQ(player.z, 5.5f);
  EXPECT_EQ(player.GetDirection(), kPlayerSouth);
  EXPECT_EQ(player.heading, 90.0f);
  EXPECT_EQ(player.path, nullptr);
  EXPECT_FALSE(player.target.has_value());
  // Over: further calls stay over and do not move.
  EXPECT_TRUE(player.FollowPath(1.0));
  EXPECT_EQ(player.x, 5.5f);
}

TEST(PlayerWalk, ReachesEachCellAlongXFirstThenZ) {
  Player player(true);
  player.SetPosition(3.5f, 0.5f, 2.5f);
  player.target = WalkCell{1, 1};
  bool movedAlongZ = false;
  int calls = 0;
  while (!player.FollowPath(1.0) && ++calls < 1000) {
    if (player.z != 2.5f) movedAlongZ = true;
    if (movedAlongZ) {
      // Only once the column is reached does it turn north.
      EXPECT_EQ(player.x, 1.5f);
      EXPECT_EQ(player.GetDirection(), kPlayerNorth);
      EXPECT_EQ(player.heading, -90.0f);
    } else {
      EXPECT_EQ(player.GetDirection(), kPlayerWest);
      EXPECT_EQ(player.heading, 0.0f);
    }
  }
  EXPECT_TRUE(movedAlongZ);
  EXPECT_EQ(player.x, 1.5f);
  EXPECT_EQ(player.z, 1.5f);
  EXPECT_NEAR(calls, 3 / (0.04 / 1.5), 3);
}

TEST(PlayerWalk, WalkSpeedIsTheSpeedOverOneAndAHalf) {
  LoadedMaze maze({{"#P   #"}});
  Player player(true);
  player.LoadLevel(&maze.level());
  player.speed = 0.06f;
  player.WalkTo(4, 0);
  player.FollowPath(1.0);  // takes the start cell, where it already stands, and drops it
  player.FollowPath(1.0);  // takes the next cell and walks one step
  EXPECT_NEAR(player.x, 1.5f + 0.04f, 1e-6);
  EXPECT_EQ(player.GetDirection(), kPlayerEast);
  EXPECT_EQ(player.heading, 180.0f);
  player.FollowPath(2.0);
  EXPECT_NEAR(player.x, 1.5f + 0.12f, 1e-6);
  EXPECT_FLOAT_EQ(player.mouth, 2.0f);  // the mouth works while walking
  // Ends here, mid-walk: the path goes with the player.
}

TEST(PlayerWalk, ImpassableOutsideAndUnreachableGoalsLeaveNoWalk) {
  LoadedMaze maze(Bend());
  Player player(true);
  player.LoadLevel(&maze.level());
  player.WalkTo(0, 0);  // a wall
  EXPECT_EQ(player.path, nullptr);
  player.WalkTo(-1, 3);
  player.WalkTo(7, 1);
  player.WalkTo(3, 200);
  EXPECT_EQ(player.path, nullptr);
  player.WalkTo(1, 3);  // the closed room
  EXPECT_EQ(player.path, nullptr);
  EXPECT_TRUE(player.FollowPath(1.0));
  EXPECT_EQ(player.x, 1.5f);
  EXPECT_EQ(player.z, 1.5f);
}

TEST(PlayerWalk, AnImpassableGoalKeepsTheWalkUnderWayButANewGoalReplacesIt) {
  LoadedMaze maze(Bend());
  Player player(true);
  player.LoadLevel(&maze.level());
  player.WalkTo(5, 1);
  ASSERT_NE(player.path, nullptr);
  for (int i = 0; i < 10; ++i) player.FollowPath(1.0);
  ASSERT_TRUE(player.target.has_value());
  player.WalkTo(0, 0);
  EXPECT_NE(player.path, nullptr);
  EXPECT_TRUE(player.target.has_value());
  player.WalkTo(1, 1);  // back to the start cell: the walk so far is dropped
  EXPECT_FALSE(player.target.has_value());
  ASSERT_NE(player.path, nullptr);
  EXPECT_EQ(player.path->Count(), 1);
  EXPECT_GT(WalkToTheEnd(player, 1.0, 1000), 0);
  EXPECT_EQ(player.x, 1.5f);
  EXPECT_EQ(player.z, 1.5f);
}

TEST(PlayerWalk, ThePartnerWalksThroughCellsClosedToPlayersWhenThePathSaysSo) {
  // Code 38 blocks the players' own steps but not the grid: scripted walks trust the path.
  LoadedMaze maze({{"#QX  #"}});
  Player partner(false);
  partner.LoadLevel(&maze.level());
  ASSERT_EQ(partner.x, 1.5f);
  EXPECT_FALSE(partner.IsFree(2, 0));
  partner.WalkTo(4, 0);
  ASSERT_NE(partner.path, nullptr);
  EXPECT_GT(WalkToTheEnd(partner, 1.0, 1000), 0);
  EXPECT_EQ(partner.x, 4.5f);
}

}  // namespace
