#include "app/key_state.h"

#include "app/game_window.h"
#include "app/screenshot.h"

int KeyState[256] = {};
bool appActive = true;

namespace {
bool quitPosted = false;
}

void ResetKeyState() {
  for (int& k : KeyState) k = KeyUp;
}

void HandleWindowEvent(const platform::Event& event) {
  switch (event.type) {
    case platform::EventType::KeyDown:
      // Only an idle key is armed, so auto-repeat never re-arms a handled key.
      if (event.vk >= 0 && event.vk < 256 && KeyState[event.vk] == KeyUp) KeyState[event.vk] = KeyPressed;
      break;
    case platform::EventType::KeyUp:
      if (event.vk >= 0 && event.vk < 256) KeyState[event.vk] = KeyUp;
      break;
    case platform::EventType::Minimized:
      appActive = false;
      break;
    case platform::EventType::Restored:
      appActive = true;
      break;
    case platform::EventType::Resized:
      if (gameWindow) gameWindow->ResizeView(event.width, event.height);
      break;
    case platform::EventType::CloseRequested:
      quitPosted = true;
      break;
    case platform::EventType::SaveScreenshot:
      RequestScreenshot();
      break;
  }
}

bool QuitPosted() { return quitPosted; }
void TakeQuitMessage() { quitPosted = false; }
