// Controller input as the game's keys: the d-pad and the left stick act as the
// arrow keys, the south face button as Space, Start as P. A stick axis holds
// its arrow down past a press threshold and lets it go only below a lower
// release threshold, so that a stick resting near the edge does not chatter.
// Button codes and axis numbers are those of platform/window.h.
#pragma once

#include <vector>

#include "platform/window.h"

namespace platform {

// The key a controller button stands for, or -1 for a button the game does not use.
int VirtualKeyFromControllerButton(int button);

class StickKeys {
 public:
  // The key events one new axis value gives (none, one, or a release then a press
  // when the stick swings straight across). axis: ControllerAxis::LeftX or LeftY
  // (y grows downwards); value -32768 to 32767.
  std::vector<Event> Move(int axis, int value);

 private:
  int held_[2] = {-1, -1};  // the arrow each axis holds down, or -1
};

}  // namespace platform
