#include "platform/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform {

bool ReplaceFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to, std::string* error) {
  // The new contents go to the disk before the name moves over them: a power
  // cut just after the rename must not leave an empty file under the old name.
  const int fd = open(from.c_str(), O_RDONLY);
  if (fd < 0 || fsync(fd) != 0) {
    if (error) *error = "cannot write " + Utf8FromPath(from) + ": " + std::strerror(errno);
    if (fd >= 0) close(fd);
    return false;
  }
  close(fd);
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    if (error) *error = "cannot replace " + Utf8FromPath(to) + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace platform
