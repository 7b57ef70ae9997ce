#include "world/door.h"

#include <cmath>

void Door::Update(double dt) {
  if (periodic) {
    timer += static_cast<float>(dt / 100.0);
    if (timer > period) {
      // The excess is kept so the rhythm does not drift with the frame rate.
      timer -= period;
      moving = true;
    }
  }
  if (!moving) return;
  // Slow at both ends of the swing, fastest half-way.
  const float step =
      static_cast<float>(dt) * (std::sin(angle * 3.141592f / 180.0f) * 5.0f + 1.0f);
  if (opening) {
    angle += step;
    if (angle > 180.0f) {
      moving = false;
      opening = false;
      angle = 180.0f;
    }
  } else {
    angle -= step;
    if (angle < 0.0f) {
      moving = false;
      opening = true;
      angle = 0.0f;
    }
  }
}
