// The whole program loop driven at a fixed step, as a tool or test drives it.
#include <gtest/gtest.h>

#include <functional>

#include "app/frame_clock.h"
#include "app/game_window.h"
#include "app/key_state.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "platform/message_box.h"
#include "support/test_support.h"

namespace {

// Runs a scripted action before each frame's events are taken.
class ScriptedDriver : public WindowLoopDriver {
 public:
  std::function<void(int frame)> beforeFrame;
  int frames = 0;
  int maxFrames = 200;
  int presented = 0;

  bool TakeEvent(platform::Event& e) override {
    if (!started_) {
      started_ = true;
      if (beforeFrame) beforeFrame(frames);
    }
    return WindowLoopDriver::TakeEvent(e);
  }
  void Present() override {
    ++presented;
    WindowLoopDriver::Present();
  }
  bool AfterFrame() override {
    ++frames;
    started_ = false;
    return frames < maxFrames;
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

TEST_F(MainLoop, EscapeEndsAfterTheFrameInWhichItWasSeenAndSavesTheSettings) {
  ScriptedDriver driver;
  driver.beforeFrame = [](int frame) {
    if (frame == 5) platform::PushKeyEvent(VkEscape, true);
  };
  EXPECT_EQ(RunGame(driver), 0);
  EXPECT_EQ(driver.frames, 6);     // the frame that saw Escape still ran
  EXPECT_EQ(driver.presented, 6);  // and was shown
  EXPECT_EQ(test::ReadBytes(settingsPath).size(), 20u);
}

TEST_F(MainLoop, EscapeWhileMinimisedDoesNothing) {
  ScriptedDriver driver;
  driver.maxFrames = 30;
  driver.beforeFrame = [](int frame) {
    if (frame == 2) platform::PushWindowEvent(platform::EventType::Minimized);
    if (frame == 3) platform::PushKeyEvent(VkEscape, true);
    if (frame == 10) platform::PushWindowEvent(platform::EventType::Restored);
  };
  RunGame(driver);
  EXPECT_EQ(driver.frames, 11);  // ends in the first active frame with Escape held
}

TEST_F(MainLoop, CloseRequestEndsWithoutAnotherFrame) {
  ScriptedDriver driver;
  driver.beforeFrame = [](int frame) {
    if (frame == 3) platform::PushWindowEvent(platform::EventType::CloseRequested);
  };
  RunGame(driver);
  EXPECT_EQ(driver.frames, 3);
  EXPECT_EQ(test::ReadBytes(settingsPath).size(), 20u);
}

TEST_F(MainLoop, SettingsComeFromTheFileAndAFailedWindowSavesNothing) {
  SettingsRecord r;
  r.screenWidth = 320;
  r.screenHeight = 240;
  r.windowed = false;  // full screen, refused below and answered No
  auto bytes = EncodeSettings(r);
  test::WriteBytes(settingsPath, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  setenv("GLUMBO_REFUSE_FULLSCREEN", "1", 1);
  platform::SetMessageBoxHook([](const std::string&, const std::string&, platform::BoxButtons b, platform::BoxIcon) {
    return b == platform::BoxButtons::YesNo ? platform::BoxAnswer::No : platform::BoxAnswer::Ok;
  });
  ScriptedDriver driver;
  EXPECT_EQ(RunGame(driver), 0);
  unsetenv("GLUMBO_REFUSE_FULLSCREEN");
  EXPECT_EQ(driver.frames, 0);
  auto after = test::ReadBytes(settingsPath);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), after);  // untouched
}

}  // namespace
