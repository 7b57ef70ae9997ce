#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace platform {

double MonotonicSeconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

long WallClockSeconds() { return static_cast<long>(std::time(nullptr)); }

}  // namespace platform
