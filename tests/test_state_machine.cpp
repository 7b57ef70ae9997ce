// The whole game stepped frame by frame, from start-up, on small levels the
// tests write: each transition of the game's states.
#include <gtest/gtest.h>

#include "actors/ghost.h"
#include "actors/player.h"
#include "game/game_objects.h"
#include "game/game_values.h"
#include "render/camera.h"
#include "render/hud_values.h"
#include "support/game_session.h"
#include "support/level_files.h"
#include "world/level.h"

// A corridor from the player's start to a portal door that two coins open and
// that leads to level 5; the ghosts' home is walled in, so they never come out.
const test::Grid kPortalWalls = {{9, 9, 9, 9, 9, 9, 9, 9, 9}, {9, 37, 0, 0, 0, 0, 28, 0, 9}, {9, 9, 9, 9, 9, 9, 9, 9, 9},
                                  {9, 9, 9, 9, 36, 9, 9, 9, 9}, {9, 9, 9, 9, 9, 9, 9, 9, 9}};

// An open room where the ghosts start near the player: they catch it.
const test::Grid kRoomWalls = {
    {9, 9, 9, 9, 9, 9, 9}, {9, 37, 0, 0, 0, 36, 9}, {9, 0, 0, 0, 0, 0, 9}, {9, 0, 0, 0, 0, 0, 9}, {9, 9, 9, 9, 9, 9, 9}};

class WholeGame : public test::GameSession {
 protected:
  void SetUp() override {
    test::WriteGameTextures(dir.path());
    test::Grid coins = test::EmptyGrid(kPortalWalls);
    coins[1][2] = coins[1][3] = 1;
    test::WriteLevelFiles(dir.path(), 1, kPortalWalls, coins, "\nN the entry line; its numbers follow\n2 5\n");
    test::WriteLevelFiles(dir.path(), 5, kRoomWalls, test::EmptyGrid(kRoomWalls));
    renderEveryStep = true;
    StartGame(320, 240, 1);
  }
  // The state after one frame of dt ticks, or after some seconds of frames.
  int StateAfterStep(double dt) { return Step(dt), GameState; }
  int StateAfterSeconds(double seconds) { return RunSeconds(seconds), GameState; }
  int NewGame() { return GameState = StateNewGame, StateAfterStep(1.0); }
  // From a new game to play on level 1.
  void StartPlaying() {
    ASSERT_EQ(NewGame(), StateLevelMap);
    RunSeconds(2.1);
    Press(VkSpace);
    ASSERT_TRUE(RunUntil(StateLoadLevel, 1.0));
    KeyState[VkSpace] = KeyUp;
    ASSERT_TRUE(RunUntil(StatePlaying, 10.0));
  }
};

TEST_F(WholeGame, NewGameResetsAndTheMapWaitsTwoSecondsForAKeyOrTenWithout) {
  player->SetLives(-1);
  extraLifePoints = 700;
  NewGame();
  // Level 1 visited, the centre of the map hidden.
  EXPECT_EQ(std::tuple(GameState, player->GetLives(), extraLifePoints, level->LevelNumber(), LevelMapMarks[0][2],
                       LevelMapMarks[1][1]), std::tuple(StateLevelMap, 2, 0, 1, 1, -1));
  Press(VkSpace);  // held from the start: counts only after 2 s
  EXPECT_EQ(StateAfterSeconds(1.9), StateLevelMap);
  EXPECT_GT(mapZoom, 0.0f);
  ASSERT_TRUE(RunUntil(StateLoadLevel, 0.3));
  EXPECT_EQ(std::pair(KeyState[VkSpace], mapZoom), std::pair(KeyPressed, 0.0f));  // the press is not consumed
  KeyState[VkSpace] = KeyUp;
  Step(2.0);
  EXPECT_EQ(std::tuple(GameState, activeGhostCount, bossActive), std::tuple(StateLevelIntro, 4, false));
  ASSERT_TRUE(RunUntil(StatePlaying, 10.0));
  // Without any key the map goes on after ten seconds.
  NewGame();
  EXPECT_EQ(StateAfterSeconds(9.8), StateLevelMap);
  EXPECT_TRUE(RunUntil(StateLoadLevel, 0.5));
}

TEST_F(WholeGame, PortalDoorFadesTheLightsAndShowsTheMapForItsLevel) {
  StartPlaying();
  Press(VkRight);  // overhead camera: absolute steering
  ASSERT_TRUE(RunUntil(StateLevelExit, 30.0));
  EXPECT_TRUE(level->LevelNumber() == 5 && level->coins->count == 2);
  EXPECT_EQ(StateAfterSeconds(4.8), StateLevelExit);
  ASSERT_TRUE(RunUntil(StateLevelMap, 0.5));
  Step(1.0);
  EXPECT_EQ(LevelMapMarks[2][0], 1) << "the next level's cell, marked on the first frame of the visit";
  Press('X');
  ASSERT_TRUE(RunUntil(StateLoadLevel, 3.0));
  KeyState['X'] = KeyUp;
  Step(1.0);
  EXPECT_TRUE(level->LevelNumber() == 5 && level->walls.width == 7);
}

TEST_F(WholeGame, CaughtSpinsThenReturnsWithALifeLessOrEndsTheGame) {
  level->SetLevelNumber(5);
  GameState = StateLoadLevel;
  Step(1.0);
  ASSERT_TRUE(RunUntil(StatePlaying, 10.0));
  ASSERT_TRUE(RunUntil(StateCaught, 30.0));
  const int livesBefore = player->GetLives();
  Step(1.0);
  EXPECT_EQ(std::tuple(GameState, player->GetLives(), camera->GetMode()), std::tuple(StateDying, livesBefore - 1, 3));
  EXPECT_EQ(StateAfterSeconds(5.5), StateDying);
  ASSERT_TRUE(RunUntil(StateLevelIntro, 1.5));
  // The last life: the spin ends in the game over, and the menu follows after 10 s.
  ASSERT_TRUE(RunUntil(StatePlaying, 10.0));
  player->SetLives(0);
  ASSERT_TRUE(RunUntil(StateCaught, 30.0));
  ASSERT_TRUE(RunUntil(StateGameOver, 8.0));
  EXPECT_EQ(player->GetLives(), -1);
  Step(1.0);
  EXPECT_NEAR(textScrollY, -1.1 + 0.003, 1e-4);
  EXPECT_EQ(StateAfterSeconds(9.5), StateGameOver);
  EXPECT_TRUE(RunUntil(StateMenu, 1.0));
}

TEST_F(WholeGame, ExtraLifeOnlyAboveAThousandPointsOnePerFrameAndRelativeSteering) {
  StartPlaying();
  const int lives = player->GetLives();
  // Points set before a frame (0: left as they are), then the points and lives gained after it.
  for (const auto& [set, points, gained] : {std::tuple{1000, 1000, 0}, {1005, 5, 1}, {2500, 1500, 2}, {0, 500, 3}}) {
    if (set) extraLifePoints = set;
    Step(1.0);
    EXPECT_EQ(std::pair(extraLifePoints, player->GetLives()), std::pair(points, lives + gained)) << "from " << set;
  }
  // The chase camera turns the arrows with it; Space cycles the cameras 1, 2, 3 and back to 1.
  camera->SetMode(1);
  player->SetDirection(0);
  for (auto [key, direction] : {std::pair{VkLeft, 3}, {VkDown, 1}}) {
    Press(key);
    EXPECT_EQ((Step(1.0), player->GetDirection()), direction);
  }
  for (int mode : {2, 3, 1}) {
    Press(VkSpace);
    EXPECT_EQ((Step(1.0), camera->GetMode()), mode);
  }
}
