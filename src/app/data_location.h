// Where the game's data and its settings file live.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The first folder of the candidates that holds the game's data (a pantallas/
// folder), or nothing.
std::optional<std::string> FindDataDir(const std::vector<std::string>& candidates);

// The usual candidates: the working directory, the executable's folder, the
// share/glumbo3d beside the executable's bin/ folder, the installed share/glumbo3d.
std::vector<std::string> DefaultDataDirCandidates();

// Where config.dat is kept: beside the data when that folder is writable,
// otherwise in $XDG_CONFIG_HOME/glumbo3d/ (default ~/.config/glumbo3d/), which
// is created when needed. "config.dat" (the working directory) when neither works.
std::string ChooseSettingsPath(const std::string& dataDir);

// Finds the data, makes it the working directory and picks the settings file.
// A missing data folder shows the fatal box and returns false.
bool EnterDataDir();
