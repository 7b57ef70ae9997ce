// Finding the data and the settings file, and controller input.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/data_location.h"
#include "app/key_state.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

TEST(DataLocation, FirstCandidateHoldingPantallasWins) {
  test::TempDir a, b;
  fs::create_directories(b.path() / "pantallas");
  EXPECT_EQ(FindDataDir({a.path().string(), b.path().string()}), b.path().string());
  fs::create_directories(a.path() / "pantallas");
  EXPECT_EQ(FindDataDir({"", a.path().string(), b.path().string()}), a.path().string());
  EXPECT_FALSE(FindDataDir({"", (a.path() / "none").string()}).has_value());
  // A file named pantallas is not a data folder.
  test::TempDir c;
  test::WriteFile(c.File("pantallas"), "x");
  EXPECT_FALSE(FindDataDir({c.path().string()}).has_value());
}

TEST(DataLocation, SettingsBesideWritableData) {
  test::TempDir data;
  EXPECT_EQ(ChooseSettingsPath(data.path().string()), (data.path() / "config.dat").string());
}

TEST(DataLocation, UnwritableDataFolderUsesXdgConfigHome) {
  // A data folder that does not exist stands for one that cannot be written,
  // which root cannot otherwise be shown.
  test::TempDir home;
  setenv("XDG_CONFIG_HOME", (home.path() / "cfg").c_str(), 1);
  EXPECT_EQ(ChooseSettingsPath((home.path() / "missing").string()),
            (home.path() / "cfg/glumbo3d/config.dat").string());
  EXPECT_TRUE(fs::is_directory(home.path() / "cfg/glumbo3d"));
  setenv("XDG_CONFIG_HOME", "relative/path", 1);  // not absolute: ignored, as XDG says
  setenv("HOME", home.path().c_str(), 1);
  EXPECT_EQ(ChooseSettingsPath(""), (home.path() / ".config/glumbo3d/config.dat").string());
  unsetenv("XDG_CONFIG_HOME");
}

class Controller : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    ResetKeyState();
  }
  void Pump() {
    platform::Event e;
    while (gl.window().PollEvent(e)) HandleWindowEvent(e);
  }
  test::GLContext gl;
};

TEST_F(Controller, ButtonsActAsKeysWithOnePressPerPush) {
  using namespace platform::ControllerButton;
  platform::PushControllerButton(DpadLeft, true);
  platform::PushControllerButton(South, true);
  platform::PushControllerButton(Start, true);
  Pump();
  EXPECT_EQ(KeyState[VkLeft], KeyPressed);
  EXPECT_EQ(KeyState[VkSpace], KeyPressed);
  EXPECT_EQ(KeyState['P'], KeyPressed);
  KeyState[VkLeft] = KeyHandled;
  platform::PushControllerButton(DpadLeft, true);  // still held: no new press
  Pump();
  EXPECT_EQ(KeyState[VkLeft], KeyHandled);
  platform::PushControllerButton(DpadLeft, false);
  platform::PushControllerButton(DpadUp, true);
  platform::PushControllerButton(DpadDown, true);
  platform::PushControllerButton(DpadRight, true);
  platform::PushControllerButton(3, true);  // a button the game does not use
  Pump();
  EXPECT_EQ(KeyState[VkLeft], KeyUp);
  EXPECT_EQ(KeyState[VkUp], KeyPressed);
  EXPECT_EQ(KeyState[VkDown], KeyPressed);
  EXPECT_EQ(KeyState[VkRight], KeyPressed);
  int armed = 0;
  for (int k : KeyState) armed += k != KeyUp;
  EXPECT_EQ(armed, 5);  // Space, P and three arrows
}

TEST_F(Controller, LeftStickHoldsArrowsWithHysteresis) {
  using namespace platform::ControllerAxis;
  platform::PushControllerAxis(LeftX, 30000);
  Pump();
  EXPECT_EQ(KeyState[VkRight], KeyPressed);
  KeyState[VkRight] = KeyHandled;
  platform::PushControllerAxis(LeftX, 12000);  // between the thresholds: still held
  Pump();
  EXPECT_EQ(KeyState[VkRight], KeyHandled);
  platform::PushControllerAxis(LeftX, -32000);  // straight across
  Pump();
  EXPECT_EQ(KeyState[VkRight], KeyUp);
  EXPECT_EQ(KeyState[VkLeft], KeyPressed);
  platform::PushControllerAxis(LeftX, 1000);
  platform::PushControllerAxis(LeftY, -20000);
  Pump();
  EXPECT_EQ(KeyState[VkLeft], KeyUp);
  EXPECT_EQ(KeyState[VkUp], KeyPressed);
  platform::PushControllerAxis(LeftY, 0);
  Pump();
  EXPECT_EQ(KeyState[VkUp], KeyUp);
}

}  // namespace
