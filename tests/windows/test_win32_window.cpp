// The game's window on Windows, driven through its real window procedure:
// keys, system keys, the window's own keys, size and close messages, and a
// full screen that the display refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_window.h"
#include "app/key_state.h"
#include "platform/gl.h"
#include "platform/message_box.h"
#include "platform/process.h"

namespace {

// Hands every waiting event to the game's window handler, and returns them.
std::vector<platform::Event> Pump(platform::Window& window) {
  std::vector<platform::Event> taken;
  for (platform::Event e; window.PollEvent(e);) HandleWindowEvent(e), taken.push_back(e);
  return taken;
}

constexpr int kVkF10 = 121, kVkF12 = 123;

std::pair<int, int> ClientSize(GameWindow& game) {
  int w = 0, h = 0;
  game.GetDeviceContext()->DrawableSize(w, h);
  return {w, h};
}
std::pair<int, int> ViewportSize() {
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  return {viewport[2], viewport[3]};
}

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
  std::vector<platform::Event> Pump() { return ::Pump(*game.GetDeviceContext()); }
  static bool Has(const std::vector<platform::Event>& events, platform::EventType type) {
    return std::any_of(events.begin(), events.end(), [type](const platform::Event& e) { return e.type == type; });
  }

  GameWindow game;
};

// The screen's DPI as the test's runner set it in the prefix (LogPixels), 96 unless told.
int TestDpi() {
  const char* dpi = std::getenv("GLUMBO_TEST_DPI");
  return dpi ? std::atoi(dpi) : 96;
}
int Scaled(int size) { return size * TestDpi() / 96; }

// The window is as large on a high-DPI screen as at 96 DPI (960 x 720 at
// 144 DPI), and the view covers all its real pixels.
TEST_F(Win32Window, ClientAreaHasTheRequestedSizeAtTheScreensScale) {
  const auto [w, h] = ClientSize(game);
  EXPECT_EQ(std::pair(w, h), std::pair(Scaled(640), Scaled(480)));
  EXPECT_EQ(ViewportSize(), std::pair(w, h));
  EXPECT_FALSE(game.GetDeviceContext()->IsFullScreen());
  std::printf("client area at %d DPI: %d x %d\n", TestDpi(), w, h);
}

// Moved to a screen of another scale, the window takes the rectangle the
// system suggests, and the view follows.
TEST_F(Win32Window, ADpiChangeTakesTheSuggestedRectangle) {
  platform::PushDpiChange(TestDpi() * 2, 30, 40, 30 + 1300, 40 + 1000);
  Pump();
  const auto [w, h] = ClientSize(game);
  EXPECT_TRUE(w > 1300 - 60 && w <= 1300 && h > 1000 - 120 && h <= 1000) << w << " x " << h;
  EXPECT_EQ(ViewportSize(), std::pair(w, h));
}

// A Window owns its window: one never opened, closed or destroyed, leaves
// the game's window, context and events as they were.
TEST_F(Win32Window, AWindowNeverOpenedLeavesTheOpenOneAlone) {
  {
    platform::Window never;
    never.Close();
    EXPECT_FALSE(never.IsOpen());
  }
  ASSERT_TRUE(game.GetDeviceContext()->IsOpen());
  EXPECT_EQ(ClientSize(game), std::pair(Scaled(640), Scaled(480)));
  EXPECT_NE(glGetString(GL_VERSION), nullptr);  // the context is still current
  platform::PushKeyEvent(VkSpace, true);
  Pump();
  EXPECT_EQ(KeyState[VkSpace], KeyPressed);
  KeysSeenByFrame();  // a frame runs before the release, as in the game

  // A second window opened and closed beside it leaves it working too.
  {
    platform::Window other;
    platform::WindowRequest request;
    request.title = "other";
    request.hidden = true;
    ASSERT_EQ(other.Open(request), platform::OpenResult::Ok);
  }
  platform::PushKeyEvent(VkSpace, false);
  Pump();
  EXPECT_EQ(KeyState[VkSpace], KeyUp);
}

// A lone Alt or F10 would put the window in the system's menu mode, whose
// own message loop holds the game's frames: the keys after them still arrive.
// Neither they nor Alt+X ever reach the key table.
TEST_F(Win32Window, ALoneAltOrF10LeavesNoMenuModeBehindAndNoSystemKeyReachesTheKeyTable) {
  constexpr int kVkMenu = 18;
  for (int key : {kVkMenu, kVkF10, static_cast<int>('X')}) {
    const bool alt = key == 'X';
    platform::PushKeyEvent(key, true, false, alt);
    platform::PushKeyEvent(key, false, false, alt);
    platform::PushKeyEvent(VkLeft, true);
    Pump();
    EXPECT_EQ(KeyState[VkLeft], KeyPressed) << "after key " << key;
    EXPECT_EQ(KeyState[key], KeyUp);
    platform::PushKeyEvent(VkLeft, false);
    Pump();
  }
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
  EXPECT_TRUE(game.GetDeviceContext()->IsFullScreen());
  EXPECT_TRUE(game.GetDeviceContext()->CursorHidden());
  const auto [w, h] = ClientSize(game);
  EXPECT_GT(w * h, 640 * 480) << w << " x " << h;
  EXPECT_EQ(ViewportSize(), std::pair(w, h));

  platform::PushKeyEvent(VkReturn, false, false, true);
  platform::PushKeyEvent(VkReturn, true, false, true);
  Pump();
  EXPECT_EQ(ClientSize(game), std::pair(Scaled(640), Scaled(480)));
  EXPECT_EQ(KeyState[VkReturn], KeyUp);
  EXPECT_FALSE(game.GetDeviceContext()->IsFullScreen());
  EXPECT_FALSE(game.GetDeviceContext()->CursorHidden());
  EXPECT_FALSE(game.fullScreen);  // the options page's choice is not touched
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
  EXPECT_EQ(ClientSize(game), std::pair(Scaled(800), Scaled(600)));
}

// Each creation step that fails has its own text, and one line on
// stderr gives the system's own reason.
TEST_F(RefusedFullScreen, EachCreationStepSaysWhatFailed) {
  const std::pair<platform::OpenResult, const char*> steps[] = {
      {platform::OpenResult::DeviceContextFailed, "No podemos crear un GL Device Context."},
      {platform::OpenResult::PixelFormatNotFound, "No podemos encontrar un formato de pixel aceptable."},
      {platform::OpenResult::PixelFormatNotSet, "No se puede establacer el formato de Pixel."},
      {platform::OpenResult::ContextFailed, "No se puede crear un GL Rendering Context."},
      {platform::OpenResult::MakeCurrentFailed, "No se puede activar el GL Rendering Context."},
  };
  for (const auto& [step, text] : steps) {
    boxes.clear();
    platform::BreakOpenStepForTests(step);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(game.CreateGameWindow("Glumbo 3D", 640, 480, 16, false));
    const std::string err = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(boxes.size(), 1u) << text;
    EXPECT_EQ(boxes[0], std::string("ERROR|") + text);
    EXPECT_EQ(icons[0], platform::BoxIcon::Exclamation);
    EXPECT_EQ(game.GetDeviceContext(), nullptr);
    // "window: <call> failed: <the system's text> (error N)", before the box's own line.
    const std::size_t line = err.find("window: ");
    ASSERT_NE(line, std::string::npos) << err;
    const std::string first = err.substr(line, err.find('\n', line) - line);
    EXPECT_NE(first.find(" failed: "), std::string::npos) << first;
    EXPECT_NE(first.find("(error "), std::string::npos) << first;
    std::printf("%s -> %s\n", text, first.c_str());
  }
  // And then a window opens as before.
  EXPECT_TRUE(game.CreateGameWindow("Glumbo 3D", 640, 480, 16, false));
}

// Controllers: all four XInput pads are read (here from a stand-in with
// XInput's layout), and a pad unplugged while it holds a button or the stick
// lets those keys go.
platform::ControllerReading pads[4];
bool padConnected[4];
std::uint32_t ReadTestPad(std::uint32_t pad, platform::ControllerReading* reading) {
  if (pad >= 4 || !padConnected[pad]) return 1167;  // ERROR_DEVICE_NOT_CONNECTED
  *reading = pads[pad];
  return 0;
}

TEST(Win32Controllers, FourPadsAreReadAndAnUnpluggedPadLetsGo) {
  // XInput's button bits.
  constexpr std::uint16_t kDpadLeft = 0x0004, kStart = 0x0010, kA = 0x1000;
  ResetKeyState();
  for (int i = 0; i < 4; ++i) {
    pads[i] = {};
    padConnected[i] = true;
  }
  pads[0].buttons = kDpadLeft;
  pads[1].buttons = kA;
  pads[2].buttons = kStart;
  pads[3].leftX = 30000;  // the stick pushed right
  platform::SetControllerReaderForTests(&ReadTestPad);
  {
    GameWindow game;
    ASSERT_TRUE(game.CreateGameWindow("Glumbo 3D", 640, 480, 16, false));
    Pump(*game.GetDeviceContext());
    EXPECT_EQ(KeyState[VkLeft], KeyPressed);
    EXPECT_EQ(KeyState[VkSpace], KeyPressed);
    EXPECT_EQ(KeyState['P'], KeyPressed);
    EXPECT_EQ(KeyState[VkRight], KeyPressed);
    KeysSeenByFrame();  // a frame runs before the pads are unplugged

    padConnected[1] = false;  // unplugged holding A
    padConnected[3] = false;  // unplugged holding the stick right
    Pump(*game.GetDeviceContext());
    EXPECT_EQ(KeyState[VkSpace], KeyUp);
    EXPECT_EQ(KeyState[VkRight], KeyUp);
    EXPECT_EQ(KeyState[VkLeft], KeyPressed);  // the others still hold theirs
    EXPECT_EQ(KeyState['P'], KeyPressed);

    pads[0].buttons = 0;  // let go as usual
    Pump(*game.GetDeviceContext());
    EXPECT_EQ(KeyState[VkLeft], KeyUp);
    game.DestroyGameWindow();
  }
  platform::SetControllerReaderForTests(nullptr);
  ResetKeyState();
}

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
  EXPECT_EQ(ClientSize(game), std::pair(w, h));
  EXPECT_TRUE(game.GetDeviceContext()->CursorHidden());
  // Alt+Enter, as on Linux: the options page's full screen becomes a window
  // (of the requested size, as far as the screen holds it), the cursor shows.
  platform::PushKeyEvent(VkReturn, true, false, true);
  platform::PushKeyEvent(VkReturn, false, false, true);
  Pump(*game.GetDeviceContext());
  EXPECT_FALSE(game.GetDeviceContext()->IsFullScreen());
  EXPECT_FALSE(game.GetDeviceContext()->CursorHidden());
  EXPECT_LT(ClientSize(game).second, h) << "a window has a title bar";
  EXPECT_TRUE(game.fullScreen);  // the options page's choice is not touched
  // Again: the borderless full screen at the desktop's size.
  platform::PushKeyEvent(VkReturn, true, false, true);
  platform::PushKeyEvent(VkReturn, false, false, true);
  Pump(*game.GetDeviceContext());
  EXPECT_TRUE(game.GetDeviceContext()->IsFullScreen());
  EXPECT_EQ(ClientSize(game), std::pair(w, h));
  game.DestroyGameWindow();
  EXPECT_EQ(game.GetDeviceContext(), nullptr);
}

}  // namespace
