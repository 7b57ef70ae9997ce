// The scripted walk: WalkTo plans a path through the maze, FollowPath walks it.
#include <gtest/gtest.h>

#include <tuple>

#include "actors/maze_grid.h"
#include "actors/player.h"
#include "support/player_maze.h"
#include "world/level.h"

namespace {

// A bent corridor from the start (1, 1) down to (5, 5), plus a closed room.
const std::vector<std::string> kBend = {"#######", "#P    #", "##### #", "#   # #", "# # # #", "#   # #", "#######"};

// Walks until FollowPath reports the end; returns the calls made, or -1 past the limit.
int WalkToTheEnd(Player& p, int limit) {
  for (int i = 1; i <= limit; ++i)
    if (p.FollowPath(1.0)) return i;
  return -1;
}

class PlayerWalk : public ::testing::Test {
 protected:
  void SetUp() override { player.LoadLevel(&maze.level()); }
  test::LoadedMaze maze{{kBend}};
  Player player{true};
};

TEST_F(PlayerWalk, FollowsThePathCellByCellToTheCentreOfTheGoal) {
  player.WalkTo(5, 5);
  ASSERT_NE(player.path, nullptr);
  EXPECT_EQ(player.path->Count(), 9);  // (1,1) .. (5,1), then down to (5,5)
  const int calls = WalkToTheEnd(player, 10000);
  // 8 cells at 0.04 / 1.5 cells per tick, plus the calls that take each node.
  EXPECT_NEAR(calls, 8 / (0.04 / 1.5), 20);
  EXPECT_EQ(std::pair(player.x, player.z), std::pair(5.5f, 5.5f));
  EXPECT_EQ(std::pair(player.GetDirection(), player.heading), std::pair(kPlayerSouth, 90.0f));
  EXPECT_EQ(player.path, nullptr);
  EXPECT_FALSE(player.target.has_value());
  // Over: further calls stay over and do not move.
  EXPECT_TRUE(player.FollowPath(1.0));
  EXPECT_EQ(player.x, 5.5f);
}

TEST(PlayerWalkStep, ReachesEachCellAlongXFirstThenZAtTheSpeedOverOneAndAHalf) {
  Player player(true);
  player.SetPosition(3.5f, 0.5f, 2.5f);
  player.target = WalkCell{1, 1};
  bool movedAlongZ = false;
  int calls = 0;
  while (!player.FollowPath(1.0) && ++calls < 1000) {
    movedAlongZ = movedAlongZ || player.z != 2.5f;
    // Only once the column is reached does it turn north.
    if (movedAlongZ) { EXPECT_EQ(player.x, 1.5f); }
    EXPECT_EQ(player.heading, movedAlongZ ? -90.0f : 0.0f);
  }
  EXPECT_EQ(std::tuple(movedAlongZ, player.x, player.z), std::tuple(true, 1.5f, 1.5f));
  EXPECT_NEAR(calls, 3 / (0.04 / 1.5), 3);
}

TEST_F(PlayerWalk, ImpassableOutsideAndUnreachableGoalsLeaveNoWalkButKeepOneUnderWay) {
  // A wall, outside the maze, and the closed room.
  for (auto [x, z] : {std::pair{0, 0}, {-1, 3}, {7, 1}, {3, 200}, {1, 3}}) {
    player.WalkTo(x, z);
    EXPECT_EQ(player.path, nullptr) << x << ", " << z;
  }
  EXPECT_TRUE(player.FollowPath(1.0));
  EXPECT_EQ(std::pair(player.x, player.z), std::pair(1.5f, 1.5f));
  player.WalkTo(5, 1);
  for (int i = 0; i < 10; ++i) player.FollowPath(1.0);
  ASSERT_TRUE(player.target.has_value());
  player.WalkTo(0, 0);
  EXPECT_NE(player.path, nullptr);
  EXPECT_TRUE(player.target.has_value());
  player.WalkTo(1, 1);  // back to the start cell: the walk so far is dropped
  EXPECT_FALSE(player.target.has_value());
  ASSERT_NE(player.path, nullptr);
  EXPECT_EQ(player.path->Count(), 1);
  EXPECT_GT(WalkToTheEnd(player, 1000), 0);
  EXPECT_EQ(std::pair(player.x, player.z), std::pair(1.5f, 1.5f));
}

TEST(PlayerWalkPartner, WalksThroughCellsClosedToPlayersWhenThePathSaysSo) {
  // Code 38 blocks the players' own steps but not the grid: scripted walks trust the path.
  test::LoadedMaze corridor({{"#QX  #"}}, 2);
  Player partner(false);
  partner.LoadLevel(&corridor.level());
  EXPECT_FALSE(partner.IsFree(2, 0));
  partner.WalkTo(4, 0);
  ASSERT_NE(partner.path, nullptr);
  EXPECT_GT(WalkToTheEnd(partner, 1000), 0);
  EXPECT_EQ(partner.x, 4.5f);
}

}  // namespace
