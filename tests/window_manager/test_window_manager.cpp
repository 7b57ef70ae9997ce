// The game's window on a desktop with a window manager: the player drags it to
// a new size, Alt+Enter fills the screen and comes back, F12 saves a picture.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

#include "app/game_window.h"
#include "app/key_state.h"
#include "app/screenshot.h"
#include "platform/gl.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::array<GLint, 4> Viewport() {
  std::array<GLint, 4> v{};
  glGetIntegerv(GL_VIEWPORT, v.data());
  return v;
}

// Width and height from a PNG file's header.
std::pair<int, int> PngSize(const std::string& path) {
  const std::vector<std::uint8_t> b = test::ReadBytes(path);
  if (b.size() < 24) return {0, 0};
  auto be = [&](int at) { return (b[at] << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3]; };
  return {be(16), be(20)};
}

class DesktopWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    GameWindow::openHidden = false;
    ASSERT_TRUE(window.CreateGameWindow("Glumbo 3D", 640, 480, 16, false));
    gameWindow = &window;
    ResetKeyState();
    Settle(0.5);
  }
  void TearDown() override {
    gameWindow = nullptr;
    window.DestroyGameWindow();
  }
  // Feeds the window's events to the game, as the main loop does, until the
  // condition holds or the time is up; true when it held.
  bool PumpUntil(const std::function<bool()>& done, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
      platform::Event e;
      while (window.GetDeviceContext()->PollEvent(e)) HandleWindowEvent(e);
      if (done()) return true;
      if (std::chrono::steady_clock::now() >= end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  // Lets the window system's own events of the moment pass.
  void Settle(double seconds) { PumpUntil([] { return false; }, seconds); }
  bool ViewportIs(int w, int h) {
    return PumpUntil([&] { auto v = Viewport(); return v[2] == w && v[3] == h; }, 5.0);
  }
  GameWindow window;
};

TEST_F(DesktopWindow, DraggedToANewSizeTheViewFollowsAndAltEnterFillsTheScreenAndComesBack) {
  // The window manager honours a new size only for a resizable window.
  ASSERT_EQ(std::system("xdotool search --name '^Glumbo 3D$' windowsize 800 600 >/dev/null 2>&1"), 0);
  ASSERT_TRUE(ViewportIs(800, 600)) << Viewport()[2] << "x" << Viewport()[3];
  GLfloat p[16];
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  EXPECT_NEAR(p[0], 2.41421 / (800.0 / 600.0), 1e-4) << "the projection follows the new proportions";

  platform::PushKeyEvent(VkReturn, true, false, /*alt=*/true);
  ASSERT_TRUE(ViewportIs(1280, 1024)) << "borderless full screen at the desktop's size: "
                                      << Viewport()[2] << "x" << Viewport()[3];
  EXPECT_TRUE(window.GetDeviceContext()->IsFullScreen() && window.GetDeviceContext()->CursorHidden());
  EXPECT_FALSE(window.fullScreen) << "the settings' request is untouched";
  platform::PushKeyEvent(VkReturn, false, false, true);
  platform::PushKeyEvent(VkReturn, true, false, true);
  ASSERT_TRUE(ViewportIs(800, 600)) << "back to the earlier size: " << Viewport()[2] << "x" << Viewport()[3];
  EXPECT_FALSE(window.GetDeviceContext()->IsFullScreen() || window.GetDeviceContext()->CursorHidden());
  EXPECT_EQ(KeyState[VkReturn], KeyUp) << "Alt+Enter never reaches the game";
}

TEST_F(DesktopWindow, F12SavesThePictureOnScreenInThePlayersPicturesFolder) {
  test::TempDir home;
  setenv("HOME", home.path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home.path() / "cfg").c_str(), 1);
  fs::create_directories(home.path() / "cfg");
  // A user-dirs file names the pictures folder; without one it is ~/Pictures.
  test::WriteFile((home.path() / "cfg/user-dirs.dirs").string(), "# made by hand\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");

  platform::PushKeyEvent(123, true);
  Settle(0.1);
  ASSERT_TRUE(TakeScreenshotRequest());
  EXPECT_EQ(KeyState[123], KeyUp);
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  int w = 0, h = 0;
  window.GetDeviceContext()->DrawableSize(w, h);
  const auto first = SaveScreenshot(w, h);
  const auto second = SaveScreenshot(w, h);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(fs::path(*first).parent_path(), home.path() / "Bilder/Glumbo3D");
  EXPECT_NE(*first, *second) << "a second picture in the same second gets a name of its own";
  EXPECT_EQ(PngSize(*first), std::make_pair(640, 480));
  fs::remove(home.path() / "cfg/user-dirs.dirs");
  EXPECT_EQ(fs::path(*SaveScreenshot(w, h)).parent_path(), home.path() / "Pictures/Glumbo3D");
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

}  // namespace
