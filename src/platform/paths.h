#pragma once

#include <string>

namespace platform {

// The folder that holds the running executable (with a trailing '/'), or "" if unknown.
std::string ExecutableDir();

// True when files can be created in the folder.
bool DirectoryWritable(const std::string& dir);

// The folder under which the game keeps its own per-user folder of settings
// (on Linux $XDG_CONFIG_HOME, else ~/.config), or "" when there is none.
std::string UserConfigBaseDir();

// The name of the game's own folder under those folders ("glumbo3d" on Linux,
// "Glumbo3D" on Windows).
std::string UserFolderName();

// The player's pictures folder (on Linux XDG_PICTURES_DIR of the user-dirs
// file, else ~/Pictures), or "" when there is none.
std::string UserPicturesDir();

}  // namespace platform
