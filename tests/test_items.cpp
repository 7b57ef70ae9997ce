// The level's items: where doors and arrows stand, coins, doors, counters, pellet lights.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include "game/game_random.h"
#include "platform/gl.h"
#include "support/level_files.h"
#include "support/test_support.h"
#include "world/level.h"
#include "world/world_graphics.h"

// Float fields against their values, each within a few units in the last place.
void ExpectFloats(std::initializer_list<float> actual, std::initializer_list<float> expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_FLOAT_EQ(actual.begin()[i], expected.begin()[i]) << "value " << i;
}

TEST(Door, SwingsFastInTheMiddleStopsExactlyAndPeriodicOnesKeepTheExcessTime) {
  Door door;
  door.StartMoving(true);
  door.angle = 90;
  EXPECT_FALSE(door.IsOpen());  // open only beyond ninety degrees
  door.Update(1);
  EXPECT_TRUE(std::abs(door.angle - 96) < 1e-4 && door.IsOpen()) << door.angle;
  door.angle = 179;
  door.Update(1), door.Update(1);
  EXPECT_TRUE(door.angle == 180 && !door.moving && !door.opening) << door.angle;  // the next swing shuts it
  door.timer = 7;
  door.SetPeriodic(true, 1.5f);
  for (int i = 0; i < 3; ++i) door.Update(50);  // 0.5 each: exactly 1.5, not beyond it
  EXPECT_FALSE(door.moving);
  door.Update(50);
  EXPECT_TRUE(door.moving && door.timer == 0.5f) << door.timer;  // the excess is kept
}

// Items without a window; a level is written to disk and loaded where a test needs one.
class LevelItems : public ::testing::Test {
 protected:
  void SetUp() override { worldGraphicsEnabled = false; }
  void TearDown() override { worldGraphicsEnabled = true; }
  std::unique_ptr<Level> Load(int n, const test::Grid& walls, const test::Grid& objects, const std::string& doors = "") {
    test::WriteLevelFiles(dir.path(), n, walls, objects, doors);
    auto level = std::make_unique<Level>(2);
    level->SetLevelNumber(n);
    level->Load();
    return level;
  }
  test::TempDir dir;
  test::ScopedCwd cwd{dir.path()};
};

// Doors stand on the edge between their two cells, turned by their code; arrows face by theirs.
TEST_F(LevelItems, DoorsStandOnTheEdgeBetweenTheirCellsAndArrowsFaceByCode) {
  // 28 at (1,0) and 29 at (3,0) open along x; 30 at (0,1) and 31 at (4,1) along z.
  const test::Grid walls = {{0, 28, 0, 29, 0, 0}, {30, 0, 0, 0, 31, 0}, {0, 22, 23, 24, 0, 25}};
  auto level = Load(1, walls, test::EmptyGrid(walls));
  std::vector<std::vector<float>> doors;
  for (const Door* d : level->doors->items) doors.push_back({d->x, d->z, d->rotation, float(d->TargetLevel())});
  EXPECT_EQ(doors, (std::vector<std::vector<float>>{{2, 0.5f, 0, -1}, {4, 0.5f, 180, -1}, {0.5f, 2, 90, -1},
                                                    {4.5f, 2, 270, -1}}));
  std::vector<float> rotations;
  for (const FloorArrow* arrow : level->floorArrows->items) rotations.push_back(arrow->rotation);
  EXPECT_EQ(rotations, (std::vector<float>{0, 270, 180, 90}));
}

TEST_F(LevelItems, CountersOpenTheirDoorOnTheExactCoinAndShowTheIndicatorForFiveSeconds) {
  // Door 0 opens after 2 coins, door 1 never (count 0), door 2 after 3 coins.
  auto level = Load(1, {{28, 0, 28, 0, 28, 0}, {0, 0, 0, 0, 0, 0}}, {{0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 0, 0}},
                    "\nN\n2 4\nN\n0 5\nN\n3.5 6\n");
  level->EatAt(0, 1);
  EXPECT_FALSE(level->indicatorShowing || level->GetDoor(0)->moving);
  level->EatAt(1, 1);
  EXPECT_EQ((std::vector{level->indicatorShowing, level->GetDoor(0)->moving, level->GetDoor(1)->moving,
                         level->GetDoor(2)->moving}),
            (std::vector{true, true, false, false}));
  level->EatAt(2, 1), level->EatAt(3, 1);  // the fourth coin is past zero: nothing more
  EXPECT_TRUE(level->GetDoor(2)->moving && level->doorCounters->At(0)->coinsLeft == -2);
  // The indicator swings open with the door, for 350 steps of 1/70 s give or take the float rounding.
  int ticks = 0;
  while (level->indicatorShowing && ticks < 1000) level->Update(1), ++ticks;
  EXPECT_TRUE((ticks == 350 || ticks == 351) && level->doorIndicator->angle == 180) << ticks;
  EXPECT_EQ((std::vector{level->IsDoorOpen(0), level->IsDoorOpen(1), level->IsDoorOpen(3), level->IsDoorOpen(-1),
                         level->IsDoorOpen(1 << 30)}),  // the last three: no such door
            (std::vector{true, false, false, false, false}));
  // The scenes open doors by number: one that does not exist is none and opens nothing.
  level->OpenDoor(3), level->OpenDoor(-1);
  EXPECT_EQ((std::vector<Door*>{level->GetDoor(3), level->GetDoor(-1), level->GetDoor(1 << 30)}),
            (std::vector<Door*>(3, nullptr)));
}

TEST(LargePelletLight, PlacedInWorldCoordinatesAndAnIndexBeyondSevenLightsNothing) {
  test::GLContext gl;
  ASSERT_TRUE(gl.ok());
  glMatrixMode(GL_MODELVIEW), glLoadIdentity(), glTranslatef(10, 0, 0);
  LargePellet pellet(6);
  pellet.SetPosition(2.5f, 9.0f, 3.5f);
  GLfloat v[4], m[16];
  glGetLightfv(GL_LIGHT7, GL_POSITION, v);
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  ExpectFloats({v[0], v[1], v[2], m[12]}, {2.5f, 0.5f, 3.5f, 10});  // and the caller's matrix is back
  LargePellet unlit(7);
  unlit.SetPosition(1, 1, 1);
  unlit.SetActive(false);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT7));  // light 7 belongs to pellet 6, untouched
}
