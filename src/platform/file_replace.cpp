#include "platform/file_replace.h"

#include <fstream>
#include <system_error>

#include "platform/process.h"

namespace platform {

std::filesystem::path PathFromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

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
  bool written = false;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (out) {
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      out.close();
      written = !out.fail();
    }
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
