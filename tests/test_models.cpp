// The ghosts' model: what it sends, its colours, its eaten look, and a whole
// scene drawn for people to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "support/draw_scene.h"
#include "support/frame_pixels.h"
#include "support/gl_counting.h"
#include "support/gl_views.h"

namespace {

constexpr int kW = 640, kH = 480;
// Dome 1056, skirt 66, hem 8 x 6, eyes 544.
constexpr std::size_t kGhostVertices = 1056 + 66 + 48 + 544;

class Models : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    glViewport(0, 0, kW, kH), glEnable(GL_DEPTH_TEST), glEnable(GL_CULL_FACE), glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  }
  // Lit from `light` (a direction), textures off, cleared.
  static void Light(std::array<float, 4> light) {
    glLightfv(GL_LIGHT0, GL_POSITION, light.data()), glLightfv(GL_LIGHT0, GL_DIFFUSE, std::array{1.f, 1.f, 1.f, 1.f}.data());
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING), glDisable(GL_TEXTURE_2D), glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  // Front view along -z of world x, y in -size..size, lit from the viewer.
  static void FrontView(float size) { test::Ortho(-size * kW / kH, size * kW / kH, -size, size, -20, 20), Light({0, 0, 1, 0}); }
  test::GLContext gl;
};

// Whether the material value last set before `vertex` has the wanted channels.
::testing::AssertionResult Material(const test::GlRecording& r, std::size_t vertex, unsigned pname,
                                    std::initializer_list<float> want) {
  float c[4];
  if (!r.MaterialAt(vertex, pname, c)) return ::testing::AssertionFailure() << "no material " << pname;
  for (std::size_t i = 0; i < want.size(); ++i)
    if (const float w = want.begin()[i]; !std::isnan(w) && std::abs(c[i] - w) > 1e-6f)
      return ::testing::AssertionFailure() << "channel " << i << " is " << c[i] << ", not " << w;
  return ::testing::AssertionSuccess();
}

TEST_F(Models, GhostSendsItsPartsOnceIntoItsListAndTurnsDarkWhenEatenWithoutARebuild) {
  Ghost ghost(1);
  ghost.SetColour(0.01f, 0.5f, 0.01f), ghost.SetPosition(0, 0, 0);
  const test::GlRecording& r = test::Record([&] { ghost.Draw(); });  // no list yet: immediate mode
  EXPECT_TRUE(r.vertices.size() == kGhostVertices && r.CountInMode(GL_TRIANGLES) == 48u);  // the hem's eight teeth
  // The skirt: a closed ring of 33 columns, a 32nd of a turn apart.
  double worstStep = std::abs(r.vertices[1056 + 64].x - r.vertices[1056].x);
  for (std::size_t i = 1056; i + 2 < 1056 + 66; i += 2)
    worstStep = std::max(worstStep, std::abs(std::hypot(r.vertices[i + 2].x - r.vertices[i].x,
                                                        r.vertices[i + 2].z - r.vertices[i].z) - 2 * std::sin(M_PI / 32)));
  EXPECT_LT(worstStep, 1e-5);
  EXPECT_EQ(test::Record([&] { ghost.BuildDisplayList(); }).vertices.size(), kGhostVertices);
  const std::uint32_t list = ghost.displayList;
  ASSERT_NE(list, 0u);
  EXPECT_EQ(test::Record([&] { ghost.Draw(); }).vertices.size(), 0u);  // the list does the sending
  std::uint8_t px[3];
  for (bool dark : {false, true, false}) {
    FrontView(1.5f), ghost.SetEaten(dark), ghost.Draw();
    test::ReadPixel(kW / 2, kH / 2 + 60, px);  // on the dome
    EXPECT_TRUE(dark ? px[1] < 60 : px[1] > 100 && px[0] < 40) << dark << ": " << +px[0] << "," << +px[1];
  }
  // Eaten, the eyes stay light grey; the list was never rebuilt.
  EXPECT_EQ(ghost.displayList, list);
  ghost.SetEaten(true), ghost.displayList = 0;
  EXPECT_TRUE(Material(test::Record([&] { ghost.Draw(); }), kGhostVertices - 1, GL_DIFFUSE, {0.9f}));
  glDeleteLists(list, 1);
}

TEST_F(Models, PlaySceneFromAbove) {
  test::DrawScene scene({.coins = 12});
  scene.Render();
  EXPECT_TRUE(test::SaveFramebufferPng(test::PicturePath("play_scene_overhead.png"), kW, kH));
  scene.camera->Apply();
  const test::Projection view;
  std::uint8_t wall[3], floor[3], body[3], red[3], blue[3];
  // The east wall, an empty cell, the top of the player on (4.5, 3.5) and
  // the domes of the ghosts on (2.5, 3.5) and (6.5, 3.5).
  ASSERT_TRUE(view.ColourAt(9.5, 1.5, 4.5, wall) && view.ColourAt(1.3, 0.0, 1.3, floor) &&
              view.ColourAt(4.5, 1.0, 3.5, body) && view.ColourAt(2.5, 1.4, 3.5, red) &&
              view.ColourAt(6.5, 1.4, 3.5, blue));
  EXPECT_TRUE(wall[2] > wall[0] + 60 && wall[2] > wall[1] + 60);
  EXPECT_TRUE(floor[1] > floor[0] + 50 && floor[1] > floor[2] + 50);
  EXPECT_TRUE(body[0] > 150 && body[1] > 150 && body[2] < 60);
  // The ghosts add their colour to the bright green floor behind them, so
  // they are told apart by the channels the floor leaves free.
  EXPECT_TRUE(red[0] > blue[0] + 80 && blue[2] > red[2] + 80);
}

}  // namespace
