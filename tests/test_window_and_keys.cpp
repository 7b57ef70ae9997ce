// The window, its OpenGL state and the key table, on a real window under Xvfb.
#include <gtest/gtest.h>

#include <cmath>

#include "app/game_window.h"
#include "app/key_state.h"
#include "platform/gl.h"
#include "platform/message_box.h"

namespace {

class RealWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    GameWindow::openHidden = true;
    window = std::make_unique<GameWindow>();
    ASSERT_TRUE(window->CreateGameWindow("Glumbo 3D", 640, 480, 16, false));
    gameWindow = window.get();
    ResetKeyState();
    appActive = true;
    TakeQuitMessage();
  }
  void TearDown() override {
    gameWindow = nullptr;
    window->DestroyGameWindow();
  }
  // Feeds every waiting event to the game, as the main loop does.
  void Pump() {
    platform::Event e;
    while (window->GetDeviceContext()->PollEvent(e)) HandleWindowEvent(e);
  }
  std::unique_ptr<GameWindow> window;
};

TEST_F(RealWindow, FixedOpenGLStateAfterCreation) {
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_GE(depthBits, 16);
  GLboolean doubleBuffer = GL_FALSE;
  glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffer);
  EXPECT_TRUE(doubleBuffer);

  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GLint v = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &v);
  EXPECT_EQ(v, GL_LEQUAL);
  glGetIntegerv(GL_CULL_FACE_MODE, &v);
  EXPECT_EQ(v, GL_BACK);
  glGetIntegerv(GL_SHADE_MODEL, &v);
  EXPECT_EQ(v, GL_SMOOTH);
  glGetIntegerv(GL_BLEND_SRC, &v);
  EXPECT_EQ(v, GL_SRC_ALPHA);
  glGetIntegerv(GL_BLEND_DST, &v);
  EXPECT_EQ(v, GL_ONE);
  glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &v);
  EXPECT_EQ(v, GL_NICEST);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[0], 0.0f);
  EXPECT_FLOAT_EQ(clear[3], 1.0f);
  GLfloat depthClear = 0;
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depthClear);
  EXPECT_FLOAT_EQ(depthClear, 1.0f);
}

TEST_F(RealWindow, ResizeViewSetsPerspectiveAndSurvivesHeightZero) {
  window->ResizeView(800, 600);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 800);
  EXPECT_EQ(viewport[3], 600);
  GLfloat p[16];
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  // 45 degrees vertical: p[5] = 1 / tan(22.5 degrees); aspect 4:3; near 1, far 50.
  EXPECT_NEAR(p[5], 2.41421, 1e-4);
  EXPECT_NEAR(p[0], 2.41421 / (800.0 / 600.0), 1e-4);
  EXPECT_NEAR(p[10], -(50.0 + 1.0) / (50.0 - 1.0), 1e-5);
  EXPECT_NEAR(p[14], -2.0 * 50.0 * 1.0 / (50.0 - 1.0), 1e-5);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_FLOAT_EQ(m[0], 1.0f);
  EXPECT_FLOAT_EQ(m[12], 0.0f);
  GLint mode;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);

  window->ResizeView(640, 0);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[3], 1);
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  EXPECT_TRUE(std::isfinite(p[0]));
  EXPECT_NEAR(p[0], 2.41421 / 640.0, 1e-6);
}

TEST_F(RealWindow, KeyDownArmsOnlyAnIdleKeyAndAutoRepeatNeverReArms) {
  platform::PushKeyEvent(VkRight, true);
  Pump();
  EXPECT_EQ(KeyState[VkRight], KeyPressed);

  KeyState[VkRight] = KeyHandled;  // a consumer took the press
  platform::PushKeyEvent(VkRight, true, /*repeat=*/true);
  platform::PushKeyEvent(VkRight, true, /*repeat=*/true);
  Pump();
  EXPECT_EQ(KeyState[VkRight], KeyHandled);

  platform::PushKeyEvent(VkRight, false);
  Pump();
  EXPECT_EQ(KeyState[VkRight], KeyUp);
  platform::PushKeyEvent(VkRight, true);
  Pump();
  EXPECT_EQ(KeyState[VkRight], KeyPressed);
}

TEST_F(RealWindow, KeysArriveAsVirtualKeyCodes) {
  const int codes[] = {VkLeft, VkUp, VkRight, VkDown, VkSpace, VkEscape, VkReturn, 'P', 'A', 'Z', '0', '9'};
  for (int vk : codes) platform::PushKeyEvent(vk, true);
  Pump();
  for (int vk : codes) EXPECT_EQ(KeyState[vk], KeyPressed) << vk;
  int armed = 0;
  for (int k : KeyState) armed += k != KeyUp;
  EXPECT_EQ(armed, static_cast<int>(std::size(codes)));
}

TEST_F(RealWindow, AltCombinationsAndF10NeverReachTheKeyTable) {
  platform::PushKeyEvent('X', true, false, /*alt=*/true);
  platform::PushKeyEvent(121, true);  // F10
  Pump();
  for (int k : KeyState) EXPECT_EQ(k, KeyUp);
  platform::PushKeyEvent(112, true);  // F1 is an ordinary key
  Pump();
  EXPECT_EQ(KeyState[112], KeyPressed);
}

TEST_F(RealWindow, MinimiseRestoreAndCloseRequest) {
  platform::PushWindowEvent(platform::EventType::Minimized);
  Pump();
  EXPECT_FALSE(appActive);
  platform::PushWindowEvent(platform::EventType::Restored);
  Pump();
  EXPECT_TRUE(appActive);
  EXPECT_FALSE(QuitPosted());
  platform::PushWindowEvent(platform::EventType::CloseRequested);
  Pump();
  EXPECT_TRUE(QuitPosted());
  TakeQuitMessage();
}

TEST_F(RealWindow, AResizeEventResetsTheViewport) {
  platform::PushWindowEvent(platform::EventType::Resized, 320, 240);
  Pump();
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 320);
  EXPECT_EQ(viewport[3], 240);
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

  {
    GameWindow w;
    ASSERT_TRUE(w.CreateGameWindow("Glumbo 3D", 640, 480, 16, true));
    EXPECT_FALSE(w.fullScreen);
    EXPECT_FALSE(w.GetDeviceContext()->IsFullScreen());
    w.DestroyGameWindow();
  }
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0],
            "¿Ventana? :-)|El modo pantalla completa no es soportado por\nSu tarjeta gráfica. ¿Desea usar modo "
            "ventana?");

  seen.clear();
  answer = platform::BoxAnswer::No;
  {
    GameWindow w;
    EXPECT_FALSE(w.CreateGameWindow("Glumbo 3D", 640, 480, 16, true));
    EXPECT_EQ(w.GetDeviceContext(), nullptr);
  }
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1], "ERROR|El programa cerrará.");

  platform::SetMessageBoxHook(nullptr);
  unsetenv("GLUMBO_REFUSE_FULLSCREEN");
}

}  // namespace
