// The game's window on Windows, driven through its real window procedure:
// keys, system keys, the window's own keys, size and close messages, and a
// full screen that the display refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/game_window.h"
#include "app/key_state.h"
#include "platform/gl.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "windows/win_test_support.h"

namespace {

constexpr int kVkF10 = 121, kVkF12 = 123;

class Win32Window : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetKeyState();
    TakeQuitMessage();
    ASSERT_TRUE(game.CreateGameWindow("Glumbo 3D", 640, 480, 16, false));
    gameWindow = &game;
    Pump();
  }
  void TearDown() override {
    game.DestroyGameWindow();
    gameWindow = nullptr;
  }
  std::vector<platform::Event> Pump() { return wintest::Pump(*game.GetDeviceContext()); }
  static bool Has(const std::vector<platform::Event>& events, platform::EventType type) {
    return std::any_of(events.begin(), events.end(), [type](const platform::Event& e) { return e.type == type; });
  }

  GameWindow game;
};

TEST_F(Win32Window, ClientAreaHasTheRequestedSize) {
  int w = 0, h = 0;
  game.GetDeviceContext()->DrawableSize(w, h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  EXPECT_FALSE(game.GetDeviceContext()->IsFullScreen());
}

TEST_F(Win32Window, KeyPressIsTakenOnceUntilReleased) {
  platform::PushKeyEvent(VkLeft, true);
  Pump();
  ASSERT_EQ(KeyState[VkLeft], KeyPressed);
  KeyState[VkLeft] = KeyHandled;  // a consumer takes the press

  // The keyboard's auto-repeat does not arm the handled key again.
  platform::PushKeyEvent(VkLeft, true, true);
  platform::PushKeyEvent(VkLeft, true, true);
  Pump();
  EXPECT_EQ(KeyState[VkLeft], KeyHandled);

  platform::PushKeyEvent(VkLeft, false);
  Pump();
  EXPECT_EQ(KeyState[VkLeft], KeyUp);
  platform::PushKeyEvent(VkLeft, true);
  Pump();
  EXPECT_EQ(KeyState[VkLeft], KeyPressed);
}

TEST_F(Win32Window, SystemKeysNeverReachTheKeyTable) {
  platform::PushKeyEvent('X', true, false, true);  // Alt+X
  platform::PushKeyEvent(kVkF10, true);
  Pump();
  platform::PushKeyEvent('X', false, false, true);
  platform::PushKeyEvent(kVkF10, false);
  Pump();
  EXPECT_EQ(KeyState['X'], KeyUp);
  EXPECT_EQ(KeyState[kVkF10], KeyUp);
  // The game's keys still work afterwards.
  platform::PushKeyEvent(VkSpace, true);
  Pump();
  EXPECT_EQ(KeyState[VkSpace], KeyPressed);
}

TEST_F(Win32Window, F12AsksForAPictureAndAltEnterTogglesABorderlessScreen) {
  platform::PushKeyEvent(kVkF12, true);
  platform::PushKeyEvent(kVkF12, false);
  auto events = Pump();
  EXPECT_TRUE(Has(events, platform::EventType::SaveScreenshot));
  EXPECT_EQ(KeyState[kVkF12], KeyUp);

  platform::PushKeyEvent(VkReturn, true, false, true);
  events = Pump();
  EXPECT_EQ(KeyState[VkReturn], KeyUp);
  ASSERT_TRUE(Has(events, platform::EventType::Resized));
  int w = 0, h = 0;
  game.GetDeviceContext()->DrawableSize(w, h);
  EXPECT_GT(w * h, 640 * 480) << w << " x " << h;
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], w);
  EXPECT_EQ(viewport[3], h);

  platform::PushKeyEvent(VkReturn, false, false, true);
  platform::PushKeyEvent(VkReturn, true, false, true);
  Pump();
  game.GetDeviceContext()->DrawableSize(w, h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  EXPECT_EQ(KeyState[VkReturn], KeyUp);
}

TEST_F(Win32Window, SizeMessagesSetTheViewEvenAtHeightZero) {
  platform::PushWindowEvent(platform::EventType::Resized, 300, 0);
  Pump();
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 300);
  EXPECT_EQ(viewport[3], 1);
  GLfloat projection[16] = {};
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  for (float v : projection) EXPECT_TRUE(std::isfinite(v));
}

TEST_F(Win32Window, MinimisingPausesAndCloseEndsTheLoop) {
  platform::PushWindowEvent(platform::EventType::Minimized);
  Pump();
  EXPECT_FALSE(appActive);
  platform::PushWindowEvent(platform::EventType::Restored);
  Pump();
  EXPECT_TRUE(appActive);

  EXPECT_FALSE(QuitPosted());
  platform::PushWindowEvent(platform::EventType::CloseRequested);
  const auto events = Pump();
  EXPECT_TRUE(Has(events, platform::EventType::CloseRequested));
  EXPECT_TRUE(QuitPosted());
  TakeQuitMessage();
}

// The display refuses the full-screen mode (GLUMBO_REFUSE_FULLSCREEN=1 from the test's runner).
class RefusedFullScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = platform::SetMessageBoxHook([this](const std::string& text, const std::string& caption,
                                                  platform::BoxButtons buttons, platform::BoxIcon icon) {
      boxes.push_back(caption + "|" + text);
      icons.push_back(icon);
      return buttons == platform::BoxButtons::YesNo ? answer : platform::BoxAnswer::Ok;
    });
  }
  void TearDown() override {
    game.DestroyGameWindow();
    platform::SetMessageBoxHook(previous);
  }
  GameWindow game;
  platform::MessageBoxHook previous;
  platform::BoxAnswer answer = platform::BoxAnswer::Yes;
  std::vector<std::string> boxes;
  std::vector<platform::BoxIcon> icons;
};

TEST_F(RefusedFullScreen, AnsweredYesRunsInAWindowOfTheRequestedSize) {
  answer = platform::BoxAnswer::Yes;
  ASSERT_TRUE(game.CreateGameWindow("Glumbo 3D", 800, 600, 16, true));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "¿Ventana? :-)|El modo pantalla completa no es soportado por\nSu tarjeta gráfica. "
                      "¿Desea usar modo ventana?");
  EXPECT_EQ(icons[0], platform::BoxIcon::Exclamation);
  EXPECT_FALSE(game.fullScreen);
  EXPECT_FALSE(game.GetDeviceContext()->IsFullScreen());
  int w = 0, h = 0;
  game.GetDeviceContext()->DrawableSize(w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
}

TEST_F(RefusedFullScreen, AnsweredNoEndsWithoutAWindow) {
  answer = platform::BoxAnswer::No;
  EXPECT_FALSE(game.CreateGameWindow("Glumbo 3D", 800, 600, 16, true));
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1], "ERROR|El programa cerrará.");
  EXPECT_EQ(icons[1], platform::BoxIcon::Stop);
  EXPECT_EQ(game.GetDeviceContext(), nullptr);
}

}  // namespace

namespace {

// GLUMBO_MSGBOX (set to "log" by the test's runner) answers for the player:
// no MessageBoxA window opens, so nothing waits for a click.
TEST(Win32MessageBox, TheEnvironmentAnswersWithoutAWindow) {
  ASSERT_NE(std::getenv("GLUMBO_MSGBOX"), nullptr);
  wintest::ScratchDir dir("boxes");
  const std::filesystem::path log = dir.path() / "boxes.log";
  platform::SetEnvironmentDefault("GLUMBO_MSGBOX_LOG", log.string());
  EXPECT_EQ(platform::ShowMessageBox("El modo pantalla completa no es soportado por\nSu tarjeta gráfica.",
                                     "¿Ventana? :-)", platform::BoxButtons::YesNo, platform::BoxIcon::Exclamation),
            platform::BoxAnswer::Yes);
  std::ifstream in(log);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "¿Ventana? :-)|El modo pantalla completa no es soportado por\\nSu tarjeta gráfica.|yes");
}

}  // namespace

namespace {

// The display takes its own mode (GLUMBO_TEST_SCREEN, the X server's size,
// from the test's runner, which leaves GLUMBO_REFUSE_FULLSCREEN out here).
TEST(AcceptedFullScreen, APopUpCoversTheDisplayUntilTeardown) {
  const char* screen = std::getenv("GLUMBO_TEST_SCREEN");
  int w = 0, h = 0;
  ASSERT_TRUE(screen && std::sscanf(screen, "%dx%d", &w, &h) == 2);
  ASSERT_TRUE(platform::FullScreenModeAvailable(w, h));
  EXPECT_FALSE(platform::FullScreenModeAvailable(w - 7, h - 5));

  GameWindow game;
  ASSERT_TRUE(game.CreateGameWindow("Glumbo 3D", w, h, 16, true));
  EXPECT_TRUE(game.fullScreen);
  EXPECT_TRUE(game.GetDeviceContext()->IsFullScreen());
  int cw = 0, ch = 0;
  game.GetDeviceContext()->DrawableSize(cw, ch);
  EXPECT_EQ(cw, w);
  EXPECT_EQ(ch, h);
  // Alt+Enter leaves a window that owns the display's mode as it is.
  platform::PushKeyEvent(VkReturn, true, false, true);
  wintest::Pump(*game.GetDeviceContext());
  game.GetDeviceContext()->DrawableSize(cw, ch);
  EXPECT_EQ(std::pair(cw, ch), std::pair(w, h));
  EXPECT_TRUE(game.GetDeviceContext()->IsFullScreen());
  game.DestroyGameWindow();
  EXPECT_EQ(game.GetDeviceContext(), nullptr);
}

}  // namespace
