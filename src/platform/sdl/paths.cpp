#include "platform/paths.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace platform {

std::string ExecutableDir() {
  char* base = SDL_GetBasePath();
  if (!base) return "";
  std::string dir = base;
  SDL_free(base);
  return dir;
}

bool DirectoryWritable(const std::string& dir) { return !dir.empty() && ::access(dir.c_str(), W_OK) == 0; }

std::string UserConfigBaseDir() {
  // A relative XDG_CONFIG_HOME is to be ignored, as the XDG rules say.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) {
    return (std::filesystem::path(home) / ".config").string();
  }
  return "";
}

}  // namespace platform
