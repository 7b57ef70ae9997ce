// Where the game's data and its settings file live.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Folders and files are UTF-8 text (platform/paths.h turns them into paths).
//
// A folder that may hold the game's data. A run directory (the working folder,
// the executable's folder) is a copy of the game that keeps its settings with
// it; any other is an installed copy.
struct DataDirCandidate {
  std::string dir;
  bool runDirectory = false;
};

// An installer leaves this file beside the game it installs: such a folder is
// an installed copy even though the executable runs from it (on Windows the
// game and its data share one folder under Program Files).
inline constexpr const char* kInstalledMarker = "glumbo3d-installed.txt";
bool MarkedInstalled(const std::string& dir);

// The first candidate that holds the game's data (a pantallas/ folder), or nothing.
std::optional<DataDirCandidate> FindDataDir(const std::vector<DataDirCandidate>& candidates);

// The usual candidates: the working directory, the executable's folder, the
// share/glumbo3d beside the executable's bin/ folder, the share/games/glumbo3d
// beside its games/ folder, the installed share/glumbo3d.
std::vector<DataDirCandidate> DefaultDataDirCandidates();

// Where config.dat is kept: beside the data of a run directory that can be
// written; for an installed copy (or an unwritable run directory) in the
// player's own settings folder (on Linux $XDG_CONFIG_HOME/glumbo3d/, default
// ~/.config/glumbo3d/; on Windows %APPDATA%\Glumbo3D\), which is created when needed. "config.dat" (the
// working directory) when none of these works.
std::string ChooseSettingsPath(const DataDirCandidate& data);

// Finds the data, makes it the working directory and picks the settings file.
// A missing data folder shows the fatal box and returns false.
bool EnterDataDir();
