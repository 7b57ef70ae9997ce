// The heads-up pass on a real context: life icons and the pause text.
#include <gtest/gtest.h>

#include <memory>

#include "actors/ghost.h"
#include "actors/player.h"
#include "app/game_window.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "render/bitmap_font.h"
#include "render/hud.h"
#include "render/hud_values.h"
#include "render/radar.h"
#include "support/frame_pixels.h"
#include "support/test_support.h"
#include "world/level.h"
#include "world/world_graphics.h"

namespace {

constexpr int kW = 640, kH = 480;

int PixelX(float x) { return static_cast<int>((x + 1.0f) / 2.0f * kW); }
int PixelY(float y) { return static_cast<int>((y + 1.0f) / 2.0f * kH); }
bool Yellow(const std::uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] < 60; }
bool Blue(const std::uint8_t* p) { return p[2] > 200 && p[0] < 60 && p[1] < 60; }
using Pass = test::PixelTest;

class Hud : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(context.ok());
    GameWindow window;
    window.InitGLState(), window.ResizeView(kW, kH), BuildBitmapFont();
    worldGraphicsEnabled = false;  // a level without its texture files
    theLevel = std::make_unique<Level>(2);
    level = theLevel.get(), player = &thePlayer, boss = &theBoss, radar = &theRadar;
    GameState = StatePlaying, textScrollY = kTextHidden;
  }
  void TearDown() override { level = nullptr, player = nullptr, boss = nullptr, radar = nullptr, DeleteBitmapFont(); }
  // Clears, draws and reads the picture back; the play scene leaves additive blending on.
  void Draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT), glEnable(GL_BLEND), DrawHud();
    frame = std::make_unique<test::FramePixels>(kW, kH);
  }
  // Runs of pixels along a row that pass the test: one per icon.
  std::vector<int> RunCentres(int y, Pass pass) const {
    std::vector<int> centres;
    for (int x = 0, start = -1; x <= kW; ++x)
      if (const bool on = x < kW && pass(frame->At(x, y)); on && start < 0) start = x;
      else if (!on && start >= 0) centres.push_back((start + x - 1) / 2), start = -1;
    return centres;
  }
  test::GLContext context{kW, kH};
  std::unique_ptr<Level> theLevel;
  Player thePlayer{true};
  Ghost theBoss{kBossId};
  Radar theRadar;
  std::unique_ptr<test::FramePixels> frame;
};

TEST_F(Hud, OneLifeIconPerLifeAndBossLivesOnLevelsOneHundredToOneNinetyNineOnly) {
  thePlayer.SetLives(4), theBoss.SetLives(3);
  for (int number : {99, 100, 199, 200}) {
    theLevel->SetLevelNumber(number), Draw();
    const auto icons = RunCentres(PixelY(-0.5f), Yellow), bossIcons = RunCentres(PixelY(-0.3f), Blue);
    ASSERT_EQ(icons.size(), 4u);
    EXPECT_TRUE(std::abs(icons.front() - PixelX(0.6f)) <= 2 && std::abs(icons.back() - PixelX(0.9f)) <= 2);
    EXPECT_EQ(bossIcons.size(), number >= 100 && number <= 199 ? 3u : 0u) << number;
    EXPECT_TRUE(bossIcons.empty() || std::abs(bossIcons.back() - PixelX(0.6f + 0.075f * 2)) <= 2);
  }
  ASSERT_TRUE(test::SaveFramebufferPng(test::PicturePath("hud_play.png"), kW, kH));
  thePlayer.SetLives(0), Draw();
  EXPECT_TRUE(RunCentres(PixelY(-0.5f), Yellow).empty());
  // Spinning: a quarter turn shows the icons edge on.
  thePlayer.SetLives(4), hudSpin = 90, Draw();
  EXPECT_LT(frame->Count(PixelX(0.55f), PixelY(-0.55f), PixelX(0.95f), PixelY(-0.45f), Yellow), 4 * 30);
}

// "PAUSA" blinks while paused, and never shows in play.
TEST_F(Hud, PauseTextOnlyWhilePausedAndLit) {
  for (auto [state, blink] : {std::pair{StatePaused, true}, {StatePaused, false}, {StatePlaying, true}}) {
    GameState = state, pauseBlink = blink, Draw();
    const int ink = frame->Count(PixelX(-0.2f), PixelY(0.4f) - 6, PixelX(0.3f), PixelY(0.4f) + 16,
                                 [](const std::uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; });
    EXPECT_EQ(ink > 50, state == StatePaused && blink) << state << " " << blink << ": " << ink;
  }
}

}  // namespace
