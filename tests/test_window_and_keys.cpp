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
  static GLint Int(GLenum what) {
    GLint v[4] = {};
    glGetIntegerv(what, v);
    return v[0];
  }
  static void ExpectProjection(double p0, double p5) {
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[0], p0, p0 > 0.1 ? 1e-4 : 1e-6);
    EXPECT_NEAR(p[5], p5, 1e-4);
    EXPECT_NEAR(p[10], -(50.0 + 1.0) / (50.0 - 1.0), 1e-5);  // near 1, far 50
    EXPECT_NEAR(p[14], -2.0 * 50.0 * 1.0 / (50.0 - 1.0), 1e-5);
  }
  std::unique_ptr<GameWindow> window;
};

TEST_F(RealWindow, FixedOpenGLStateAfterCreation) {
  EXPECT_GE(Int(GL_DEPTH_BITS), 16);
  for (GLenum on : {GL_DOUBLEBUFFER, GL_DEPTH_TEST, GL_TEXTURE_2D, GL_CULL_FACE, GL_LIGHTING}) EXPECT_EQ(Int(on), 1) << on;
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  const std::pair<GLenum, GLint> values[] = {{GL_DEPTH_FUNC, GL_LEQUAL}, {GL_CULL_FACE_MODE, GL_BACK},
                                             {GL_SHADE_MODEL, GL_SMOOTH}, {GL_BLEND_SRC, GL_SRC_ALPHA},
                                             {GL_BLEND_DST, GL_ONE}, {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}};
  for (auto [what, want] : values) EXPECT_EQ(Int(what), want) << what;
  GLfloat clear[4], depthClear = 0;
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depthClear);
  EXPECT_EQ(std::vector<float>(clear, clear + 4), (std::vector<float>{0, 0, 0, 1}));
  EXPECT_FLOAT_EQ(depthClear, 1.0f);
}

TEST_F(RealWindow, ResizeSetsViewportAndPerspectiveAndSurvivesHeightZero) {
  // 45 degrees vertical: p[5] = 1 / tan(22.5 degrees).
  window->ResizeView(800, 600);
  EXPECT_EQ(Int(GL_MATRIX_MODE), GL_MODELVIEW);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_TRUE(m[0] == 1.0f && m[12] == 0.0f) << "identity model view";
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_TRUE(viewport[2] == 800 && viewport[3] == 600);
  ExpectProjection(2.41421 / (800.0 / 600.0), 2.41421);
  window->ResizeView(640, 0);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[3], 1);
  ExpectProjection(2.41421 / 640.0, 2.41421);
  // A resize event from the desktop goes the same way.
  platform::PushWindowEvent(platform::EventType::Resized, 320, 240);
  Pump();
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_TRUE(viewport[2] == 320 && viewport[3] == 240);
}

TEST_F(RealWindow, KeyDownArmsOnlyAnIdleKeyAndAutoRepeatNeverReArms) {
  const struct { bool down, repeat; int want; } steps[] = {
      {true, false, KeyPressed}, {true, true, KeyHandled}, {false, false, KeyUp}, {true, false, KeyPressed}};
  for (const auto& s : steps) {
    platform::PushKeyEvent(VkRight, s.down, s.repeat);
    if (s.repeat) platform::PushKeyEvent(VkRight, true, true);
    Pump();
    EXPECT_EQ(KeyState[VkRight], s.want) << "down " << s.down << " repeat " << s.repeat;
    if (s.want == KeyPressed) KeyState[VkRight] = KeyHandled;  // a consumer takes the press
  }
}

TEST_F(RealWindow, KeysArriveAsVirtualKeyCodesButAltCombinationsAndF10DoNot) {
  platform::PushKeyEvent('X', true, false, /*alt=*/true);
  platform::PushKeyEvent(121, true);  // F10
  const int codes[] = {VkLeft, VkUp, VkRight, VkDown, VkSpace, VkEscape, VkReturn, 'P', 'A', 'Z', '0', '9', 112};
  for (int vk : codes) platform::PushKeyEvent(vk, true);  // 112, F1, is an ordinary key
  Pump();
  int armed = 0;
  for (int k : KeyState) armed += k != KeyUp;
  EXPECT_EQ(armed, static_cast<int>(std::size(codes)));
  for (int vk : codes) EXPECT_EQ(KeyState[vk], KeyPressed) << vk;
}

TEST_F(RealWindow, MinimiseRestoreAndCloseRequest) {
  const std::tuple<platform::EventType, bool, bool> steps[] = {{platform::EventType::Minimized, false, false},
                                                               {platform::EventType::Restored, true, false},
                                                               {platform::EventType::CloseRequested, true, true}};
  for (auto [event, active, quit] : steps) {
    platform::PushWindowEvent(event);
    Pump();
    EXPECT_EQ(appActive, active);
    EXPECT_EQ(QuitPosted(), quit);
  }
  TakeQuitMessage();
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
  {
    GameWindow w;
    ASSERT_TRUE(w.CreateGameWindow("Glumbo 3D", 640, 480, 16, true));
    EXPECT_FALSE(w.fullScreen);
    EXPECT_FALSE(w.GetDeviceContext()->IsFullScreen());
    w.DestroyGameWindow();
  }
  EXPECT_EQ(seen, std::vector<std::string>{ask});
  answer = platform::BoxAnswer::No;
  {
    GameWindow w;
    EXPECT_FALSE(w.CreateGameWindow("Glumbo 3D", 640, 480, 16, true));
    EXPECT_EQ(w.GetDeviceContext(), nullptr);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{ask, ask, "ERROR|El programa cerrará."}));
  platform::SetMessageBoxHook(nullptr);
  unsetenv("GLUMBO_REFUSE_FULLSCREEN");
}

}  // namespace
