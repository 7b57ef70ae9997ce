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
  std::function<void(int frame)> beforeFrame;
  int frames = 0, maxFrames = 200, presented = 0;

  bool TakeEvent(platform::Event& e) override {
    if (!started_ && beforeFrame) beforeFrame(frames);
    started_ = true;
    return WindowLoopDriver::TakeEvent(e);
  }
  void Present() override {
    ++presented;
    WindowLoopDriver::Present();
  }
  bool AfterFrame() override {
    started_ = false;
    return ++frames < maxFrames;
  }

 private:
  bool started_ = false;
};

class MainLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    GameWindow::openHidden = true;
    settingsPath = dir.File("config.dat");
    screenWidth = 640;
    screenHeight = 480;
    SetClockSource([this] { return now += 1.0 / 70.0; });
    ResetFrameClock();
  }
  void TearDown() override {
    SetClockSource(nullptr);
    settingsPath = "config.dat";
    platform::SetMessageBoxHook(nullptr);
  }
  test::TempDir dir;
  double now = 0;
};

enum Push { Escape, Minimise, Restore, Close };

TEST_F(MainLoop, EscapeEndsAfterItsFrameUnlessMinimisedCloseAtOnceAndSettingsAreSaved) {
  struct Case { const char* name; std::map<int, Push> script; int frames, presented; };
  const Case cases[] = {
      {"escape: the frame that saw it still runs and is shown", {{5, Escape}}, 6, 6},
      {"escape while minimised waits for the first active frame", {{2, Minimise}, {3, Escape}, {10, Restore}}, 11, -1},
      {"a close request ends without another frame", {{3, Close}}, 3, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(settingsPath);
    ResetKeyState();
    ScriptedDriver driver;
    driver.maxFrames = 30;
    driver.beforeFrame = [&](int frame) {
      const auto it = c.script.find(frame);
      if (it == c.script.end()) return;
      if (it->second == Escape) platform::PushKeyEvent(VkEscape, true);
      if (it->second == Minimise) platform::PushWindowEvent(platform::EventType::Minimized);
      if (it->second == Restore) platform::PushWindowEvent(platform::EventType::Restored);
      if (it->second == Close) platform::PushWindowEvent(platform::EventType::CloseRequested);
    };
    EXPECT_EQ(RunGame(driver), 0);
    EXPECT_EQ(driver.frames, c.frames);
    if (c.presented >= 0) {
      EXPECT_EQ(driver.presented, c.presented);
    }
    EXPECT_EQ(test::ReadBytes(settingsPath).size(), 20u);
  }
}

TEST_F(MainLoop, SettingsComeFromTheFileAndAFailedWindowSavesNothing) {
  SettingsRecord r;
  r.screenWidth = 320;
  r.screenHeight = 240;
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
  unsetenv("GLUMBO_REFUSE_FULLSCREEN");
  EXPECT_EQ(driver.frames, 0);
  EXPECT_EQ(test::ReadBytes(settingsPath), file);  // untouched
}

}  // namespace
