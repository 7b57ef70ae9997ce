// Helpers shared by the tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/window.h"

namespace test {

// A fresh empty folder under the build tree, removed at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Changes the working directory for the lifetime of the object.
class ScopedCwd {
 public:
  explicit ScopedCwd(const std::filesystem::path& dir);
  ~ScopedCwd();

 private:
  std::filesystem::path old_;
};

void WriteFile(const std::string& path, const std::string& bytes);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadBytes(const std::string& path);

// A hidden window with a current OpenGL context (Mesa under Xvfb in the tests).
class GLContext {
 public:
  explicit GLContext(int width = 640, int height = 480);
  ~GLContext();
  bool ok() const { return ok_; }
  platform::Window& window() { return window_; }

 private:
  platform::Window window_;
  bool ok_ = false;
};

// Writes the current framebuffer (width x height from the origin) as a PNG file.
bool SaveFramebufferPng(const std::string& path, int width, int height);

// Reads one pixel of the current framebuffer as RGB bytes.
void ReadPixel(int x, int y, std::uint8_t rgb[3]);

}  // namespace test
