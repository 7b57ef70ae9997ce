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

TEST_F(MenuKeys, SelectionWrapsEachPressIsTakenOnceAndTheMainPageStartsOrQuits) {
  EXPECT_TRUE(Press(VkUp) == 2 && KeyState[VkUp] == KeyHandled);  // from "Nuevo Juego" up to "Salir"
  Press(VkSpace);
  EXPECT_TRUE(KeyState[VkEscape] == KeyPressed && GameState == StateMenu) << "Salir quits like Escape";
  EXPECT_EQ(Press(VkDown), 0);
  m.UpdateMenu(1.0);  // still held: no second step
  EXPECT_EQ(m.selected, 0);
  Press(VkSpace);
  EXPECT_TRUE(GameState == StateNewGame && KeyState[VkSpace] == KeyHandled);
  // Down wins when both arrive in one frame.
  GameState = StateMenu;
  ResetKeyState();
  KeyState[VkUp] = KeyPressed;
  EXPECT_TRUE(Press(VkDown) == 1 && KeyState[VkUp] == KeyPressed);
}

TEST_F(MenuKeys, OpcionesSlidesOutLeftSwitchesAtMinusFifteenAndStopsExactlyAtZero) {
  Press(VkDown), Press(VkSpace);
  EXPECT_FLOAT_EQ(m.slideSpeed, -0.3f);
  int frames = 0, page = 0;
  float lowest = 0;
  while (m.slideSpeed != 0.0f && ++frames < 200) {
    m.UpdateMenu(0.7);
    lowest = std::min(lowest, m.slideX);
    // The first page down to -15; the switch on the frame that passes it.
    EXPECT_TRUE((m.page == 1 || m.slideX >= -15.0f) &&
                (page == 1 || m.page == 0 || (m.slideX < -15.0f && m.slideX > -15.0f - 0.3f * 0.7f - 1e-4f))) << frames;
    page = m.page;
  }
  EXPECT_TRUE(m.slideX == 0.0f && m.page == 1 && m.selected == 0 && lowest < -15.0f);
  EXPECT_NEAR(frames, 2 * 15 / (0.3 * 0.7), 3.0);  // 15 units out and 15 back
  EXPECT_EQ(Press(VkUp), 5);  // from "Texturas:" up to "Volver"
  Press(VkSpace);
  SlideToRest();
  EXPECT_TRUE(m.page == 0 && m.selected == 0 && m.slideX == 0.0f);
}

TEST_F(MenuKeys, KeysHeldThroughTheSlideActAfterItAndReleasedOnesAreLost) {
  Press(VkDown), Press(VkSpace), Press(VkDown);
  EXPECT_EQ(KeyState[VkDown], KeyPressed);
  SlideToRest();
  m.UpdateMenu(1.0);
  EXPECT_TRUE(m.page == 1 && m.selected == 1 && KeyState[VkDown] == KeyHandled);
  Press(VkUp), Press(VkUp), Press(VkSpace), Press(VkDown);  // "Volver", then Down during the slide
  KeyState[VkDown] = KeyUp;  // released: the window clears it
  SlideToRest();
  m.UpdateMenu(1.0);
  EXPECT_TRUE(m.page == 0 && m.selected == 0);
}

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

TEST(MenuMotion, SpinRestartsOnEveryChangeOfSelectionWrapsOnceAndTheRunnerTurnsAtBothEnds) {
  ResetKeyState();
  Menu m;
  // The spin set before a frame (-1: left as it is), whether Down is pressed, the frame's ticks, the spin after;
  // only above 360 wraps.
  for (const auto& [set, down, dt, after] : {std::tuple{-1.0f, false, 10.0, 25.0f}, {-1.0f, false, 4.0, 35.0f},
                                             {-1.0f, true, 1.0, 0.0f}, {359.0f, false, 1.0, 1.5f}, {360.0f, false, 0.0, 360.0f}}) {
    if (set >= 0) m.spin = set;
    if (down) KeyState[VkDown] = KeyPressed;
    m.UpdateMenu(dt);
    EXPECT_FLOAT_EQ(m.spin, after) << "from " << set << " with " << dt << " ticks";
  }
  // From 10 towards -20 at 0.04 per tick: 750 ticks; then back from just past -20 to just past 10.
  Menu r;
  double t = 0;
  for (auto [sign, at, end] : {std::tuple{-1, 750.0, -20.0f}, {1, 1510.0, 10.0f}}) {
    for (; r.runnerSpeed * sign > 0 && t < 4000; t += 5.0) r.UpdateMenu(5.0);
    EXPECT_NEAR(t, at, at / 150);
    EXPECT_GT((r.runnerX - end) * sign, 0.0f);
    EXPECT_FLOAT_EQ(r.runnerSpeed, -0.04f * sign);
  }
}
