// The whole program loop driven at a fixed step, as a tool or test drives it.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "app/frame_clock.h"
#include "app/game_window.h"
#include "app/key_state.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "platform/message_box.h"
#include "support/test_support.h"

namespace {

// Pushes scripted events before a frame's events are taken.
class ScriptedDriver : public WindowLoopDriver {
 public:
  std::map<int, std::function<void()>> script;  // by frame
  int frames = 0, presented = 0;
  bool TakeEvent(platform::Event& e) override {
    if (!started_ && script.count(frames)) script[frames]();
    started_ = true;
    return WindowLoopDriver::TakeEvent(e);
  }
  void Present() override { ++presented, WindowLoopDriver::Present(); }
  bool AfterFrame() override { return started_ = false, ++frames < 30; }

 private:
  bool started_ = false;
};

class MainLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    // Without its data the game stops at its first texture with status 0,
    // which would end the test process as if it had passed.
    ASSERT_TRUE(std::filesystem::exists("texturas/vida.bmp"));
    GameWindow::openHidden = true;
    settingsPath = dir.File("config.dat");
    screenWidth = 640, screenHeight = 480;
    SetClockSource([this] { return now += 1.0 / 70.0; });
    ResetFrameClock();
  }
  void TearDown() override { SetClockSource(nullptr), settingsPath = "config.dat"; }
  test::ScopedCwd cwd{GLUMBO_RUN_DIR};
  test::TempDir dir;
  double now = 0;
};

TEST_F(MainLoop, EscapeEndsAfterItsFrameUnlessMinimisedCloseAtOnceAndSettingsAreSaved) {
  const auto escape = [] { platform::PushKeyEvent(VkEscape, true); };
  const auto tap = [] { platform::PushKeyEvent(VkEscape, true), platform::PushKeyEvent(VkEscape, false); };
  const auto window = [](platform::EventType t) { return [t] { platform::PushWindowEvent(t); }; };
  struct Case { const char* name; std::map<int, std::function<void()>> script; int frames, presented; };
  const Case cases[] = {
      {"escape: the frame that saw it still runs and is shown", {{5, escape}}, 6, 6},
      {"escape while minimised waits for the first active frame",
       {{2, window(platform::EventType::Minimized)}, {3, escape}, {10, window(platform::EventType::Restored)}}, 11, -1},
      {"a close request ends without another frame", {{3, window(platform::EventType::CloseRequested)}}, 3, -1},
      {"a tap between two frames is seen by the next frame", {{5, tap}}, 6, 6},
      {"a tap while minimised is over after one frame",
       {{2, window(platform::EventType::Minimized)}, {3, tap}, {5, window(platform::EventType::Restored)}}, 30, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(settingsPath);
    ResetKeyState();
    ScriptedDriver driver;
    driver.script = c.script;
    EXPECT_EQ(RunGame(driver), 0);
    EXPECT_EQ(driver.frames, c.frames);
    EXPECT_TRUE(c.presented < 0 || driver.presented == c.presented) << driver.presented;
    EXPECT_EQ(test::ReadBytes(settingsPath).size(), 20u);
  }
}

TEST_F(MainLoop, SettingsComeFromTheFileAndAFailedWindowSavesNothing) {
  SettingsRecord r;
  r.screenWidth = 320, r.screenHeight = 240;
  r.windowed = false;  // full screen, refused below and answered No
  const auto bytes = EncodeSettings(r);
  const std::vector<std::uint8_t> file(bytes.begin(), bytes.end());
  test::WriteBytes(settingsPath, file);
  setenv("GLUMBO_REFUSE_FULLSCREEN", "1", 1);
  platform::SetMessageBoxHook([](const std::string&, const std::string&, platform::BoxButtons b, platform::BoxIcon) {
    return b == platform::BoxButtons::YesNo ? platform::BoxAnswer::No : platform::BoxAnswer::Ok;
  });
  ScriptedDriver driver;
  EXPECT_EQ(RunGame(driver), 0);
  EXPECT_EQ(driver.frames, 0);
  EXPECT_EQ(test::ReadBytes(settingsPath), file);  // untouched
}

}  // namespace
