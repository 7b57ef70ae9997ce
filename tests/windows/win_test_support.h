// Helpers of the Windows backend's tests: a scratch folder, and running the
// window's events through the game's own handler.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/window.h"

namespace wintest {

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name);
  ~ScratchDir();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Takes every waiting event, hands each to the game's window handler, and returns them.
std::vector<platform::Event> Pump(platform::Window& window);

}  // namespace wintest
