// Ties a door to the coins still to be eaten before it opens.
#pragma once

#include <cstdint>

struct DoorCounter {
  std::int32_t doorIndex = 0;
  std::int32_t coinsLeft = 0;
  std::int32_t targetLevel = 0;  // a copy of the door's target
};
