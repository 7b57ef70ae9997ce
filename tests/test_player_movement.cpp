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

TEST(PlayerCollision, MapsEveryWallCodeAndTreatsOutsideCellsAsBlocked) {
  Walker w({"#XHG^>v<PQ", "D=        "}, {"N 1000 0"});
  Player& player = w.player;
  const int expected[] = {1, 1, 1, 0, 10, 11, 12, 13, 0, 0};
  for (int cx = 0; cx < 10; ++cx) {
    EXPECT_EQ(player.collision[cx][0], expected[cx]) << "column " << cx;
    EXPECT_EQ(player.IsFree(cx, 0), cx > 2) << "column " << cx;
  }
  // A door (code 3000) blocks; it lets the player through only past 90 degrees.
  w.maze.level().GetDoor(0)->angle = 90.0f;
  EXPECT_EQ(std::pair(player.collision[1][1], player.IsFree(1, 1)), std::pair(3000, false));
  w.maze.level().GetDoor(0)->angle = 90.5f;
  EXPECT_TRUE(player.IsFree(0, 1) && player.IsFree(1, 1));
  // Around the level there is nothing to stand on.
  for (auto [x, z] : {std::pair{-1, 1}, {3, -1}, {10, 1}, {3, 2}, {100, 100}}) EXPECT_FALSE(player.IsFree(x, z)) << x << "," << z;
  // A door code naming no door of this level blocks.
  player.collision[3][0] = 3005;
  EXPECT_FALSE(player.IsFree(3, 0));
}

TEST(PlayerMove, RunsOffCentreAlongACorridorAndStopsAtAWallWithoutSliding) {
  // A corridor, and below it a cell walled in on every side.
  Walker w({"##########", "#        #", "##########", "## #######", "##########"});
  w.At(1.5f, 1.45f, kPlayerEast);
  w.Run(50);
  EXPECT_EQ(std::pair(std::round(w.player.x * 1e4f), w.player.z), std::pair(35000.0f, 1.45f));
  const float headings[] = {-90, 180, 90, 0};
  for (int d = 0; d < 4; ++d) {
    w.At(2.5f, 3.5f, d);
    w.Run(40);
    EXPECT_EQ(w.player.heading, headings[d]) << d;
    // The square of half-side 0.4 fits a cell with 0.1 to spare on each side:
    // the player gets at most that near the wall ahead and never moves sideways.
    EXPECT_NEAR(w.player.x, 2.5f, d % 2 ? 0.1001f : 0) << d;
    EXPECT_NEAR(w.player.z, 3.5f, d % 2 ? 0 : 0.1001f) << d;
  }
}

TEST(PlayerMove, SlidesIntoASideArmFromEitherSide) {
  // Start off the arm's centre line, heading toward the arm; the last ones are
  // already in the arm's column or row, but well off its centre line.
  const std::tuple<float, float, int> cases[] = {
      {2.95f, 3.5f, kPlayerNorth}, {4.05f, 3.5f, kPlayerSouth}, {3.5f, 2.95f, kPlayerEast}, {3.8f, 3.5f, kPlayerNorth},
  };
  Walker w({"#######", "### ###", "### ###", "#     #", "### ###", "### ###", "#######"});
  for (const auto& [x, z, direction] : cases) {
    SCOPED_TRACE(testing::Message() << x << ", " << z << " toward " << direction);
    w.At(x, z, direction);
    bool blocked[4];
    for (int i = 0; i < 60; ++i) {
      w.player.Update(1.0);
      ASSERT_EQ(w.player.CountBlockedCorners(blocked), 0) << "update " << i;
    }
    // Centred on the arm's line (the slide stops once the corners clear) and well into it.
    const bool alongX = direction == kPlayerEast || direction == kPlayerWest;
    EXPECT_NEAR(alongX ? w.player.z : w.player.x, 3.5f, 0.101f);
    EXPECT_GT(std::fabs((alongX ? w.player.x : w.player.z) - 3.5f), 0.9f);
  }
}

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

TEST(PlayerTrail, AZeroStepMovesNothingAndALongFrameNeverLeavesANegativeStreak) {
  Walker w({"##########", "#        #", "#        #", "##########"});
  Player& player = w.At(2.5f, 1.5f, kPlayerEast);
  player.trailOn = true;
  player.speed = 0.12f;
  w.Run(4, 0.0);
  // The closed mouth's bounce still happens.
  EXPECT_EQ(std::tuple(player.trailCounter, player.x, player.speed, player.mouth), std::tuple(4, 2.5f, 0.12f, 0.1f));
  w.At(2.5f, 1.5f, 4).speed = 0.0801f;
  w.Run(1, 10.0);
  EXPECT_TRUE(player.trailMax >= 0 && player.trailLength >= 0 && player.speed < 0.08f);
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
