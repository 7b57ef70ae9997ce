// The menu's keys, pages, slide and settings, driven through the key table.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/key_state.h"
#include "app/settings.h"
#include "game/game_state.h"
#include "render/menu.h"

namespace {

class MenuKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetKeyState();
    GameState = StateMenu;
    screenWidth = 640;
    screenHeight = 480;
  }
  // One press of a key followed by one menu frame.
  void Press(int vk, double step = 1.0) {
    KeyState[vk] = KeyPressed;
    m.UpdateMenu(step);
  }
  // Frames until the text has stopped sliding.
  int SlideToRest(double step = 1.0) {
    int frames = 0;
    do {
      m.UpdateMenu(step);
      ++frames;
    } while (m.slideSpeed != 0.0f && frames < 10000);
    return frames;
  }
  void GoToOptions() {
    Press(VkDown);  // "Opciones"
    Press(VkSpace);
    SlideToRest();
    ASSERT_EQ(m.page, 1);
  }
  Menu m;
};

TEST_F(MenuKeys, SelectionWrapsOnBothPagesAndEachPressIsTakenOnce) {
  Press(VkUp);
  EXPECT_EQ(m.selected, 2);  // from "Nuevo Juego" up to "Salir"
  EXPECT_EQ(KeyState[VkUp], KeyHandled);
  Press(VkDown);
  EXPECT_EQ(m.selected, 0);  // from "Salir" down to "Nuevo Juego"
  m.UpdateMenu(1.0);         // still held: no second step
  EXPECT_EQ(m.selected, 0);
  // Down wins when both arrive in one frame.
  KeyState[VkUp] = KeyPressed;
  KeyState[VkDown] = KeyPressed;
  m.UpdateMenu(1.0);
  EXPECT_EQ(m.selected, 1);
  EXPECT_EQ(KeyState[VkUp], KeyPressed);

  ResetKeyState();
  Press(VkSpace);  // "Opciones"
  SlideToRest();
  ASSERT_EQ(m.page, 1);
  EXPECT_EQ(m.selected, 0);
  Press(VkUp);
  EXPECT_EQ(m.selected, 5);  // from "Texturas:" up to "Volver"
  Press(VkDown);
  EXPECT_EQ(m.selected, 0);
}

TEST_F(MenuKeys, TheMainPageStartsAGameAndQuitsLikeEscape) {
  Press(VkSpace);
  EXPECT_EQ(GameState, StateNewGame);
  EXPECT_EQ(KeyState[VkSpace], KeyHandled);
  EXPECT_EQ(KeyState[VkEscape], KeyUp);

  GameState = StateMenu;
  Press(VkUp);  // "Salir"
  Press(VkSpace);
  EXPECT_EQ(KeyState[VkEscape], KeyPressed);
  EXPECT_EQ(GameState, StateMenu);
}

TEST_F(MenuKeys, OpcionesSlidesOutLeftSwitchesAtMinusFifteenAndStopsExactlyAtZero) {
  Press(VkDown);
  Press(VkSpace);
  EXPECT_FLOAT_EQ(m.slideSpeed, -0.3f);
  std::vector<std::pair<int, float>> frames;  // page and slide after each frame
  for (int i = 0; i < 200 && (m.slideSpeed != 0.0f || frames.empty()); ++i) {
    m.UpdateMenu(0.7);
    frames.emplace_back(m.page, m.slideX);
  }
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(m.slideSpeed, 0.0f);
  EXPECT_EQ(m.slideX, 0.0f);
  EXPECT_EQ(m.page, 1);
  EXPECT_EQ(m.selected, 0);
  // Out: the main page until just past -15; then the options page coming back.
  float lowest = 0;
  for (std::size_t i = 0; i < frames.size(); ++i) {
    lowest = std::min(lowest, frames[i].second);
    if (frames[i].first == 0) {
      EXPECT_GE(frames[i].second, -15.0f) << i;
    }
    if (i > 0 && frames[i].first == 1 && frames[i - 1].first == 0) {
      EXPECT_LT(frames[i].second, -15.0f);
      EXPECT_GT(frames[i].second, -15.0f - 0.3f * 0.7f - 1e-4f);
    }
  }
  EXPECT_LT(lowest, -15.0f);
  // 15 units out and 15 back at 0.3 per tick of 0.7.
  EXPECT_NEAR(static_cast<double>(frames.size()), 2 * 15 / (0.3 * 0.7), 3.0);

  // "Volver" slides back to the main page the same way.
  Press(VkUp);
  Press(VkSpace);
  SlideToRest();
  EXPECT_EQ(m.page, 0);
  EXPECT_EQ(m.selected, 0);
  EXPECT_EQ(m.slideX, 0.0f);
}

TEST_F(MenuKeys, KeysWaitWhileTheTextSlides) {
  Press(VkDown);
  Press(VkSpace);
  // Pressed during the slide and held: acts once the slide stops.
  Press(VkDown);
  EXPECT_EQ(KeyState[VkDown], KeyPressed);
  EXPECT_EQ(m.selected, 1);
  SlideToRest();
  m.UpdateMenu(1.0);
  EXPECT_EQ(m.page, 1);
  EXPECT_EQ(m.selected, 1);
  EXPECT_EQ(KeyState[VkDown], KeyHandled);

  // Released before the slide stops (the window clears it): lost.
  Press(VkUp);
  Press(VkUp);  // "Volver"
  Press(VkSpace);
  KeyState[VkDown] = KeyPressed;
  m.UpdateMenu(1.0);
  KeyState[VkDown] = KeyUp;
  SlideToRest();
  m.UpdateMenu(1.0);
  EXPECT_EQ(m.page, 0);
  EXPECT_EQ(m.selected, 0);
}

TEST_F(MenuKeys, OptionsToggleCycleAndResolutionSteps) {
  GoToOptions();
  // Each line in turn: the value after each of a few presses of Space.
  const auto presses = [&](int n, auto value) {
    std::vector<int> seen;
    for (int i = 0; i < n; ++i) {
      Press(VkSpace);
      seen.push_back(value());
    }
    Press(VkDown);
    return seen;
  };
  const std::vector<int> offOn = {0, 1};
  EXPECT_EQ(presses(2, [&] { return int(m.texturesOn); }), offOn);
  EXPECT_EQ(presses(4, [&] { return m.detailSetting; }), (std::vector<int>{0, 1, 2, 0}));
  EXPECT_EQ(presses(2, [&] { return int(m.cullingOn); }), offOn);
  EXPECT_EQ(presses(5, [] { return screenWidth * 10000 + screenHeight; }),
            (std::vector<int>{8000600, 10240768, 3200240, 6400480, 8000600}));
  Press(VkUp);
  screenWidth = 1280;  // a size the page does not offer goes back to the first
  screenHeight = 1024;
  EXPECT_EQ(presses(1, [] { return screenWidth * 10000 + screenHeight; }), std::vector<int>{3200240});
  EXPECT_EQ(presses(2, [&] { return int(m.windowed); }), offOn);
  EXPECT_EQ(m.page, 1);
  EXPECT_EQ(GameState, StateMenu);
}

TEST(MenuMotion, SpinRestartsOnEveryChangeOfSelectionWrapsOnceAndTheRunnerTurnsAtBothEnds) {
  ResetKeyState();
  Menu m;
  m.UpdateMenu(10.0);
  m.UpdateMenu(4.0);
  EXPECT_FLOAT_EQ(m.spin, 35.0f);
  KeyState[VkDown] = KeyPressed;
  m.UpdateMenu(1.0);
  EXPECT_EQ(m.spin, 0.0f);
  m.spin = 359.0f;
  m.UpdateMenu(1.0);
  EXPECT_FLOAT_EQ(m.spin, 1.5f);
  m.spin = 360.0f;
  m.UpdateMenu(0.0);
  EXPECT_FLOAT_EQ(m.spin, 360.0f);  // only above 360 wraps

  // From 10 towards -20 at 0.04 per tick: 750 ticks; then back from just past -20 to just past 10.
  Menu r;
  double t = 0;
  for (auto [sign, at, end] : {std::tuple{-1, 750.0, -20.0f}, {1, 1510.0, 10.0f}}) {
    while (r.runnerSpeed * sign > 0 && t < 4000) {
      r.UpdateMenu(5.0);
      t += 5.0;
    }
    EXPECT_NEAR(t, at, at / 150);
    EXPECT_GT((r.runnerX - end) * sign, 0.0f);
    EXPECT_FLOAT_EQ(r.runnerSpeed, -0.04f * sign);
  }
}

}  // namespace
