#pragma once

namespace platform {

// Seconds from a monotonic clock; only differences between readings mean anything.
double MonotonicSeconds();

// Whole seconds of the wall clock, for seeding the random generator.
long WallClockSeconds();

}  // namespace platform
