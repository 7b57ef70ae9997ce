// The window, its view and the key table on a real window under Xvfb, and where F12's pictures go.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "app/game_window.h"
#include "app/key_state.h"
#include "app/screenshot.h"
#include "platform/gl.h"
#include "platform/message_box.h"
#include "support/test_support.h"

namespace {

class RealWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    GameWindow::openHidden = true;
    ASSERT_TRUE(window.CreateGameWindow("Glumbo 3D", 640, 480, 16, false));
    gameWindow = &window;
    ResetKeyState();
    appActive = true;
    TakeQuitMessage();
  }
  void TearDown() override {
    gameWindow = nullptr;
    window.DestroyGameWindow();
  }
  // Feeds every waiting event to the game, as the main loop does.
  void Pump() {
    platform::Event e;
    while (window.GetDeviceContext()->PollEvent(e)) HandleWindowEvent(e);
  }
  // Viewport size, and the perspective's x scale (45 degrees vertical).
  static void ExpectView(int w, int h, double p0) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_TRUE(viewport[2] == w && viewport[3] == h) << viewport[2] << "x" << viewport[3];
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[0], p0, p0 > 0.1 ? 1e-4 : 1e-6);
  }
  GameWindow window;
};

TEST_F(RealWindow, ResizesKeepTheProportionsAndSurviveHeightZero) {
  window.ResizeView(800, 600);
  ExpectView(800, 600, 2.41421 / (800.0 / 600.0));
  window.ResizeView(640, 0);
  ExpectView(640, 1, 2.41421 / 640.0);
  // Let the window system's own events from the window's creation arrive and
  // pass first, so that none of them lands after the resize pushed below.
  for (int i = 0; i < 20; ++i) {
    Pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  platform::PushWindowEvent(platform::EventType::Resized, 320, 240);  // from the desktop: the same way
  Pump();
  ExpectView(320, 240, 2.41421 / (320.0 / 240.0));
}

TEST_F(RealWindow, KeyDownArmsOnlyAnIdleKeyAndAltCombinationsAndF10NeverArrive) {
  const struct { bool down, repeat; int want; } steps[] = {
      {true, false, KeyPressed}, {true, true, KeyHandled}, {false, false, KeyUp}, {true, false, KeyPressed}};
  for (const auto& s : steps) {
    platform::PushKeyEvent(VkRight, s.down, s.repeat);
    Pump();
    EXPECT_EQ(KeyState[VkRight], s.want) << "down " << s.down << " repeat " << s.repeat;
    if (s.want == KeyPressed) KeyState[VkRight] = KeyHandled;  // a consumer takes the press
  }
  ResetKeyState();
  platform::PushKeyEvent('X', true, false, /*alt=*/true);
  platform::PushKeyEvent(121, true);  // F10
  const int codes[] = {VkLeft, VkUp, VkDown, VkSpace, VkEscape, VkReturn, 'P', 'A', 'Z', '0', '9', 112};
  for (int vk : codes) platform::PushKeyEvent(vk, true);  // 112, F1, is an ordinary key
  Pump();
  int armed = 0;
  for (int k : KeyState) armed += k != KeyUp;
  EXPECT_EQ(armed, static_cast<int>(std::size(codes)));
  for (int vk : codes) EXPECT_EQ(KeyState[vk], KeyPressed) << vk;

  // Keys without a character of their own arrive by position with the codes of
  // a US layout: the punctuation keys, CapsLock, the Windows and menu keys, the
  // extra key of European keyboards, the keypad.
  ResetKeyState();
  const int positional[] = {0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xDB, 0xDC, 0xDD, 0xDE,
                            0xE2, 0x14, 0x5B, 0x5C, 0x5D, 0x60, 0x69, 0x6A, 0x90, 0x91, 0x7C};
  for (int vk : positional) platform::PushKeyEvent(vk, true);
  // F12 is the window's picture key: it asks for a picture and never reaches the game.
  TakeScreenshotRequest();
  platform::PushKeyEvent(123, true);
  platform::PushKeyEvent(123, true, /*repeat=*/true);
  platform::PushKeyEvent(123, false);
  Pump();
  armed = 0;
  for (int k : KeyState) armed += k != KeyUp;
  EXPECT_EQ(armed, static_cast<int>(std::size(positional)));
  for (int vk : positional) EXPECT_EQ(KeyState[vk], KeyPressed) << vk;
  EXPECT_TRUE(TakeScreenshotRequest());
  EXPECT_FALSE(TakeScreenshotRequest()) << "one picture per press";
}

// Where frames are slow, a quick tap's key-down and key-up both come between
// two frames: the press is still seen by exactly one frame, then released.
TEST_F(RealWindow, ATapBetweenTwoFramesIsSeenByExactlyOneFrame) {
  struct Step { bool down, repeat; };
  const struct { const char* name; std::vector<Step> steps; int after; } cases[] = {
      {"tap", {{true, false}, {false, false}}, KeyUp},
      {"tap with auto-repeat", {{true, false}, {true, true}, {true, true}, {false, false}}, KeyUp},
      {"tap, then held down again", {{true, false}, {false, false}, {true, false}}, KeyHandled},
  };
  for (const auto& c : cases) {
    ResetKeyState();
    for (const Step& s : c.steps) platform::PushKeyEvent(VkSpace, s.down, s.repeat);
    Pump();
    int presses = 0;
    for (int frame = 0; frame < 3; ++frame) {  // each frame takes a waiting press
      if (KeyState[VkSpace] == KeyPressed) ++presses, KeyState[VkSpace] = KeyHandled;
      KeysSeenByFrame();
    }
    EXPECT_EQ(presses, 1) << c.name;
    EXPECT_EQ(KeyState[VkSpace], c.after) << c.name;
  }
}

// F12's pictures go to the pictures folder the player's user-dirs file names,
// else to ~/Pictures, each under a name of its own.
TEST_F(RealWindow, PicturesGoToThePlayersPicturesFolderEachUnderANameOfItsOwn) {
  test::TempDir home;
  setenv("HOME", home.path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", home.File("cfg").c_str(), 1);
  std::filesystem::create_directories(home.path() / "cfg");
  test::WriteFile(home.File("cfg/user-dirs.dirs"), "# made by hand\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
  const auto first = SaveScreenshot(640, 480), second = SaveScreenshot(640, 480);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(std::filesystem::path(*first).parent_path(), home.path() / "Bilder/Glumbo3D");
  EXPECT_NE(*first, *second) << "a second picture in the same second gets a name of its own";
  const auto png = test::ReadBytes(*first);  // the size in the header, big-endian
  EXPECT_TRUE(png.size() > 24 && png[18] * 256 + png[19] == 640 && png[22] * 256 + png[23] == 480);
  std::filesystem::remove(home.File("cfg/user-dirs.dirs"));
  EXPECT_EQ(std::filesystem::path(*SaveScreenshot(640, 480)).parent_path(), home.path() / "Pictures/Glumbo3D");
}

TEST(FullScreen, RefusedModeAnsweredYesRunsWindowedAndNoEndsWithTheStopBox) {
  GameWindow::openHidden = true;
  setenv("GLUMBO_REFUSE_FULLSCREEN", "1", 1);
  std::vector<std::string> seen;
  platform::BoxAnswer answer = platform::BoxAnswer::Yes;
  platform::SetMessageBoxHook([&](const std::string& text, const std::string& caption, platform::BoxButtons b,
                                  platform::BoxIcon) {
    seen.push_back(caption + "|" + text);
    return b == platform::BoxButtons::YesNo ? answer : platform::BoxAnswer::Ok;
  });
  const std::string ask =
      "¿Ventana? :-)|El modo pantalla completa no es soportado por\nSu tarjeta gráfica. ¿Desea usar modo ventana?";
  GameWindow yes, no;
  ASSERT_TRUE(yes.CreateGameWindow("Glumbo 3D", 640, 480, 16, true));
  EXPECT_FALSE(yes.fullScreen || yes.GetDeviceContext()->IsFullScreen() || yes.GetDeviceContext()->CursorHidden());
  yes.DestroyGameWindow();
  EXPECT_EQ(seen, std::vector<std::string>{ask});
  answer = platform::BoxAnswer::No;
  EXPECT_FALSE(no.CreateGameWindow("Glumbo 3D", 640, 480, 16, true));
  EXPECT_EQ(no.GetDeviceContext(), nullptr);
  EXPECT_EQ(seen, (std::vector<std::string>{ask, ask, "ERROR|El programa cerrará."}));
}

}  // namespace
