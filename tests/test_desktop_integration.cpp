// Finding the data and the settings file, and controller input.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/data_location.h"
#include "app/key_state.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

TEST(DataLocation, OnlyAWritableRunDirectoryKeepsTheSettingsBesideItsData) {
  test::TempDir data, home;
  setenv("XDG_CONFIG_HOME", (home.path() / "cfg").c_str(), 1);
  const std::string inConfig = (home.path() / "cfg/glumbo3d/config.dat").string();
  EXPECT_EQ(ChooseSettingsPath({data.path().string(), true}), (data.path() / "config.dat").string());
  // An installed copy whose data folder is writable still keeps its settings
  // in the player's folder.
  EXPECT_EQ(ChooseSettingsPath({data.path().string(), false}), inConfig);
  EXPECT_TRUE(fs::is_directory(home.path() / "cfg/glumbo3d"));
  // A run directory that does not exist stands for one that cannot be
  // written, which root cannot otherwise be shown.
  EXPECT_EQ(ChooseSettingsPath({(home.path() / "missing").string(), true}), inConfig);
  setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored, as XDG says
  setenv("HOME", home.path().c_str(), 1);
  EXPECT_EQ(ChooseSettingsPath({"", false}), (home.path() / ".config/glumbo3d/config.dat").string());
}

class Controller : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetKeyState();
    ASSERT_TRUE(gl.ok());
  }
  void Pump() {
    platform::Event e;
    while (gl.window().PollEvent(e)) HandleWindowEvent(e);
  }
  void Expect(std::initializer_list<std::pair<int, int>> keys) {
    for (auto [vk, state] : keys) EXPECT_EQ(KeyState[vk], state) << "key " << vk;
  }
  test::GLContext gl;
};

TEST_F(Controller, ButtonsActAsKeysWithOnePressPerPushAndTheStickHoldsArrowsWithHysteresis) {
  using namespace platform::ControllerButton;
  for (int b : {DpadLeft, South, Start}) platform::PushControllerButton(b, true);
  Pump();
  Expect({{VkLeft, KeyPressed}, {VkSpace, KeyPressed}, {'P', KeyPressed}});
  KeyState[VkLeft] = KeyHandled;
  platform::PushControllerButton(DpadLeft, true);  // still held: no new press
  Pump();
  EXPECT_EQ(KeyState[VkLeft], KeyHandled);
  platform::PushControllerButton(DpadLeft, false);
  for (int b : {DpadUp, DpadDown, DpadRight, 3}) platform::PushControllerButton(b, true);  // 3: unused by the game
  Pump();
  Expect({{VkLeft, KeyUp}, {VkUp, KeyPressed}, {VkDown, KeyPressed}, {VkRight, KeyPressed}});
  int armed = 0;
  for (int k : KeyState) armed += k != KeyUp;
  EXPECT_EQ(armed, 5);  // Space, P and three arrows

  using namespace platform::ControllerAxis;
  ResetKeyState();
  // Axis values pushed, then the keys they leave.
  const std::pair<std::vector<std::pair<int, int>>, std::vector<std::pair<int, int>>> steps[] = {
      {{{LeftX, 30000}}, {{VkRight, KeyPressed}}},
      {{{LeftX, 12000}}, {{VkRight, KeyHandled}}},  // between the thresholds: still held
      {{{LeftX, -32000}}, {{VkRight, KeyUp}, {VkLeft, KeyPressed}}},  // straight across
      {{{LeftX, 1000}, {LeftY, -20000}}, {{VkLeft, KeyUp}, {VkUp, KeyPressed}}},
      {{{LeftY, 0}}, {{VkUp, KeyUp}}}};
  for (const auto& [axes, keys] : steps) {
    for (auto [axis, value] : axes) platform::PushControllerAxis(axis, value);
    Pump();
    for (auto [vk, state] : keys) EXPECT_EQ(KeyState[vk], state) << "key " << vk << " after " << axes[0].second;
    KeyState[VkRight] = KeyState[VkRight] == KeyPressed ? KeyHandled : KeyState[VkRight];
    KeysSeenByFrame();  // a frame runs between the stick's moves
  }
}

}  // namespace
