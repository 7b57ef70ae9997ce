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

std::optional<DataDirCandidate> FindDataDir(const std::vector<DataDirCandidate>& candidates) {
  for (const DataDirCandidate& c : candidates) {
    if (c.dir.empty()) continue;
    std::error_code ec;
    if (fs::is_directory(fs::path(c.dir) / "pantallas", ec)) return c;
  }
  return std::nullopt;
}

bool MarkedInstalled(const std::string& dir) {
  std::error_code ec;
  return !dir.empty() && fs::is_regular_file(fs::path(dir) / kInstalledMarker, ec);
}

std::vector<DataDirCandidate> DefaultDataDirCandidates() {
  std::error_code ec;
  fs::path cwd = fs::current_path(ec);
  const std::string cwdDir = ec ? std::string() : cwd.string();
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
    return (fs::path(data.dir) / "config.dat").string();
  }
  const std::string base = platform::UserConfigBaseDir();
  if (base.empty()) return "config.dat";
  fs::path dir = fs::path(base) / platform::UserFolderName();
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) return "config.dat";
  return (dir / "config.dat").string();
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
  std::error_code ec;
  fs::current_path(dir, ec);
  if (ec) {
    std::fprintf(stderr, "glumbo3d: cannot enter %s: %s\n", dir.c_str(), ec.message().c_str());
  }
  fs::path absolute = fs::absolute(dir, ec);
  settingsPath = ChooseSettingsPath({ec ? dir : absolute.string(), found->runDirectory});
  std::fprintf(stderr, "glumbo3d: data in %s, settings in %s\n", dir.c_str(), settingsPath.c_str());
  return true;
}
