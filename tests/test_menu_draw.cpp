// The menu scene drawn on a real context: both pages, the record screen and
// the table of records as pictures for people to look at, the letters where
// they belong, the attract scene and the state the menu leaves behind.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "actors/ghost.h"
#include "actors/player.h"
#include "app/game_window.h"
#include "app/key_state.h"
#include "app/settings.h"
#include "game/game_state.h"
#include "game/record_entry.h"
#include "game/records_file.h"
#include "platform/gl.h"
#include "render/menu.h"
#include "render/records_screen.h"
#include "support/frame_pixels.h"
#include "support/gl_views.h"

namespace {

constexpr int kW = 640, kH = 480;

struct Counts { int pixels = 0, red = 0, blue = 0, any = 0; };  // red or blue: clearly above the other

class MenuScene : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(context.ok());
    screenWidth = kW, screenHeight = kH;
    GameWindow window;
    window.InitGLState(), window.ResizeView(kW, kH);
    const float colours[4][3] = {{1, 0, 0}, {1, 0.5f, 0.8f}, {0, 1, 1}, {1, 0.6f, 0}};
    for (int i = 0; i < 4; ++i)
      (ghosts[i] = std::make_unique<Ghost>(i))->SetColour(colours[i][0], colours[i][1], colours[i][2]),
          m.ghosts[i] = ghosts[i].get();
    m.player = &runner, m.BuildOutlineFont();
    ASSERT_NE(m.outlineBase, 0u);
  }
  // Draws the scene, keeps its picture and reads it back.
  void Draw(const std::string& picture) {
    m.DrawMenuScene(), frame = std::make_unique<test::FramePixels>(kW, kH);
    ASSERT_TRUE(test::SaveFramebufferPng(test::PicturePath(picture), kW, kH));
  }
  // The pixels on screen of a world-space rectangle at depth z, after the menu's projection.
  Counts In(float left, float bottom, float right, float top, float z) const {
    const test::Projection v;
    GLdouble ax, ay, az, bx, by, bz;
    gluProject(left, bottom, z, v.modelview, v.projection, v.viewport, &ax, &ay, &az);
    gluProject(right, top, z, v.modelview, v.projection, v.viewport, &bx, &by, &bz);
    Counts c;
    frame->Count(int(ax), int(ay), int(bx), int(by), [&](const std::uint8_t* p) {
      ++c.pixels, c.any += p[0] + p[1] + p[2] > 30;
      c.red += p[0] > 40 && p[0] > p[2] + 20, c.blue += p[2] > 40 && p[2] > p[0] + 20;
      return false;
    });
    return c;
  }
  // Half the width of a line as PrintOutline lays it, centred on x = 0.
  float Half(const char* text) const { return m.OutlineTextWidth(text) / 2; }

  test::GLContext context{kW, kH};
  Player runner{true};
  std::unique_ptr<Ghost> ghosts[4];
  Menu m;
  std::unique_ptr<test::FramePixels> frame;
};

TEST_F(MenuScene, MainPageShowsItsTitleAndCentredLinesAndTheChase) {
  m.runnerX = -4.0f, Draw("menu_main.png");
  const float h = Half("Super Glumbo 3D"), n = Half("Nuevo Juego");
  const Counts title = In(-h, 3.0f, h, 3.7f, -10.0f);
  EXPECT_TRUE(title.red > title.pixels / 8 && title.blue == 0) << "the title is lit in its red";
  EXPECT_EQ(In(-h, 3.9f, h, 4.1f, -10.0f).any, 0) << "nothing above the title";
  // A space has no outline: from the dashes' tops to above the letters, the
  // title's two spaces stay dark (the letters' side walls may reach in a little).
  const float space = m.OutlineTextWidth(" ");
  for (int at : {5, 12}) {
    const float left = -h + at * space;
    EXPECT_EQ(In(left + 0.12f, 2.86f, left + space - 0.12f, 3.7f, -10.0f).any, 0) << "space at " << at;
  }
  const Counts line = In(-n, 1.0f, n, 1.7f, -10.0f);
  EXPECT_GT(line.blue, line.pixels / 10) << "a selectable line in its blue";
  EXPECT_EQ(In(n + 0.3f, 1.0f, n + 2.0f, 1.7f, -10.0f).any, 0) << "where a left-aligned line would reach";
  // The runner at x -4 and the first ghost five units behind it.
  EXPECT_GT(In(-4.4f, -3.4f, -3.6f, -2.6f, -12.0f).any, 20) << "the player";
  EXPECT_GT(In(0.6f, -3.0f, 1.4f, -2.4f, -12.0f).red, 20) << "ghost 0 in red";
}

TEST_F(MenuScene, OptionsPageShowsLabelsAndValuesAndTheMenuLeavesFrontFaceCullingOffAndItsOwnProjection) {
  m.page = 1, m.selected = 3, m.spin = 30.0f, m.texturesOn = false, Draw("menu_options.png");
  const float h = Half("Opciones"), l = Half("Texturas:  "), v = Half("   OFF");
  const Counts title = In(-h, 3.0f, h, 3.7f, -10.0f);
  EXPECT_GT(title.red, title.pixels / 8);
  // "Texturas:  " in blue, then its value centred on the label's right end in red.
  const Counts label = In(-l, 2.0f, l - 0.8f, 2.7f, -13.0f);
  EXPECT_TRUE(label.blue > label.pixels / 12 && label.red == 0);
  const Counts value = In(l - v + 0.3f * 3 * 0.9f, 2.0f, l + v, 2.7f, -13.0f);
  EXPECT_GT(value.red, value.pixels / 12) << "the OFF value";
  // Front faces culled but culling switched off for the ghosts, and left so;
  // no blending or textures; depth writes on; the modelview stack as found.
  GLint mode = 0, depth = 0;
  GLboolean depthWrites = GL_FALSE;
  glGetIntegerv(GL_CULL_FACE_MODE, &mode), glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_EQ(std::tuple(mode, bool(glIsEnabled(GL_CULL_FACE)), bool(glIsEnabled(GL_BLEND)), bool(glIsEnabled(GL_TEXTURE_2D)),
                       bool(depthWrites), depth, glGetError()),
            std::tuple(GL_FRONT, false, false, false, true, 1, GLenum(GL_NO_ERROR)));
  // The projection keeps the proportions of the window as it is now, whatever
  // the settings ask for, and a zero height is never divided by.
  // Perspective of 45 degrees: p[5] = 1 / tan(22.5), p[0] = p[5] / aspect.
  GLfloat p[16];
  GameWindow resized;
  resized.ResizeView(800, 400), m.DrawMenuScene(), glGetFloatv(GL_PROJECTION_MATRIX, p);
  EXPECT_TRUE(std::abs(p[5] - 2.41421f) < 1e-3 && std::abs(p[0] - 2.41421f / 2) < 1e-3) << p[5] << " " << p[0];
  glViewport(0, 0, 640, 0), m.DrawMenuScene(), glGetFloatv(GL_PROJECTION_MATRIX, p);
  EXPECT_TRUE(std::isfinite(p[0]));
  resized.ResizeView(kW, kH);
}

TEST_F(MenuScene, RecordScreenAndTableOfRecordsInTheMenusLettersAndColours) {
  GameState = StateRecordEntry;
  pendingRecord.points = 335;
  recordEntry = RecordEntry();
  for (int vk : {int{'N'}, VkLeft, VkUp, VkRight}) recordEntry.Press(vk);  // Ñ, then on to the second letter
  m.runnerX = -4.0f, Draw("records_entry.png");
  const float t = Half(kNewRecordTitle), letter = Half("A");
  const Counts title = In(-t, 3.0f, t, 3.7f, -10.0f), first = In(-1.2f - letter, -0.5f, -1.2f + letter, 0.4f, -10.0f),
               second = In(-letter, -0.5f, letter, 0.2f, -10.0f);
  EXPECT_TRUE(title.red > title.pixels / 8 && title.blue == 0) << "the title in red";
  EXPECT_TRUE(first.blue > first.pixels / 10 && first.red == 0) << "a letter set, in blue";
  EXPECT_TRUE(second.red > second.pixels / 20 && second.blue == 0) << "the letter being set, in red";
  EXPECT_GT(In(-4.4f, -3.4f, -3.6f, -2.6f, -12.0f).any, 20) << "the chase goes on behind";

  GameState = StateMenu;
  const RecordTable kept = recordTable;
  recordTable = {Record{900, {'A', 'N', 'A'}, 7, "2026-12-01"}, Record{335, {'\xD1', 'O', 'E'}, 1, "2026-12-07"}};
  m.ShowRecords(1), Draw("records_table.png");
  const float row = Half(" 1. ANA     900      7");
  const Counts top = In(-row, 2.9f, row, 3.5f, -20.0f), marked = In(-row, 1.9f, row, 2.5f, -20.0f);
  EXPECT_TRUE(top.blue > top.pixels / 20 && top.red == 0) << "a line of the table in blue";
  EXPECT_GT(marked.red, marked.pixels / 40) << "the new record in red";
  EXPECT_EQ(In(0.6f, -3.0f, 1.4f, -2.4f, -12.0f).any, 0) << "no chase in front of the table (ghost 0)";
  recordTable = kept, m.showingRecords = false;
}

TEST_F(MenuScene, TheRunnerPowersUpAtTheLeftTurnAndDownAtTheRight) {
  m.runnerX = -19.99f, m.UpdateMenu(1.0);
  EXPECT_GT(runner.lightIntensity, 0.0f) << "SetLight(true) reached the player";
  m.runnerX = 10.01f, m.UpdateMenu(0.0);
  EXPECT_TRUE(runner.lightIntensity == 0.0f && !runner.powered) << "and SetLight(false) at the right end";
  const float mouthBefore = runner.mouth;
  EXPECT_NE((m.UpdateMenu(3.0), runner.mouth), mouthBefore) << "the mouth is animated";
}

}  // namespace
