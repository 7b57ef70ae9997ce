#include "app/key_state.h"

#include "app/game_window.h"
#include "app/screenshot.h"

int KeyState[256] = {};
bool appActive = true;

namespace {
bool quitPosted = false;
// Armed since the last frame: no frame has seen this press yet.
bool unseenPress[256] = {};
// Released before any frame saw the press; applied after the next frame.
bool releaseWaiting[256] = {};
}  // namespace

void ResetKeyState() {
  for (int& k : KeyState) k = KeyUp;
  for (bool& b : unseenPress) b = false;
  for (bool& b : releaseWaiting) b = false;
}

void KeysSeenByFrame() {
  for (int vk = 0; vk < 256; ++vk) {
    if (releaseWaiting[vk]) KeyState[vk] = KeyUp;
    unseenPress[vk] = releaseWaiting[vk] = false;
  }
}

void HandleWindowEvent(const platform::Event& event) {
  switch (event.type) {
    case platform::EventType::KeyDown:
      if (event.vk < 0 || event.vk >= 256) break;
      // Only an idle key is armed, so auto-repeat never re-arms a handled key.
      if (KeyState[event.vk] == KeyUp) KeyState[event.vk] = KeyPressed, unseenPress[event.vk] = true;
      // Down again before the frame: the key is held, the tap's release is void.
      releaseWaiting[event.vk] = false;
      break;
    case platform::EventType::KeyUp:
      if (event.vk < 0 || event.vk >= 256) break;
      if (unseenPress[event.vk] && KeyState[event.vk] == KeyPressed) {
        releaseWaiting[event.vk] = true;
      } else {
        KeyState[event.vk] = KeyUp;
      }
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
