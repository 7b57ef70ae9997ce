// The game's random numbers: one generator of its own with the sequence of the
// Windows C runtime's rand(), so that a seed gives the same game on every
// platform and every draw of a recorded run can be played back anywhere.
#pragma once

#include <cstdint>

constexpr int kGameRandMax = 0x7FFF;

// Starts the sequence again from a seed (once per run, from the clock).
void SeedGameRandom(std::uint32_t seed);
// The next number, 0 to kGameRandMax.
int GameRandom();
