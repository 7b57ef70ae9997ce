// Folders and files as the game names them. Every path the game keeps is a
// std::string in UTF-8 (or a std::filesystem::path made from one with
// PathFromUtf8); the backends turn them into the system's own form (UTF-16
// on Windows), so that folders of any name work (José, Música, ゲーム).
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// A path from the game's UTF-8 text, and back. Never construct a
// std::filesystem::path from a std::string, nor call its string(): on Windows
// those use the ANSI code page (or fail) instead of UTF-8. On Windows a long
// absolute path (near MAX_PATH or longer) gets the \\?\ prefix that lifts the
// limit for every call that takes it; Utf8FromPath leaves the prefix out.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// std::fopen for a path of any name (and any length); nullptr when it cannot be opened.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// Makes the folder the working folder; false, with the system's reason in
// *why, when it cannot. (On Windows a folder deeper than MAX_PATH is entered
// by its short 8.3 name where long paths are not switched on.)
bool SetWorkingDirectory(const std::string& dir, std::string* why);

// The folder that holds the running executable (with a trailing '/' or '\'), or "" if unknown.
std::string ExecutableDir();

// True when files can be created in the folder.
bool DirectoryWritable(const std::string& dir);

// The folder under which the game keeps its own per-user folder of settings
// (on Linux $XDG_CONFIG_HOME, else ~/.config; on Windows %APPDATA%), or "" when there is none.
std::string UserConfigBaseDir();

// The name of the game's own folder under those folders ("glumbo3d" on Linux,
// "Glumbo3D" on Windows).
std::string UserFolderName();

// The player's pictures folder (on Linux XDG_PICTURES_DIR of the user-dirs
// file, else ~/Pictures; on Windows the known folder Pictures), or "" when there is none.
std::string UserPicturesDir();

}  // namespace platform
