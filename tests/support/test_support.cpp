#include "support/test_support.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/gl.h"
#include "platform/png_writer.h"
#include "platform/process.h"

namespace test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("glumbo-test-" + std::to_string(platform::ProcessId()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;  // a test's leftovers never fail the test
  std::filesystem::remove_all(path_, ignored);
}

ScopedCwd::ScopedCwd(const std::filesystem::path& dir) : old_(std::filesystem::current_path()) {
  std::filesystem::current_path(dir);
}

ScopedCwd::~ScopedCwd() { std::filesystem::current_path(old_); }

void WriteFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

GLContext::GLContext(int width, int height) {
  platform::WindowRequest request;
  request.title = "test", request.width = width, request.height = height, request.hidden = true;
  ok_ = window_.Open(request) == platform::OpenResult::Ok;
}

GLContext::~GLContext() { window_.Close(); }

bool SaveFramebufferPng(const std::string& path, int width, int height) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return platform::WritePngBottomUp(path, width, height, rgb);
}

void ReadPixel(int x, int y, std::uint8_t rgb[3]) {
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}

}  // namespace test
