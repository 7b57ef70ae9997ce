#include "game/game_random.h"

namespace {

// The runtime's state starts as if seeded with 1.
std::uint32_t state = 1;

}  // namespace

void SeedGameRandom(std::uint32_t seed) { state = seed; }

int GameRandom() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & kGameRandMax);
}
