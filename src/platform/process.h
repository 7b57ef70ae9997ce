// What the tools ask of the running process.
#pragma once

#include <string>

namespace platform {

// Processor time the process has used so far, user and system, in seconds.
double ProcessCpuSeconds();

// The process's id, for names of temporary files.
long ProcessId();

// Sets an environment variable for this process and those it starts, unless it is set already.
void SetEnvironmentDefault(const std::string& name, const std::string& value);

}  // namespace platform
