// The menu scene drawn on a real context: both pages as pictures for people to
// look at, the letters where they belong, the attract scene and the cull mode
// the menu leaves behind.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "actors/ghost.h"
#include "actors/player.h"
#include "app/game_window.h"
#include "app/settings.h"
#include "platform/gl.h"
#include "render/menu.h"
#include "support/test_support.h"

namespace {

constexpr int kW = 640;
constexpr int kH = 480;

struct Box {
  int x0, y0, x1, y1;
};

// The screen box of a world-space rectangle at depth z, after the menu's projection.
Box ScreenBox(float left, float bottom, float right, float top, float z) {
  GLdouble projection[16], modelview[16];
  GLint viewport[4];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble ax, ay, az, bx, by, bz;
  gluProject(left, bottom, z, modelview, projection, viewport, &ax, &ay, &az);
  gluProject(right, top, z, modelview, projection, viewport, &bx, &by, &bz);
  return {static_cast<int>(ax), static_cast<int>(ay), static_cast<int>(bx), static_cast<int>(by)};
}

struct Counts {
  int pixels = 0;
  int red = 0;    // red clearly above blue: the titles' and values' material
  int blue = 0;   // blue clearly above red: the labels'
  int any = 0;    // anything not black
};

Counts CountIn(const std::vector<std::uint8_t>& rgb, Box b) {
  Counts c;
  for (int y = std::max(0, b.y0); y <= std::min(kH - 1, b.y1); ++y) {
    for (int x = std::max(0, b.x0); x <= std::min(kW - 1, b.x1); ++x) {
      const std::uint8_t* p = &rgb[(y * kW + x) * 3];
      ++c.pixels;
      if (p[0] + p[1] + p[2] > 30) ++c.any;
      if (p[0] > 40 && p[0] > p[2] + 20) ++c.red;
      if (p[2] > 40 && p[2] > p[0] + 20) ++c.blue;
    }
  }
  return c;
}

std::vector<std::uint8_t> Frame() {
  std::vector<std::uint8_t> rgb(kW * kH * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kW, kH, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

std::string PicturePath(const std::string& name) {
  const std::string dir = std::string(GLUMBO_BINARY_DIR) + "/pictures";
  std::filesystem::create_directories(dir);
  return dir + "/" + name;
}

class MenuScene : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(context.ok());
    screenWidth = kW;
    screenHeight = kH;
    GameWindow window;
    window.InitGLState();
    window.ResizeView(kW, kH);
    runner = std::make_unique<Player>(true);
    const float colours[4][3] = {{1, 0, 0}, {1, 0.5f, 0.8f}, {0, 1, 1}, {1, 0.6f, 0}};
    for (int i = 0; i < 4; ++i) {
      ghosts[i] = std::make_unique<Ghost>(i);
      ghosts[i]->SetColour(colours[i][0], colours[i][1], colours[i][2]);
      m.ghosts[i] = ghosts[i].get();
    }
    m.player = runner.get();
    m.BuildOutlineFont();
    ASSERT_NE(m.outlineBase, 0u);
  }
  // The width of a line as PrintOutline lays it, centred on x = 0.
  float HalfWidth(const char* text) const { return m.OutlineTextWidth(text) / 2; }

  test::GLContext context{kW, kH};
  std::unique_ptr<Player> runner;
  std::unique_ptr<Ghost> ghosts[4];
  Menu m;
};

TEST_F(MenuScene, MainPageShowsItsTitleAndLinesAndTheChase) {
  m.runnerX = -4.0f;
  m.DrawMenuScene();
  const auto rgb = Frame();
  ASSERT_TRUE(test::SaveFramebufferPng(PicturePath("menu_main.png"), kW, kH));

  const float h = HalfWidth("Super Glumbo 3D");
  const Counts title = CountIn(rgb, ScreenBox(-h, 3.0f, h, 3.7f, -10.0f));
  EXPECT_GT(title.red, title.pixels / 8) << "the title is lit in its red";
  EXPECT_EQ(title.blue, 0);
  // Nothing above the title.
  EXPECT_EQ(CountIn(rgb, ScreenBox(-h, 3.9f, h, 4.1f, -10.0f)).any, 0);

  const float n = HalfWidth("Nuevo Juego");
  const Counts line = CountIn(rgb, ScreenBox(-n, 1.0f, n, 1.7f, -10.0f));
  EXPECT_GT(line.blue, line.pixels / 10) << "a selectable line in its blue";
  // Beside the centred line, where a left-aligned one would have been: empty.
  EXPECT_EQ(CountIn(rgb, ScreenBox(n + 0.3f, 1.0f, n + 2.0f, 1.7f, -10.0f)).any, 0);

  // The runner at x -4 and the first ghost five units behind it.
  EXPECT_GT(CountIn(rgb, ScreenBox(-4.4f, -3.4f, -3.6f, -2.6f, -12.0f)).any, 20) << "the player";
  const Counts ghost = CountIn(rgb, ScreenBox(0.6f, -3.0f, 1.4f, -2.4f, -12.0f));
  EXPECT_GT(ghost.red, 20) << "ghost 0 in red";
}

TEST_F(MenuScene, OptionsPageShowsLabelsAndValues) {
  m.page = 1;
  m.selected = 3;
  m.spin = 30.0f;
  m.texturesOn = false;
  m.DrawMenuScene();
  const auto rgb = Frame();
  ASSERT_TRUE(test::SaveFramebufferPng(PicturePath("menu_options.png"), kW, kH));

  const float h = HalfWidth("Opciones");
  const Counts title = CountIn(rgb, ScreenBox(-h, 3.0f, h, 3.7f, -10.0f));
  EXPECT_GT(title.red, title.pixels / 8);
  // "Texturas:  " in blue, then its value centred on the label's right end in red.
  const float l = HalfWidth("Texturas:  ");
  const Counts label = CountIn(rgb, ScreenBox(-l, 2.0f, l - 0.8f, 2.7f, -13.0f));
  EXPECT_GT(label.blue, label.pixels / 12);
  EXPECT_EQ(label.red, 0);
  const float v = HalfWidth("   OFF");
  const Counts value = CountIn(rgb, ScreenBox(l - v + 0.3f * 3 * 0.9f, 2.0f, l + v, 2.7f, -13.0f));
  EXPECT_GT(value.red, value.pixels / 12) << "the OFF value";
}

TEST_F(MenuScene, TheMenuLeavesTheFrontFaceCullModeAndNoBlending) {
  m.DrawMenuScene();
  GLint mode = 0;
  glGetIntegerv(GL_CULL_FACE_MODE, &mode);
  EXPECT_EQ(mode, GL_FRONT);
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE)) << "switched off for the ghosts, and left so";
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_TRUE(depthWrites);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MenuScene, TheProjectionKeepsTheWindowsProportions) {
  screenWidth = 800;
  screenHeight = 400;
  m.DrawMenuScene();
  GLfloat p[16];
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  // Perspective of 45 degrees: p[5] = 1 / tan(22.5), p[0] = p[5] / aspect.
  EXPECT_NEAR(p[5], 2.41421f, 1e-3);
  EXPECT_NEAR(p[0], 2.41421f / 2.0f, 1e-3);
  screenHeight = 0;  // never divided by
  m.DrawMenuScene();
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  EXPECT_TRUE(std::isfinite(p[0]));
}

TEST_F(MenuScene, TheRunnerPowersUpAtTheLeftTurnAndDownAtTheRight) {
  m.runnerX = -19.99f;
  m.UpdateMenu(1.0);
  EXPECT_GT(runner->lightIntensity, 0.0f) << "SetLight(true) reached the player";
  EXPECT_GT(m.runnerSpeed, 0);
  m.runnerX = 10.01f;
  m.UpdateMenu(0.0);
  EXPECT_LT(m.runnerSpeed, 0);
  EXPECT_EQ(runner->lightIntensity, 0.0f) << "and SetLight(false) at the right end";
  EXPECT_FALSE(runner->powered);
  const float mouthBefore = runner->mouth;
  m.UpdateMenu(3.0);
  EXPECT_NE(runner->mouth, mouthBefore) << "the mouth is animated";
}

}  // namespace
