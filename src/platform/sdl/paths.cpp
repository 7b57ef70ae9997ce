#include "platform/paths.h"

#include <SDL.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace platform {

std::filesystem::path PathFromUtf8(std::string_view utf8) { return std::filesystem::path(utf8); }

std::string Utf8FromPath(const std::filesystem::path& path) { return path.string(); }

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool SetWorkingDirectory(const std::string& dir, std::string* why) {
  if (::chdir(dir.c_str()) == 0) return true;
  if (why) *why = std::strerror(errno);
  return false;
}

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

std::string UserFolderName() { return "glumbo3d"; }

namespace {

// The value of XDG_PICTURES_DIR in the user-dirs file: a line such as
// XDG_PICTURES_DIR="$HOME/Bilder", where only $HOME is expanded.
std::string PicturesDirFromUserDirs(const std::string& configBase, const std::string& home) {
  std::ifstream in(std::filesystem::path(configBase) / "user-dirs.dirs");
  std::string line;
  const std::string key = "XDG_PICTURES_DIR=\"";
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    const auto end = value.find('"');
    if (end == std::string::npos) return "";
    value.resize(end);
    if (value.rfind("$HOME", 0) == 0) {
      value = home + value.substr(5);
    } else if (value.empty() || value[0] != '/') {
      return "";  // only absolute paths or ones under $HOME are allowed there
    }
    return value;
  }
  return "";
}

}  // namespace

std::string UserPicturesDir() {
  const char* home = std::getenv("HOME");
  const std::string homeDir = home ? home : "";
  const std::string base = UserConfigBaseDir();
  if (!base.empty()) {
    std::string fromFile = PicturesDirFromUserDirs(base, homeDir);
    // The user-dirs rules: a folder that is just the home folder means "none set".
    if (!fromFile.empty() && fromFile != homeDir && fromFile != homeDir + "/") return fromFile;
  }
  if (homeDir.empty()) return "";
  return (std::filesystem::path(homeDir) / "Pictures").string();
}

}  // namespace platform
