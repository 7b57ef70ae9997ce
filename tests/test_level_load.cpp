// Loading a Level from its files: items, doors, lights and textures.
#include <gtest/gtest.h>

#include "platform/gl.h"
#include "support/level_files.h"
#include "support/test_support.h"
#include "world/level.h"
#include "world/texture.h"
#include "world/world_graphics.h"

using test::Grid;
using Ints = std::vector<int>;

// A Level loaded from the files written into a fresh folder, without a window unless the test makes one.
class LevelLoad : public ::testing::Test {
 protected:
  void SetUp() override { worldGraphicsEnabled = false; }
  void TearDown() override { worldGraphicsEnabled = true; }
  // Loads level n, which says something on stderr (kept in said) only when it talks.
  std::unique_ptr<Level> LoadNumber(int n, bool talks = false) {
    auto level = std::make_unique<Level>(2);
    level->SetLevelNumber(n);
    testing::internal::CaptureStderr();
    level->Load();
    said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.empty(), !talks) << said;
    return level;
  }
  test::TempDir dir;
  test::ScopedCwd cwd{dir.path()};
  std::string said;
};

TEST_F(LevelLoad, TheFinalSceneAndMissingFilesAreSilent) {
  test::WriteLevelFiles(dir.path(), 7, {{4, 0}}, {{0, 1}});
  test::WriteFinalFile(dir.path(), {{22, 1}, {28, 0}});
  auto final = LoadNumber(9999);  // the final scene: arrows stored, but no items other than doors
  EXPECT_EQ((Ints{final->walls.cells[0][0], final->floorArrows->count, final->coinCount, final->doorCount}),
            (Ints{22, 0, 0, 1}));
  EXPECT_EQ(LoadNumber(404)->walls.width, 0);
  auto seven = LoadNumber(7);
  // A second parse that finds only one file keeps both layers and clears the items.
  seven->ParseLevelFiles("./pantallas/paredes7.txt", "./pantallas/objetos404.txt");
  EXPECT_EQ((Ints{seven->walls.cells[0][0], seven->objects.cells[1][0], seven->coinCount, seven->coins->count}),
            (Ints{4, 1000, 0, 0}));
}

TEST_F(LevelLoad, DoorsStandOnTheEdgeBetweenTheirCellsAndArrowsFaceByCode) {
  // 28 at (1,0) and 29 at (3,0) open along x; 30 at (0,1) and 31 at (4,1) along z.
  Grid walls = {{0, 28, 0, 29, 0, 0}, {30, 0, 0, 0, 31, 0}, {0, 22, 23, 24, 0, 25}};
  test::WriteLevelFiles(dir.path(), 1, walls, test::EmptyGrid(walls));
  auto level = LoadNumber(1, true);  // the doors have no entries: that is told
  std::vector<std::vector<float>> doors;
  for (const Door* d : level->doors->items) doors.push_back({d->x, d->z, d->rotation, float(d->TargetLevel())});
  EXPECT_EQ(doors, (std::vector<std::vector<float>>{{2, 0.5f, 0, -1}, {4, 0.5f, 180, -1}, {0.5f, 2, 90, -1},
                                                    {4.5f, 2, 270, -1}}));
  std::vector<float> rotations;
  for (const FloorArrow* arrow : level->floorArrows->items) rotations.push_back(arrow->rotation);
  EXPECT_EQ(rotations, (std::vector<float>{0, 270, 180, 90}));
}

TEST_F(LevelLoad, ADamagedFileIsRefusedWholeWithOneLineAndAShortDoorSectionIsTold) {
  test::WriteLevelTexts(dir.path(), 5, "3 1\n1 28 bad\n", "3 1 1 1 1");
  auto level = LoadNumber(5, true);
  EXPECT_EQ(said, "Level file ./pantallas/paredes5.txt, line 2, token 3: not a number \"bad\" where a wall code "
                  "belongs; the level is left empty\n");
  EXPECT_EQ((Ints{level->walls.width, level->walls.height, level->coins->count, level->doors->count}), Ints(4, 0));
  EXPECT_NE(level->doorIndicator, nullptr);  // Load goes on as for a missing file
  Grid walls = {{28, 0, 28, 0, 28, 0}};
  test::WriteLevelFiles(dir.path(), 6, walls, test::EmptyGrid(walls), "\nS\n1 0\n");
  level = LoadNumber(6, true);
  EXPECT_NE(said.find("./pantallas/paredes6.txt: the door section has 1 of 3 entries"), std::string::npos) << said;
  EXPECT_EQ((std::vector{level->GetDoor(0)->periodic, level->GetDoor(1)->periodic}), (std::vector{true, false}));
}

TEST_F(LevelLoad, WithAWindowTexturesLoadAndPelletLightsGiveWayToTheLevelsOwn) {
  test::GLContext gl;
  ASSERT_TRUE(gl.ok());
  worldGraphicsEnabled = true;
  test::WriteLevelTextures(dir.path());
  glMatrixMode(GL_MODELVIEW), glLoadIdentity();
  // Whether a light is on, its ambient, position x y z, constant and quadratic attenuation.
  const auto light = [](GLenum light) {
    GLfloat a[4], p[4], c, q;
    glGetLightfv(light, GL_AMBIENT, a), glGetLightfv(light, GL_POSITION, p);
    glGetLightfv(light, GL_CONSTANT_ATTENUATION, &c), glGetLightfv(light, GL_QUADRATIC_ATTENUATION, &q);
    return std::vector<float>{float(glIsEnabled(light)), a[0], p[0], p[1], p[2], c, q};
  };
  const Grid objects = {{2, 2, 0, 0}, {0, 0, 0, 2}};
  for (int n : {5, 58, 999}) test::WriteLevelFiles(dir.path(), n, test::EmptyGrid(objects), objects);
  auto level = LoadNumber(5);
  for (Texture* t : {level->coinTexture, level->floorTexture, level->sparkTexture, level->arrowTexture})
    ASSERT_NE(t->name, 0u);
  EXPECT_EQ(light(GL_LIGHT0), (std::vector<float>{1, 0.4f, 2.0f, 8, 1.0f, 0.6f, 0.01f}));
  EXPECT_EQ(light(GL_LIGHT3), (std::vector<float>{1, 0.2f, 3.5f, 0.5f, 1.5f, 0.8f, 0.05f}));  // pellet 2
  EXPECT_FALSE(glIsEnabled(GL_LIGHT4));
  level->largePellets->At(2)->SetActive(false);
  EXPECT_FALSE(glIsEnabled(GL_LIGHT3));
  level.reset();
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(glIsEnabled(GL_LIGHT0 + i)) << "left on by the destructor: " << i;
  // Levels from 58 have two lights of their own, the last ones four, before the pellets'.
  for (auto [n, index, values] : {std::tuple{58, GL_LIGHT2, std::vector<float>{1, 0.4f, 18, 8, 8, 0.8f, 0.03f}},
                                  {999, GL_LIGHT4, {1, 0.2f, -1, 8, -3, 0.8f, 0.03f}}}) {
    const auto loaded = LoadNumber(n);
    EXPECT_EQ(light(index), values) << n;
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
