#pragma once

#include <string>

namespace platform {

// The folder that holds the running executable (with a trailing '/'), or "" if unknown.
std::string ExecutableDir();

}  // namespace platform
