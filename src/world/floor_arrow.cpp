#include "world/floor_arrow.h"

void FloorArrow::Update(double dt) {
  // The picture runs from 1.0 down to 0.5 and wraps, so the arrow seems to travel.
  scroll -= static_cast<float>(dt * 0.01);
  if (scroll < 0.5f) scroll += 0.5f;
}
