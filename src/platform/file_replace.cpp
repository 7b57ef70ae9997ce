#include "platform/file_replace.h"

#include <cstdio>
#include <system_error>

#include "platform/process.h"

namespace platform {

bool WriteFileReplacing(const std::filesystem::path& target, std::string_view bytes, std::string* error,
                        const FileReplacer& replace) {
  std::string why;
  std::error_code ec;
  const auto status = std::filesystem::status(target, ec);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    // A device or a folder in the file's place is not the game's to replace.
    if (error) *error = Utf8FromPath(target) + " is not a plain file";
    return false;
  }
  // Beside the target, so that the last step is a rename within one file system;
  // the process id keeps two running copies of the game out of each other's way.
  std::filesystem::path temporary = target;
  temporary += "." + std::to_string(ProcessId()) + ".tmp";
  // Opened by the platform so that a folder of any name works on every system.
  bool written = false;
  if (std::FILE* out = OpenFile(temporary, "wb")) {
    written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    written = std::fclose(out) == 0 && written;
  }
  if (!written) {
    why = "cannot write " + Utf8FromPath(temporary);
  } else if (replace(temporary, target, &why)) {
    return true;
  }
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  if (error) *error = why;
  return false;
}

}  // namespace platform
