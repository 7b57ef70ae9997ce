// The player's steering through small mazes (start cells are taken in every
// whole-game test; the corner test is checked all along the corner slides):
// collision codes,
// corridors, walls, corner slides, floor arrows, speed and the streak, and
// the scripted walk along a planned path.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "actors/maze_grid.h"
#include "actors/player.h"
#include "support/player_maze.h"
#include "world/level.h"

namespace {

// A maze loaded with the main player in it, optionally placed and facing somewhere.
struct Walker {
  explicit Walker(const test::Rows& rows, const test::Rows& doors = {}) : maze(rows, 1, doors) { player.LoadLevel(&maze.level()); }
  Player& At(float x, float z, int direction) {
    player.SetPosition(x, 0.5f, z);
    player.SetDirection(direction);
    return player;
  }
  void Run(int updates, double dt = 1.0) {
    for (int i = 0; i < updates; ++i) player.Update(dt);
  }
  test::LoadedMaze maze;
  Player player{true};
};

TEST(PlayerMove, NoSlideWhenBothSideCellsAreWallsNorPastTheLevelsEdges) {
  // On top a dead end; below, open floor on the level's left, right and bottom edges.
  Walker w({"#####", "#   #", " #   ", "     "});
  // Facing north in the dead end: the cells beside the one ahead are walls too.
  w.At(2.3f, 1.45f, kPlayerNorth);
  w.Run(30);
  EXPECT_FLOAT_EQ(w.player.x, 2.3f);
  EXPECT_NEAR(w.player.z, 1.41f, 0.0001f);
  // On the edges a slide must not look past them.
  w.At(0.45f, 3.5f, kPlayerWest);
  w.Run(20);
  w.player.SetDirection(kPlayerSouth);
  w.Run(20);
  EXPECT_TRUE(w.player.x >= 0.4f && w.player.z <= 3.6f) << w.player.x << ", " << w.player.z;
  w.At(4.5f, 3.5f, kPlayerEast);
  w.Run(20);
  EXPECT_LE(w.player.x, 4.6f);
}

TEST(PlayerArrow, ForcesItsDirectionAndSpeedThenTheStreakFadesAsThePlayerSlows) {
  Walker w({"###################################", "#v                                #",
            "#                                 #"});
  // The arrow forces its direction and speed; this update's decay has taken its share.
  w.At(1.5f, 1.5f, kPlayerNorth).Update(1.0);
  EXPECT_EQ(w.player.GetDirection(), kPlayerSouth);
  Player& player = w.At(1.5f, 2.5f, kPlayerEast);
  player.Boost();  // never slows a faster player
  EXPECT_NEAR(player.speed, 0.12f - 0.0001f, 1e-6);
  int ticks = 1, streakSeen = 0;
  for (; player.speed > 0.0401f && ticks < 2000; ++ticks) {
    player.Update(1.0);
    // The streak is as long as the speed's thousandths above 0.079, and gone at 0.08.
    const int expected = player.speed > 0.0801f ? static_cast<int>(player.speed * 1000) - 79 : 0;
    if (player.speed <= 0.0799f || (player.speed > 0.0805f && player.speed <= 0.09f)) {
      EXPECT_EQ(std::tuple(player.trailOn, player.trailMax > 0 ? player.trailMax : 0, player.trailLength), std::tuple(expected > 0, expected, expected)) << player.speed;
    }
    streakSeen += player.speed > 0.0805f && player.speed <= 0.09f ? 1 : 0;
  }
  EXPECT_GT(streakSeen, 0);
  EXPECT_NEAR(ticks, 800, 5);
  // Not clamped: it settles at or a little under the base speed.
  w.Run(10);
  EXPECT_NEAR(player.speed, 0.03995f, 0.00015f);
}

// The scripted walk: WalkTo plans a path through the maze, FollowPath walks it.
TEST(PlayerWalk, FollowsThePathCellByCellToTheCentreOfTheGoalAndRefusesGoalsItCannotReach) {
  // A bent corridor from the start (1, 1) down to (5, 5), plus a closed room.
  Walker w({"#######", "#P    #", "##### #", "#   # #", "# # # #", "#   # #", "#######"});
  Player& player = w.player;
  // A wall, outside the maze, and the closed room.
  for (auto [x, z] : {std::pair{0, 0}, {-1, 3}, {7, 1}, {3, 200}, {1, 3}}) {
    player.WalkTo(x, z);
    EXPECT_EQ(player.path, nullptr) << x << ", " << z;
  }
  player.WalkTo(5, 5);
  ASSERT_NE(player.path, nullptr);
  EXPECT_EQ(player.path->Count(), 9);  // (1,1) .. (5,1), then down to (5,5)
  // 8 cells at 0.04 / 1.5 cells per tick, plus the calls that take each node.
  int calls = 1;
  while (!player.FollowPath(1.0) && calls < 10000) ++calls;
  EXPECT_NEAR(calls, 8 / (0.04 / 1.5), 20);
  EXPECT_EQ(std::tuple(player.x, player.z, player.GetDirection(), player.heading), std::tuple(5.5f, 5.5f, kPlayerSouth, 90.0f));
  EXPECT_FALSE(player.path != nullptr || player.target.has_value());
  // Over: further calls stay over and do not move.
  EXPECT_TRUE(player.FollowPath(1.0));
  EXPECT_EQ(player.x, 5.5f);
}

}  // namespace
