#include "actors/player.h"
#include "app/key_state.h"
#include "game/game_objects.h"
#include "game/game_state.h"
#include "game/game_step.h"
#include "render/camera.h"

namespace {
// A press is taken once: it must be fresh, and it is marked as handled.
bool TakePress(int vk) {
  if (KeyState[vk] != KeyPressed) return false;
  KeyState[vk] = KeyHandled;
  return true;
}
}  // namespace

void HandlePlayKeys() {
  if (GameState != StatePlaying && GameState != StatePaused) return;
  if (!player || !camera) return;
  int d = player->GetDirection();
  const int m = camera->GetMode();
  const bool relative = m == 1 || m == 2;
  const bool overhead = m == 3;

  // Absolute steering turns to a heading, or speeds up along the one held.
  auto steerTo = [&](int heading) {
    if (d == heading) {
      player->Boost();
    } else {
      player->SetDirection(heading);
    }
  };

  if (TakePress(VkLeft)) {
    if (relative) {
      d = (d + 3) % 4;
      player->SetDirection(d);
    } else if (overhead) {
      steerTo(3);
    }
  }
  if (TakePress(VkRight)) {
    if (relative) {
      d = (d + 1) % 4;
      player->SetDirection(d);
    } else if (overhead) {
      steerTo(1);
    }
  }
  if (TakePress(VkUp)) {
    if (relative) {
      player->Boost();
    } else if (overhead) {
      steerTo(0);
    }
  }
  d = player->GetDirection();
  if (TakePress(VkDown)) {
    if (relative) {
      d = (d + 2) % 4;
      player->SetDirection(d);
    } else if (overhead) {
      steerTo(2);
    }
  }
  if (TakePress(VkSpace)) camera->SetMode(m + 1 > 3 ? 1 : m + 1);
  if (TakePress('P')) GameState = GameState == StatePaused ? StatePlaying : StatePaused;
}
