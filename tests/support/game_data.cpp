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
  std::vector<std::uint8_t> out = {'B', 'M'};
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  // File size, reserved, pixel offset; then the 40-byte header: 4 x 4, one plane, 24 bits, the rest zero.
  for (auto [v, bytes] : {std::pair{54u + 48u, 4}, {0u, 4}, {54u, 4}, {40u, 4}, {4u, 4}, {4u, 4}, {1u, 2}, {24u, 2}}) put(v, bytes);
  out.resize(54, 0);
  for (int i = 0; i < 16; ++i) out.insert(out.end(), {b, g, r});
  return out;
}

}  // namespace

void WriteGameTextures(const std::filesystem::path& dir) {
  WriteLevelTextures(dir);
  std::filesystem::create_directories(dir / "pantallas");
  std::filesystem::create_directories(dir / "sonidos");
  std::vector<std::string> names = {"vida", "vidaFantasma", "texp0"};
  for (int n : {1, 2, 3, 54, 100, 58, 5, 6, 7}) names.push_back("texp" + std::to_string(n));
  for (const std::string& name : names) WriteBytes((dir / "texturas" / (name + ".bmp")).string(), SmallBmp(200, 180, 160));
}

}  // namespace test
