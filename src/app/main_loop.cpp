#include "app/main_loop.h"

#include "app/game_window.h"
#include "app/key_state.h"
#include "app/screenshot.h"
#include "game/game_state.h"
#include "game/game_step.h"
#include "render/render_frame.h"

bool WindowLoopDriver::TakeEvent(platform::Event& event) {
  platform::Window* window = gameWindow ? gameWindow->GetDeviceContext() : nullptr;
  return window && window->PollEvent(event);
}

void WindowLoopDriver::Present() {
  if (platform::Window* window = gameWindow ? gameWindow->GetDeviceContext() : nullptr) {
    window->SwapBuffers();
  }
}

namespace {

// The frame just drawn, at the window's size as it is now.
void SaveGameWindowPicture() {
  platform::Window* window = gameWindow ? gameWindow->GetDeviceContext() : nullptr;
  if (!window) return;
  int width = 0, height = 0;
  window->DrawableSize(width, height);
  SaveScreenshot(width, height);
}

}  // namespace

int RunGame(LoopDriver& driver) {
  bool done = false;
  TakeQuitMessage();
  if (!Startup()) return 0;

  while (!done) {
    if (QuitPosted()) {
      // The quit message is taken before any further frame.
      TakeQuitMessage();
      done = true;
      continue;
    }
    platform::Event event;
    if (driver.TakeEvent(event)) {
      HandleWindowEvent(event);
      continue;
    }
    if (appActive && KeyState[VkEscape] != KeyUp) done = true;
    if (driver.RenderEnabled()) {
      RenderFrame();
      if (TakeScreenshotRequest()) SaveGameWindowPicture();
    }
    driver.Present();
    if (GameState > 10) HandlePlayKeys();
    GameStep();
    KeysSeenByFrame();
    if (!driver.AfterFrame()) done = true;
  }

  Shutdown();
  return 0;
}
