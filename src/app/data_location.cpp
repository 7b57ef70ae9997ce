#include "app/data_location.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/settings.h"
#include "platform/message_box.h"
#include "platform/paths.h"

#ifndef GLUMBO_INSTALL_DATADIR
#define GLUMBO_INSTALL_DATADIR "/usr/local/share/glumbo3d"
#endif

namespace fs = std::filesystem;

std::optional<std::string> FindDataDir(const std::vector<std::string>& candidates) {
  for (const std::string& dir : candidates) {
    if (dir.empty()) continue;
    std::error_code ec;
    if (fs::is_directory(fs::path(dir) / "pantallas", ec)) return dir;
  }
  return std::nullopt;
}

std::vector<std::string> DefaultDataDirCandidates() {
  std::error_code ec;
  fs::path cwd = fs::current_path(ec);
  const std::string exeDir = platform::ExecutableDir();
  // An installed tree moved elsewhere keeps its data beside bin/, in share/glumbo3d.
  const std::string besideBin = exeDir.empty() ? std::string() : exeDir + "../share/glumbo3d";
  return {ec ? std::string() : cwd.string(), exeDir, besideBin, GLUMBO_INSTALL_DATADIR};
}

std::string ChooseSettingsPath(const std::string& dataDir) {
  if (!dataDir.empty() && ::access(dataDir.c_str(), W_OK) == 0) {
    return (fs::path(dataDir) / "config.dat").string();
  }
  fs::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = fs::path(home) / ".config";
  } else {
    return "config.dat";
  }
  fs::path dir = base / "glumbo3d";
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) return "config.dat";
  return (dir / "config.dat").string();
}

bool EnterDataDir() {
  std::optional<std::string> dir = FindDataDir(DefaultDataDirCandidates());
  if (!dir) {
    platform::ShowMessageBox(
        "No se encuentran los datos del juego (la carpeta \"pantallas\").\n"
        "Instale el juego de nuevo o arránquelo desde su carpeta.",
        "FATAL ERROR", platform::BoxButtons::Ok, platform::BoxIcon::None);
    return false;
  }
  std::error_code ec;
  fs::current_path(*dir, ec);
  if (ec) {
    std::fprintf(stderr, "glumbo3d: cannot enter %s: %s\n", dir->c_str(), ec.message().c_str());
  }
  fs::path absolute = fs::absolute(*dir, ec);
  settingsPath = ChooseSettingsPath(ec ? *dir : absolute.string());
  std::fprintf(stderr, "glumbo3d: data in %s, settings in %s\n", dir->c_str(), settingsPath.c_str());
  return true;
}
