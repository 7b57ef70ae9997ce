#include "app/screenshot.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/gl.h"
#include "platform/paths.h"
#include "platform/png_writer.h"

namespace fs = std::filesystem;

namespace {
bool screenshotRequested = false;
}

void RequestScreenshot() { screenshotRequested = true; }

bool TakeScreenshotRequest() {
  const bool requested = screenshotRequested;
  screenshotRequested = false;
  return requested;
}

std::optional<std::string> ScreenshotPath(const std::string& picturesDir, std::time_t when) {
  if (picturesDir.empty()) return std::nullopt;
  std::tm local{};
  if (const std::tm* t = std::localtime(&when)) local = *t;
  // No colons: the name must be valid on every desktop.
  char stamp[64];
  std::strftime(stamp, sizeof stamp, "glumbo3d-%Y-%m-%d-%H%M%S", &local);
  const fs::path dir = platform::PathFromUtf8(picturesDir) / "Glumbo3D";
  std::error_code ec;
  for (int n = 1; n < 1000; ++n) {
    char name[96];
    if (n == 1) {
      std::snprintf(name, sizeof name, "%s.png", stamp);
    } else {
      std::snprintf(name, sizeof name, "%s-%d.png", stamp, n);
    }
    const fs::path candidate = dir / name;
    if (!fs::exists(candidate, ec)) return platform::Utf8FromPath(candidate);
  }
  return std::nullopt;
}

std::optional<std::string> SaveScreenshot(int width, int height) {
  const std::optional<std::string> path = ScreenshotPath(platform::UserPicturesDir(), std::time(nullptr));
  if (!path || width <= 0 || height <= 0) {
    std::fprintf(stderr, "glumbo3d: no picture saved: no pictures folder\n");
    return std::nullopt;
  }
  std::error_code ec;
  fs::create_directories(platform::PathFromUtf8(*path).parent_path(), ec);
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  if (!platform::WritePngBottomUp(*path, width, height, rgb)) {
    std::fprintf(stderr, "glumbo3d: could not save the picture %s\n", path->c_str());
    return std::nullopt;
  }
  std::fprintf(stderr, "glumbo3d: picture saved in %s\n", path->c_str());
  return path;
}
