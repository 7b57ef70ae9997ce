// The menu's keys, pages, slide and settings, driven through the key table.
#include <gtest/gtest.h>

#include "app/key_state.h"
#include "app/settings.h"
#include "game/game_state.h"
#include "render/menu.h"

class MenuKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetKeyState();
    GameState = StateMenu;
    screenWidth = 640, screenHeight = 480;
  }
  // One press of a key followed by one menu frame; the line selected after it.
  int Press(int vk, double step = 1.0) {
    KeyState[vk] = KeyPressed;
    m.UpdateMenu(step);
    return m.selected;
  }
  // Frames until the text has stopped sliding.
  void SlideToRest() {
    for (int frames = 0; frames < 10000 && (frames == 0 || m.slideSpeed != 0.0f); ++frames) m.UpdateMenu(1.0);
  }
  Menu m;
};

TEST_F(MenuKeys, OptionsToggleCycleAndResolutionSteps) {
  Press(VkDown), Press(VkSpace);
  SlideToRest();
  // Each line in turn: the value after each of a few presses of Space.
  const auto presses = [&](int n, auto value) {
    std::vector<int> seen;
    for (int i = 0; i < n; ++i) Press(VkSpace), seen.push_back(value());
    Press(VkDown);
    return seen;
  };
  const auto size = [] { return screenWidth * 10000 + screenHeight; };
  const std::vector<int> offOn = {0, 1};
  EXPECT_EQ(presses(2, [&] { return int(m.texturesOn); }), offOn);
  EXPECT_EQ(presses(4, [&] { return m.detailSetting; }), (std::vector<int>{0, 1, 2, 0}));
  EXPECT_EQ(presses(2, [&] { return int(m.cullingOn); }), offOn);
  EXPECT_EQ(presses(5, size), (std::vector<int>{8000600, 10240768, 3200240, 6400480, 8000600}));
  Press(VkUp);
  screenWidth = 1280, screenHeight = 1024;  // a size the page does not offer goes back to the first
  EXPECT_EQ(presses(1, size), std::vector<int>{3200240});
  EXPECT_EQ(presses(2, [&] { return int(m.windowed); }), offOn);
  EXPECT_TRUE(m.page == 1 && GameState == StateMenu);
}
