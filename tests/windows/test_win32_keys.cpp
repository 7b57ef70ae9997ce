// Quick taps through the window's real key messages: where frames are slow, a
// key's down and up both come between two frames, and the press must still be
// seen by exactly one frame.
#include <gtest/gtest.h>

#include <vector>

#include "app/game_window.h"
#include "app/key_state.h"
#include "windows/win_test_support.h"

namespace {

TEST(Win32Keys, ATapBetweenTwoFramesIsSeenByExactlyOneFrame) {
  GameWindow game;
  ASSERT_TRUE(game.CreateGameWindow("Glumbo 3D", 640, 480, 16, false));
  gameWindow = &game;
  wintest::Pump(*game.GetDeviceContext());
  struct Step { bool down, repeat; };
  const struct { const char* name; std::vector<Step> steps; int after; } cases[] = {
      {"tap", {{true, false}, {false, false}}, KeyUp},
      {"tap with auto-repeat", {{true, false}, {true, true}, {true, true}, {false, false}}, KeyUp},
      {"tap, then held down again", {{true, false}, {false, false}, {true, false}}, KeyHandled},
  };
  for (int vk : {VkSpace, static_cast<int>('P'), VkEscape}) {
    for (const auto& c : cases) {
      ResetKeyState();
      for (const Step& s : c.steps) platform::PushKeyEvent(vk, s.down, s.repeat);
      wintest::Pump(*game.GetDeviceContext());
      int presses = 0;
      for (int frame = 0; frame < 3; ++frame) {  // each frame takes a waiting press
        if (KeyState[vk] == KeyPressed) ++presses, KeyState[vk] = KeyHandled;
        KeysSeenByFrame();
      }
      EXPECT_EQ(presses, 1) << c.name << ", key " << vk;
      EXPECT_EQ(KeyState[vk], c.after) << c.name << ", key " << vk;
    }
  }
  game.DestroyGameWindow();
  gameWindow = nullptr;
}

}  // namespace
