// The current framebuffer read back once, for tests that count pixels of a
// colour in a box, and the folder under the build tree where pictures go.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gl.h"

namespace test {

using PixelTest = bool (*)(const std::uint8_t* rgb);

struct FramePixels {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;

  FramePixels(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  }
  const std::uint8_t* At(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
  // Pixels in the box (inclusive, clipped to the frame) that pass the test.
  template <typename F>
  int Count(int x0, int y0, int x1, int y1, F pass) const {
    int n = 0;
    for (int y = std::max(0, y0); y <= std::min(height - 1, y1); ++y)
      for (int x = std::max(0, x0); x <= std::min(width - 1, x1); ++x) n += pass(At(x, y)) ? 1 : 0;
    return n;
  }
  template <typename F>
  int Count(F pass) const { return Count(0, 0, width - 1, height - 1, pass); }
};

inline std::string PicturePath(const std::string& name) {
  const std::filesystem::path dir = std::filesystem::path(GLUMBO_BINARY_DIR) / "pictures";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

}  // namespace test
