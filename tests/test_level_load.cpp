// Loading a Level from its files: items, doors, counters, lights and textures.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gl.h"
#include "platform/message_box.h"
#include "support/level_files.h"
#include "support/test_support.h"
#include "world/level.h"
#include "world/texture.h"
#include "world/world_graphics.h"

namespace {

using test::Grid;

// A Level loaded from the files written into a fresh folder, without a window.
class LevelLoad : public ::testing::Test {
 protected:
  void SetUp() override { worldGraphicsEnabled = false; }
  std::unique_ptr<Level> LoadNumber(int n) {
    auto level = std::make_unique<Level>(2);
    level->SetLevelNumber(n);
    level->Load();
    return level;
  }
  test::TempDir dir;
  test::ScopedCwd cwd{dir.path()};
};

TEST_F(LevelLoad, PicksTheFilesByLevelNumber) {
  test::WriteLevelFiles(dir.path(), 7, {{4, 0}}, {{0, 1}});
  test::WriteLevelFiles(dir.path(), 999, {{5, 5, 5}}, {{0, 0, 0}});
  test::WriteFinalFile(dir.path(), {{6}, {0}});

  auto seven = LoadNumber(7);
  EXPECT_EQ(seven->walls.cells[0][0], 4);
  EXPECT_EQ(seven->coinCount, 1);
  EXPECT_EQ(LoadNumber(999)->walls.width, 3);
  for (int n : {1000, 9999}) {
    auto final = LoadNumber(n);
    EXPECT_EQ(final->walls.height, 2) << n;
    EXPECT_EQ(final->walls.cells[0][0], 6) << n;
  }
}

TEST_F(LevelLoad, DoorsStandOnTheEdgeBetweenTheirCells) {
  // 28 at (1,0) and 29 at (3,0) open along x; 30 at (0,1) and 31 at (4,1) along z.
  Grid walls = {{0, 28, 0, 29, 0, 0}, {30, 0, 0, 0, 31, 0}, {0, 0, 0, 0, 0, 0}};
  test::WriteLevelFiles(dir.path(), 1, walls, test::EmptyGrid(walls));
  auto level = LoadNumber(1);
  ASSERT_EQ(level->doors->count, 4);
  struct Expected { float x, z, rotation; int cellX, cellY; } expected[] = {
      {2.0f, 0.5f, 0.0f, 2, 0}, {4.0f, 0.5f, 180.0f, 4, 0}, {0.5f, 2.0f, 90.0f, 0, 2}, {4.5f, 2.0f, 270.0f, 4, 2}};
  for (int n = 0; n < 4; ++n) {
    SCOPED_TRACE(n);
    const Door* door = level->GetDoor(n);
    EXPECT_FLOAT_EQ(door->x, expected[n].x);
    EXPECT_FLOAT_EQ(door->y, 0.0f);
    EXPECT_FLOAT_EQ(door->z, expected[n].z);
    EXPECT_FLOAT_EQ(door->rotation, expected[n].rotation);
    EXPECT_EQ(level->walls.cells[expected[n].cellX][expected[n].cellY], 3000 + n);
    EXPECT_EQ(door->TargetLevel(), -1);  // no door section: plain doors
    EXPECT_FALSE(door->periodic);
    EXPECT_EQ(door->frameTexture, level->wallTexture);
  }
}

TEST_F(LevelLoad, TheDoorSectionMakesPeriodicDoorsCountersAndTargets) {
  Grid walls = {{28, 0, 28, 0, 28, 0, 28, 0}};
  test::WriteLevelFiles(dir.path(), 3, walls, test::EmptyGrid(walls), "\nS\n2 99\nN\n3.9 12\nN\n1000 5\nN\n0 8\n");
  auto level = LoadNumber(3);
  ASSERT_EQ(level->doorCount, 4);
  EXPECT_TRUE(level->GetDoor(0)->periodic);
  EXPECT_FLOAT_EQ(level->GetDoor(0)->period, 2.0f);
  EXPECT_EQ(level->GetDoor(0)->TargetLevel(), -1);
  EXPECT_EQ(level->GetDoor(1)->TargetLevel(), 12);
  EXPECT_EQ(level->GetDoor(2)->TargetLevel(), -1);
  EXPECT_EQ(level->GetDoor(3)->TargetLevel(), 8);
  ASSERT_EQ(level->doorCounters->count, 2);
  const DoorCounter* c = level->doorCounters->At(0);
  EXPECT_EQ(c->doorIndex, 1);
  EXPECT_EQ(c->coinsLeft, 3);
  EXPECT_EQ(c->targetLevel, 12);
  EXPECT_EQ(level->doorCounters->At(1)->doorIndex, 3);
  EXPECT_EQ(level->doorCounters->At(1)->coinsLeft, 0);
}

TEST_F(LevelLoad, ItemsSitOnTheirCellsAndArrowsFaceByCode) {
  Grid walls = {{22, 23, 24, 25}, {0, 0, 0, 0}};
  Grid objects = {{0, 0, 0, 0}, {1, 2, 2, 1}};
  test::WriteLevelFiles(dir.path(), 2, walls, objects);
  auto level = LoadNumber(2);
  ASSERT_EQ(level->floorArrows->count, 4);
  const float rotations[] = {0, 270, 180, 90};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(level->floorArrows->At(i)->rotation, rotations[i]);
    EXPECT_FLOAT_EQ(level->floorArrows->At(i)->x, i + 0.5f);
    EXPECT_FLOAT_EQ(level->floorArrows->At(i)->z, 0.5f);
    EXPECT_EQ(level->walls.cells[i][0], 22 + i);
  }
  ASSERT_EQ(level->coinCount, 2);
  const Coin* coin = level->coins->At(1);
  EXPECT_TRUE(coin->visible);
  EXPECT_FLOAT_EQ(coin->x, 3.5f);
  EXPECT_FLOAT_EQ(coin->y, 0.6f);
  EXPECT_FLOAT_EQ(coin->z, 1.5f);
  ASSERT_EQ(level->largePelletCount, 2);
  const LargePellet* pellet = level->largePellets->At(1);
  EXPECT_EQ(pellet->lightIndex, 1);
  EXPECT_TRUE(pellet->active);
  EXPECT_FLOAT_EQ(pellet->x, 2.5f);
  EXPECT_FLOAT_EQ(pellet->y, 0.5f);
  EXPECT_EQ(level->objects.cells[3][1], 1001);
  EXPECT_EQ(level->objects.cells[2][1], 2001);
  ASSERT_NE(level->doorIndicator, nullptr);
  EXPECT_FALSE(level->indicatorShowing);
}

TEST_F(LevelLoad, CoinsAndPelletsDrawTheirRandomNumbersInReadingOrder) {
  test::WriteLevelFiles(dir.path(), 4, {{0, 0, 0}}, {{1, 2, 1}});
  std::srand(77);
  auto level = LoadNumber(4);
  std::srand(77);
  Coin first;
  LargePellet pellet(0);
  Coin second;
  EXPECT_FLOAT_EQ(level->coins->At(0)->spinZ, first.spinZ);
  EXPECT_FLOAT_EQ(level->largePellets->At(0)->particles[299].angleZ, pellet.particles[299].angleZ);
  EXPECT_FLOAT_EQ(level->coins->At(1)->angleX, second.angleX);
  EXPECT_FLOAT_EQ(level->coins->At(1)->spinZ, second.spinZ);
}

TEST_F(LevelLoad, ADamagedFileIsRefusedWholeWithOneLine) {
  test::WriteLevelTexts(dir.path(), 5, "3 1\n1 28 bad\n", "3 1 1 1 1");
  testing::internal::CaptureStderr();
  auto level = LoadNumber(5);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "Level file ./pantallas/paredes5.txt, line 2, token 3: not a number \"bad\" where a wall code "
                 "belongs; the level is left empty\n");
  EXPECT_EQ((std::vector<int>{level->walls.width, level->walls.height}), std::vector<int>(2, 0));
  EXPECT_EQ((std::vector<int>{level->walls.cells[1][0], level->objects.cells[0][0]}), std::vector<int>(2, 0));
  EXPECT_EQ((std::vector<int>{level->coins->count, level->doors->count, level->coinCount, level->doorCount}), std::vector<int>(4, 0));
  EXPECT_NE(level->doorIndicator, nullptr);  // Load goes on as for a missing file
}

TEST_F(LevelLoad, AMissingFileIsSilentAndKeepsTheLayers) {
  test::WriteLevelFiles(dir.path(), 1, {{4, 28, 0}}, {{1, 0, 0}}, "\nN\n1 2\n");
  auto level = LoadNumber(1);
  ASSERT_EQ(level->coinCount, 1);
  testing::internal::CaptureStderr();
  level->ParseLevelFiles("./pantallas/paredes1.txt", "./pantallas/objetos404.txt");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(level->walls.width, 3);
  EXPECT_EQ(level->walls.cells[1][0], 3000);
  EXPECT_EQ(level->objects.cells[0][0], 1000);
  EXPECT_EQ((std::vector<int>{level->coinCount, level->coins->count, level->doorCounters->count}), std::vector<int>(3, 0));
  EXPECT_FALSE(level->IsDoorOpen(0));

  // A new level that finds no files at all starts empty.
  testing::internal::CaptureStderr();
  auto none = LoadNumber(404);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(none->walls.width, 0);
}

TEST_F(LevelLoad, AShortDoorSectionIsToldAndTheRestStayPlain) {
  Grid walls = {{28, 0, 28, 0, 28, 0}};
  test::WriteLevelFiles(dir.path(), 6, walls, test::EmptyGrid(walls), "\nS\n1 0\n");
  testing::internal::CaptureStderr();
  auto level = LoadNumber(6);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("./pantallas/paredes6.txt"), std::string::npos) << err;
  EXPECT_NE(err.find("1 of 3 entries"), std::string::npos) << err;
  EXPECT_TRUE(level->GetDoor(0)->periodic);
  EXPECT_FALSE(level->GetDoor(1)->periodic);
  EXPECT_EQ(level->GetDoor(2)->TargetLevel(), -1);
}

TEST_F(LevelLoad, TheFinalFileHasNoArrowsCoinsOrCounters) {
  test::WriteFinalFile(dir.path(), {{22, 1, 2}, {28, 0, 0}});
  auto level = LoadNumber(9999);
  EXPECT_EQ(level->walls.cells[0][0], 22);
  EXPECT_EQ((std::vector<int>{level->floorArrows->count, level->coinCount, level->largePelletCount}), std::vector<int>(3, 0));
  ASSERT_EQ(level->doorCount, 1);
  EXPECT_EQ(level->walls.cells[1][1], 3000);
  level->OpenDoor(0);
  EXPECT_TRUE(level->GetDoor(0)->moving);
}

// With a window: textures and the lights of each kind of level.
class LevelWithGL : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    test::WriteLevelTextures(dir.path());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  static void ExpectLight(GLenum light, float ambient, float x, float y, float z, float constant,
                          float quadratic) {
    GLfloat a[4], p[4], c, q;
    EXPECT_TRUE(glIsEnabled(light));
    glGetLightfv(light, GL_AMBIENT, a);
    glGetLightfv(light, GL_POSITION, p);
    glGetLightfv(light, GL_CONSTANT_ATTENUATION, &c);
    glGetLightfv(light, GL_QUADRATIC_ATTENUATION, &q);
    const float actual[] = {a[0], p[0], p[1], p[2], c, q}, expected[] = {ambient, x, y, z, constant, quadratic};
    for (int i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(actual[i], expected[i]) << "light " << light - GL_LIGHT0 << " value " << i;
  }
  test::GLContext gl;
  test::TempDir dir;
  test::ScopedCwd cwd{dir.path()};
};

TEST_F(LevelWithGL, TexturesLoadAndPelletLightsGiveWayToTheLevelsOwn) {
  Grid walls = {{0, 0, 0, 0}, {0, 0, 0, 0}};
  Grid objects = {{2, 2, 0, 0}, {0, 0, 0, 2}};
  test::WriteLevelFiles(dir.path(), 5, walls, objects);
  test::WriteLevelFiles(dir.path(), 58, walls, objects);
  test::WriteLevelFiles(dir.path(), 999, walls, objects);
  {
    Level level(1);
    for (Texture* t : {level.coinTexture, level.floorTexture, level.wallTexture, level.sparkTexture,
                       level.doorTexture, level.arrowTexture}) {
      ASSERT_NE(t, nullptr);
      EXPECT_NE(t->name, 0u);
    }
    level.SetLevelNumber(5);
    level.Load();
    ExpectLight(GL_LIGHT0, 0.4f, 2.0f, 8, 1.0f, 0.6f, 0.01f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    ExpectLight(GL_LIGHT1, 0.2f, 0.5f, 0.5f, 0.5f, 0.8f, 0.05f);  // pellet 0
    ExpectLight(GL_LIGHT3, 0.2f, 3.5f, 0.5f, 1.5f, 0.8f, 0.05f);  // pellet 2
    EXPECT_FALSE(glIsEnabled(GL_LIGHT4));
    level.largePellets->At(2)->SetActive(false);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
  }
  // The destructor leaves no light on.
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(glIsEnabled(GL_LIGHT0 + i)) << i;
  {
    Level level(2);
    level.SetLevelNumber(58);
    level.Load();
    ExpectLight(GL_LIGHT1, 0.4f, 2, 8, 8, 0.8f, 0.03f);
    ExpectLight(GL_LIGHT2, 0.4f, 18, 8, 8, 0.8f, 0.03f);
    ExpectLight(GL_LIGHT3, 0.2f, 3.5f, 0.5f, 1.5f, 0.8f, 0.05f);
  }
  {
    Level level(0);
    level.SetLevelNumber(999);
    level.Load();
    ExpectLight(GL_LIGHT1, 0.2f, 5, 8, 5, 0.8f, 0.03f);
    ExpectLight(GL_LIGHT2, 0.2f, -1, 8, 5, 0.8f, 0.03f);
    ExpectLight(GL_LIGHT3, 0.2f, 5, 8, -3, 0.8f, 0.03f);
    ExpectLight(GL_LIGHT4, 0.2f, -1, 8, -3, 0.8f, 0.03f);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LevelWithGL, AMissingTextureIsFatalAndStopsTheLoading) {
  std::filesystem::remove(dir.path() / "texturas" / "suelo1.bmp");
  std::vector<std::string> boxes;
  platform::SetMessageBoxHook([&](const std::string& text, const std::string& caption, platform::BoxButtons,
                                  platform::BoxIcon) {
    boxes.push_back(caption + "|" + text);
    return platform::BoxAnswer::Ok;
  });
  int exitStatus = -1;
  SetFatalExitHook([&](int status) { exitStatus = status; });
  Level level(1);
  EXPECT_EQ(exitStatus, 0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "FATAL ERROR|Error la textura del suelo no existe");
  EXPECT_NE(level.wallTexture, nullptr);
  EXPECT_EQ(level.sparkTexture, nullptr);  // never tried
}

}  // namespace
