#include "platform/process.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long ProcessId() { return static_cast<long>(getpid()); }

void SetEnvironmentDefault(const std::string& name, const std::string& value) {
  setenv(name.c_str(), value.c_str(), 0);
}

}  // namespace platform
