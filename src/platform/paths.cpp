#include "platform/paths.h"

#include <SDL.h>

namespace platform {

std::string ExecutableDir() {
  char* base = SDL_GetBasePath();
  if (!base) return "";
  std::string dir = base;
  SDL_free(base);
  return dir;
}

}  // namespace platform
