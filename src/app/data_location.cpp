#include "app/data_location.h"

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
using platform::PathFromUtf8;
using platform::Utf8FromPath;

std::optional<DataDirCandidate> FindDataDir(const std::vector<DataDirCandidate>& candidates) {
  for (const DataDirCandidate& c : candidates) {
    if (c.dir.empty()) continue;
    std::error_code ec;
    if (fs::is_directory(PathFromUtf8(c.dir) / "pantallas", ec)) return c;
  }
  return std::nullopt;
}

bool MarkedInstalled(const std::string& dir) {
  std::error_code ec;
  return !dir.empty() && fs::is_regular_file(PathFromUtf8(dir) / kInstalledMarker, ec);
}

std::vector<DataDirCandidate> DefaultDataDirCandidates() {
  std::error_code ec;
  fs::path cwd = fs::current_path(ec);
  const std::string cwdDir = ec ? std::string() : Utf8FromPath(cwd);
  const std::string exeDir = platform::ExecutableDir();
  // An installed tree moved elsewhere keeps its data beside bin/, in share/glumbo3d.
  const std::string besideBin = exeDir.empty() ? std::string() : exeDir + "../share/glumbo3d";
  // Debian's layout for games: the program in /usr/games, its data in /usr/share/games.
  const std::string besideGames = exeDir.empty() ? std::string() : exeDir + "../share/games/glumbo3d";
  return {{cwdDir, !MarkedInstalled(cwdDir)},
          {exeDir, !MarkedInstalled(exeDir)},
          {besideBin, false},
          {besideGames, false},
          {GLUMBO_INSTALL_DATADIR, false}};
}

std::string ChooseSettingsPath(const DataDirCandidate& data) {
  if (data.runDirectory && platform::DirectoryWritable(data.dir)) {
    return Utf8FromPath(PathFromUtf8(data.dir) / "config.dat");
  }
  const std::string base = platform::UserConfigBaseDir();
  if (base.empty()) return "config.dat";
  fs::path dir = PathFromUtf8(base) / platform::UserFolderName();
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) return "config.dat";
  return Utf8FromPath(dir / "config.dat");
}

bool EnterDataDir() {
  std::optional<DataDirCandidate> found = FindDataDir(DefaultDataDirCandidates());
  if (!found) {
    platform::ShowMessageBox(
        "No se encuentran los datos del juego (la carpeta \"pantallas\").\n"
        "Instale el juego de nuevo o arránquelo desde su carpeta.",
        "FATAL ERROR", platform::BoxButtons::Ok, platform::BoxIcon::None);
    return false;
  }
  const std::string& dir = found->dir;
  std::string why;
  if (!platform::SetWorkingDirectory(dir, &why)) {
    std::fprintf(stderr, "glumbo3d: cannot enter %s: %s\n", dir.c_str(), why.c_str());
  }
  std::error_code ec;
  fs::path absolute = fs::absolute(PathFromUtf8(dir), ec);
  settingsPath = ChooseSettingsPath({ec ? dir : Utf8FromPath(absolute), found->runDirectory});
  std::fprintf(stderr, "glumbo3d: data in %s, settings in %s\n", dir.c_str(), settingsPath.c_str());
  return true;
}
