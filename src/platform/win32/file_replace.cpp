#include "platform/file_replace.h"

#include <windows.h>

#include <system_error>

namespace platform {

bool ReplaceFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to, std::string* error) {
  // Write-through: the call returns once the new contents and the name are on the disk.
  if (MoveFileExW(from.wstring().c_str(), to.wstring().c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  const DWORD code = GetLastError();
  if (error) {
    *error = "cannot replace " + Utf8FromPath(to) + ": " + std::system_category().message(static_cast<int>(code));
  }
  return false;
}

}  // namespace platform
