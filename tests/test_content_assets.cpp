// The generated pictures: every one the game loads is there, in a form the
// game's own readers take.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <filesystem>

#include "platform/png_writer.h"
#include "support/frame_pixels.h"
#include "support/test_support.h"
#include "textures.h"
#include "world/bmp_image.h"

const std::filesystem::path kTextures = std::filesystem::path(GLUMBO_RUN_DIR) / "texturas";

TEST(ContentTextures, EveryTextureTheGameLoadsIsThereAsAPowerOfTwoBitmap) {
  std::vector<std::pair<std::string, int>> files;  // name, side (0: any power of two)
  for (int d = 0; d < 3; ++d)
    for (const char* base : {"ladrillos", "suelo", "puertas"}) files.emplace_back(base + std::to_string(d) + ".bmp", 64 << d);
  for (const char* name : {"chispa", "speed", "moneda", "vida", "vidaFantasma", "texp0", "texp1", "texp2", "texp3",
                           "texp54", "texp5", "texp6", "texp7", "texp58", "texp100"})
    files.emplace_back(name + std::string(".bmp"), 0);
  for (const auto& [name, side] : files) {
    SCOPED_TRACE(name);
    const auto img = ReadDIBFile((kTextures / name).string()).image;
    ASSERT_NE(img, nullptr);
    const int w = img->width, h = img->height;
    // Powers of two of at least 4: packed rows then meet the 4-byte upload alignment.
    EXPECT_TRUE((side == 0 || (w == side && h == side)) && w >= 4 && h > 0 && std::has_single_bit(unsigned(w)) &&
                std::has_single_bit(unsigned(h))) << w << " x " << h;
    // Plain 24-bit files with the usual 54-byte header.
    const auto bytes = test::ReadBytes((kTextures / name).string());
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(std::pair(int{bytes[28]}, bytes.size()), std::pair(24, 54u + static_cast<std::size_t>(w * h * 3)));
    // Each level's picture on the level map, as PNG for people to look at.
    EXPECT_TRUE(!name.starts_with("texp") || platform::WritePngBottomUp(test::PicturePath("level_map_" +
                                             name.substr(0, name.size() - 4) + ".png"), w, h, img->pixels));
  }
}
