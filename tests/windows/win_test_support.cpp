#include "windows/win_test_support.h"

#include "app/key_state.h"
#include "platform/process.h"

namespace wintest {

ScratchDir::ScratchDir(const std::string& name)
    : path_(std::filesystem::temp_directory_path() /
            ("glumbo-wintest-" + name + "-" + std::to_string(platform::ProcessId()))) {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::vector<platform::Event> Pump(platform::Window& window) {
  std::vector<platform::Event> taken;
  platform::Event e;
  while (window.PollEvent(e)) {
    HandleWindowEvent(e);
    taken.push_back(e);
  }
  return taken;
}

}  // namespace wintest
