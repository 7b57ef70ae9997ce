// A whole game run in-process on a data folder the test fills, stepped frame
// by frame on a clock the test owns.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/frame_clock.h"
#include "app/game_window.h"
#include "app/key_state.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "game/game_state.h"
#include "game/game_step.h"
#include "game/state_handlers.h"
#include "game/state_values.h"
#include "render/render_frame.h"
#include "support/test_support.h"

namespace test {

class GameSession : public ::testing::Test {
 protected:
  // Starts the game in dir, which the test has filled with the game's data.
  void StartGame(int width, int height, int seed) {
    cwd = std::make_unique<ScopedCwd>(dir.path());
    GameWindow::openHidden = true;
    settingsPath = dir.File("config.dat");
    screenWidth = width, screenHeight = height;
    SetClockSource([this] { return now; });
    ResetFrameClock();
    ResetStateValues();
    ResetDispatch();
    SetStartupSeed(true, seed);
    ASSERT_TRUE(started = Startup());
    Step(0.0);  // the first step of the process is near 0
  }
  void TearDown() override {
    if (started) Shutdown();
    SetClockSource(nullptr), settingsPath = "config.dat";
  }
  // One pass of the main loop with a frame step of dt ticks.
  void Step(double dt, bool render = false) {
    if (render || renderEveryStep) RenderFrame();
    if (GameState > 10) HandlePlayKeys();
    now += dt / 70.0;
    GameStep();
  }
  // Runs frames until the state is reached or the time (seconds of game time) runs out.
  bool RunUntil(int state, double seconds, double dt = 2.0) {
    for (double t = 0; t < seconds && GameState != state; t += dt / 70.0) Step(dt);
    return GameState == state;
  }
  void RunSeconds(double seconds, double dt = 2.0) {
    for (double t = 0; t < seconds; t += dt / 70.0) Step(dt);
  }
  static void Press(int vk) { KeyState[vk] = KeyPressed; }

  TempDir dir;
  std::unique_ptr<ScopedCwd> cwd;
  double now = 100.0;
  bool started = false, renderEveryStep = false;
};

}  // namespace test
