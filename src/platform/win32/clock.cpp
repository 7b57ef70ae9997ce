#include "platform/clock.h"

#include <windows.h>

#include <ctime>

namespace platform {

double MonotonicSeconds() {
  static const double ticksPerSecond = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerSecond;
}

long WallClockSeconds() { return static_cast<long>(std::time(nullptr)); }

}  // namespace platform
