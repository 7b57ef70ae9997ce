#include "support/game_data.h"

#include <cstdint>
#include <string>
#include <vector>

#include "support/level_files.h"
#include "support/test_support.h"

namespace test {
namespace {

// A 4 x 4 picture of one colour, 24 bits, bottom-up.
std::vector<std::uint8_t> SmallBmp(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const int w = 4, h = 4;
  const std::uint32_t pixelBytes = w * h * 3;
  std::vector<std::uint8_t> out = {'B', 'M'};
  auto put32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  auto put16 = [&](std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  put32(54 + pixelBytes);
  put32(0);
  put32(54);
  put32(40);
  put32(w);
  put32(h);
  put16(1);
  put16(24);
  for (int i = 0; i < 6; ++i) put32(0);
  for (int i = 0; i < w * h; ++i) {
    out.push_back(b);
    out.push_back(g);
    out.push_back(r);
  }
  return out;
}

}  // namespace

void WriteGameTextures(const std::filesystem::path& dir) {
  namespace fs = std::filesystem;
  WriteLevelTextures(dir);
  fs::create_directories(dir / "pantallas");
  fs::create_directories(dir / "sonidos");
  std::vector<std::string> names = {"vida", "vidaFantasma", "texp0"};
  for (int n : {1, 2, 3, 54, 100, 58, 5, 6, 7}) names.push_back("texp" + std::to_string(n));
  for (const std::string& name : names) {
    WriteBytes((dir / "texturas" / (name + ".bmp")).string(), SmallBmp(200, 180, 160));
  }
}

}  // namespace test
