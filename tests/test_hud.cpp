// The heads-up pass and the screen texts on a real context.
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
bool White(const std::uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; }
bool Red(const std::uint8_t* p) { return p[0] > 200 && p[1] < 60 && p[2] < 60; }
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
  void Draw(void (*draw)() = [] { glEnable(GL_BLEND), DrawHud(); }) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT), draw();
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
  // Pixels in the band of one text line.
  int Line(float y, Pass pass, int below = 6, int above = 16) const {
    return frame->Count(PixelX(-0.2f), PixelY(y) - below, PixelX(0.3f), PixelY(y) + above, pass);
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

TEST_F(Hud, RadarDiscSweepAndOnlyTheFirstFourBlips) {
  theRadar.blips[0] = {true, 0.1f, 0.0f, 1, 0, 0, 1};
  theRadar.blips[5] = {true, -0.1f, 0.0f, 1, 0, 0, 1};
  theRadar.sweep = 180, Draw();
  const std::uint8_t* disc = frame->At(PixelX(0.78f), PixelY(-0.68f));
  EXPECT_TRUE(disc[1] > 30 && disc[0] < 10) << "translucent green";
  EXPECT_TRUE(Red(frame->At(PixelX(0.88f), PixelY(-0.78f))));
  EXPECT_FALSE(Red(frame->At(PixelX(0.68f), PixelY(-0.78f)))) << "ghost 5 is never on the radar";
  // The sweep wedge doubles the green just anticlockwise of its line.
  EXPECT_GT(frame->At(PixelX(0.63f), PixelY(-0.80f))[1], frame->At(PixelX(0.80f), PixelY(-0.63f))[1] + 20);
  EXPECT_EQ(frame->At(PixelX(0.5f), PixelY(-0.78f))[1], 0) << "outside the disc";
}

TEST_F(Hud, PauseTextOnlyWhilePausedAndBlinkingGameOverFollowsTheScroll) {
  for (auto [state, blink] : {std::pair{StatePaused, true}, {StatePaused, false}, {StatePlaying, true}}) {
    GameState = state, pauseBlink = blink, Draw();
    const int ink = Line(0.4f, White);
    EXPECT_TRUE(state == StatePaused && blink ? ink > 50 : ink == 0) << state << " " << blink << ": " << ink;
  }
  GameState = StateGameOver, textScrollY = 0.1f, Draw();
  EXPECT_TRUE(Line(0.1f, White) > 50 && Line(0.02f, White, 2, 10) > 20) << "GAME OVER and the rule below it";
  textScrollY = kTextHidden, Draw();
  EXPECT_EQ(frame->Count(White), 0);
}

TEST_F(Hud, CreditsScrollInTheirColours) {
  textScrollY = 0.5f, Draw(DrawCredits);
  ASSERT_TRUE(test::SaveFramebufferPng(test::PicturePath("credits.png"), kW, kH));
  auto band = [&](float line, Pass pass) { return frame->Count(0, PixelY(line) - 5, kW - 1, PixelY(line) + 14, pass); };
  const std::tuple<float, Pass, int, const char*> lines[] = {
      {0.5f, White, 50, "Creado por:"}, {0.3f, Blue, 100, "first author line"}, {0.2f, Blue, 100, "second author line"},
      {-0.2f, White, 50, "Gracias por jugar"}, {-0.3f, Yellow, 10, "FIN"}};
  for (auto [line, colour, least, what] : lines) EXPECT_GT(band(line, colour), least) << what;
  EXPECT_EQ(band(-0.3f, White), 0);
  // The author lines start right of the centre: at the smallest window they
  // must end before its right edge rather than be cut by it.
  EXPECT_EQ(frame->Count(kW - 24, PixelY(0.2f) - 5, kW - 1, PixelY(0.3f) + 14, Blue), 0);
  textScrollY = kTextHidden, Draw(DrawCredits);
  EXPECT_EQ(frame->Count([](const std::uint8_t* p) { return p[0] + p[1] + p[2] > 0; }), 0);
}

TEST_F(Hud, TheCallForHelpHangsAboveThePartnerInTheLastColour) {
  Player helper(false);
  helper.SetPosition(0.0f, -1.0f, 0.0f), partner = &helper;
  glMatrixMode(GL_PROJECTION), glLoadIdentity(), glMatrixMode(GL_MODELVIEW);
  Draw([] { glColor4f(1, 0, 0, 1), DrawHelpCall(); });
  partner = nullptr;
  // One unit above the partner is the screen's middle here.
  EXPECT_GT(frame->Count(PixelX(-0.15f), PixelY(0) - 3, PixelX(-0.15f) + 7 * 11, PixelY(0) + 14, Red), 40);
  EXPECT_EQ(frame->Count(White), 0);
}

}  // namespace
