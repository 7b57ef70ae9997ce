#include "platform/process.h"

#include <windows.h>

#include <cstdlib>

namespace platform {

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0.0;
  auto seconds = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

long ProcessId() { return static_cast<long>(GetCurrentProcessId()); }

void SetEnvironmentDefault(const std::string& name, const std::string& value) {
  if (std::getenv(name.c_str())) return;
  // Both the C runtime's copy (getenv) and the process's own block (child processes).
  _putenv_s(name.c_str(), value.c_str());
  SetEnvironmentVariableA(name.c_str(), value.c_str());
}

}  // namespace platform
