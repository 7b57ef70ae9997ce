// Files the game rewrites (its settings and its records) are written whole to
// a temporary file beside them, which then takes the old file's place in one
// step: a crash, a full disk or a power cut mid-write leaves the old file as
// it was, never a file cut short.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/paths.h"

namespace platform {

// Puts the file `from` in the place of `to`, replacing it in one step once the
// new contents are on the disk. False, with the reason in *error, when it
// fails; `to` is then as it was.
bool ReplaceFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to, std::string* error);

using FileReplacer =
    std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to, std::string* error)>;

// Writes the bytes to a temporary file in the target's folder and puts it in
// the target's place with `replace`. On any failure the temporary file is
// removed, the target is untouched and *error says why. A target that is
// there but is not a plain file (a device, a folder) is never replaced.
bool WriteFileReplacing(const std::filesystem::path& target, std::string_view bytes, std::string* error,
                        const FileReplacer& replace = ReplaceFileAtomically);

}  // namespace platform
