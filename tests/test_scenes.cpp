// The game's scripted scenes on the real levels of the run directory: the
// rescue scene, the boss level with its ghost-house door, the boss's defeat,
// the walk-out and the ending; and a picture of each kind of frame.
#include <gtest/gtest.h>

#include "actors/ghost.h"
#include "actors/player.h"
#include "game/game_objects.h"
#include "game/game_values.h"
#include "platform/gl.h"
#include "render/hud_values.h"
#include "support/frame_pixels.h"
#include "support/game_session.h"
#include "world/level.h"

namespace {

namespace fs = std::filesystem;

class Scenes : public test::GameSession {
 protected:
  void SetUp() override {
    const fs::path run = GLUMBO_RUN_DIR;
    if (!fs::exists(run / "pantallas" / "paredes58.txt")) GTEST_SKIP() << "no game data in " << run;
    for (const char* folder : {"pantallas", "texturas", "sonidos"})
      fs::copy(run / folder, dir.path() / folder, fs::copy_options::recursive);
    StartGame(640, 480, 7);
  }
  // Steps while in a state, at most `seconds`, until `done` holds; whether it came to hold.
  template <typename F>
  bool StepUntil(int state, double seconds, F done) {
    for (double t = 0; t < seconds && GameState == state; t += 2.0 / 70.0)
      if (Step(2.0), done()) return true;
    return false;
  }
  void Load(int n) { level->SetLevelNumber(n), GameState = StateLoadLevel, Step(1.0); }
  // Draws the current state and keeps the picture; true when it is more than
  // one colour (over 5000 pixels unlike the corner).
  bool Picture(const std::string& name) {
    RenderFrame(), test::SaveFramebufferPng(test::PicturePath(name + ".png"), 640, 480);
    const test::FramePixels frame(640, 480);
    const std::uint8_t* first = frame.At(0, 0);
    return frame.Count([&](const std::uint8_t* p) { return p[0] != first[0] || p[1] != first[1] || p[2] != first[2]; }) > 5000;
  }
};

// Levels damaged into having no doors: the scenes that open door 0 go on without it.
TEST_F(Scenes, RescueWalkOutAndEndingGoOnInLevelsWithoutDoors) {
  for (const char* file : {"paredes58.txt", "paredes100.txt", "final.txt"}) fs::remove(dir.path() / "pantallas" / file);
  Load(58);
  ASSERT_EQ(std::pair(GameState, level->doorCount), std::pair(StateRescueScene, 0));
  StepUntil(StateRescueScene, 240.0, [] { return false; });
  ASSERT_EQ(std::pair(GameState, level->LevelNumber()), std::pair(StateLevelMap, 100));
  Load(100);
  boss->SetLives(-1), GameState = StatePlaying, Step(1.0);
  ASSERT_TRUE(RunUntil(StateEnding, 20.0));
  StepUntil(StateEnding, 240.0, [] { return false; });
  EXPECT_EQ(GameState, StateMenu);
}

TEST_F(Scenes, BossLevelOpensTheGhostHouseOneSecondInEleven) {
  Load(100);
  ASSERT_EQ(GameState, StateLevelIntro);
  EXPECT_TRUE(bossActive && activeGhostCount == 8 && boss->GetLives() == 4);
  ASSERT_TRUE(RunUntil(StatePlaying, 10.0));
  player->Stop(), player->SetLives(50);  // the ghosts may catch it; the door's clock is what is watched
  double open = 0, total = 0;
  for (double t = 0; t < 22.0; t += 1.0 / 70.0) {
    if (GameState == StatePlaying) total += 1.0 / 70.0, open += ghosts[0]->grid.doorOpen ? 1.0 / 70.0 : 0.0;
    if (GameState == StateLevelIntro) ghosts[0]->SetDoorOpen(false);  // only the play clock is measured
    Step(1.0);
  }
  ASSERT_GT(total, 10.0);
  EXPECT_NEAR(open / total, 1.0 / 11.0, 0.05);
}

TEST_F(Scenes, BeatenBossFadesOutThenTheWalkOutAndTheEndingLeadBackToTheMenu) {
  Load(100);
  ASSERT_TRUE(RunUntil(StatePlaying, 10.0));
  EXPECT_TRUE(Picture("scene_boss_level"));
  boss->SetLives(-1), Step(1.0);
  ASSERT_EQ(GameState, StateBossDefeated);
  float r0, g0, b0, r1, g1, b1;
  boss->GetColour(r0, g0, b0);
  ASSERT_TRUE(RunUntil(StateWalkOut, 10.5));
  boss->GetColour(r1, g1, b1);
  EXPECT_TRUE(r1 <= r0 && g1 <= g0 && b1 < b0) << "every channel fades";
  ASSERT_TRUE(RunUntil(StateEnding, 60.0));
  EXPECT_GE(level->LevelNumber(), 1000);
  ASSERT_TRUE(StepUntil(StateEnding, 120.0, [] { return textScrollY > 0.0f; })) << "no credits";
  EXPECT_TRUE(Picture("scene_ending_credits"));
  StepUntil(StateEnding, 120.0, [] { return false; });
  EXPECT_EQ(GameState, StateMenu);
}

TEST_F(Scenes, EveryKindOfFrameDrawsMoreThanABlankScreenAndTheMenusCullingHidesNeitherMazeNorMap) {
  for (int i = 0; i < 5; ++i) Step(1.0, /*render=*/true);  // the menu, as at every start
  EXPECT_TRUE(Picture("scene_menu"));
  Load(1);
  ASSERT_TRUE(RunUntil(StatePlaying, 10.0));
  for (int i = 0; i < 3; ++i) Step(1.0, true);  // the HUD switches culling on
  EXPECT_TRUE(Picture("scene_play"));
  // The lit floor tiles, where green clearly leads, show despite the menu's
  // front-face culling; so does the map.
  const auto green = [](const std::uint8_t* p) { return p[1] > p[0] + 30 && p[1] > p[2] + 30; };
  EXPECT_GT(test::FramePixels(640, 480).Count(green), 32000) << "a tenth of the screen";
  GameState = StateLevelMap;
  EXPECT_TRUE(Picture("scene_level_map_after_play"));
  GameState = StatePlaying;
  Press('P'), Step(1.0);
  ASSERT_EQ(GameState, StatePaused);
  EXPECT_TRUE(Picture("scene_pause"));
  GameState = StateGameOver;
  for (int i = 0; i < 200; ++i) Step(2.0);
  EXPECT_GT(textScrollY, -1.1f);
  EXPECT_TRUE(Picture("scene_game_over"));
  // Codes without a scene leave the frame as it was.
  glClearColor(0.2f, 0.4f, 0.6f, 1.0f), glClear(GL_COLOR_BUFFER_BIT);
  for (int code : {StateNewGame, 10, StateLoadLevel}) {
    GameState = code, RenderFrame();
    std::uint8_t p[3];
    test::ReadPixel(320, 240, p);
    EXPECT_TRUE(std::abs(p[0] - 51) <= 2 && std::abs(p[2] - 153) <= 2) << code << ": " << int(p[0]) << "," << int(p[2]);
  }
}

}  // namespace
