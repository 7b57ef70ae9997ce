// The self-contained PNG encoder (both backends' screenshots and test
// pictures) read back by libpng: same pixels, right way up.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>

#include <cstdint>
#include <vector>

#include "platform/png_encode.h"

namespace {

// Decodes with libpng from memory; rows top down, RGB.
bool Decode(const std::vector<std::uint8_t>& file, int& width, int& height, std::vector<std::uint8_t>& rgb) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return false;
  image.format = PNG_FORMAT_RGB;
  rgb.resize(PNG_IMAGE_SIZE(image));
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  return png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
}

TEST(PngEncode, LibpngReadsBackTheSamePixelsTopRowFirstAndBadSizesGiveNoFile) {
  EXPECT_TRUE(platform::EncodePng(0, 10, {}).empty());
  EXPECT_TRUE(platform::EncodePng(4, 4, std::vector<std::uint8_t>(47)).empty());  // one byte short
  // Large enough for several deflate blocks.
  for (const auto& [w, h] : {std::pair{1, 1}, std::pair{3, 2}, std::pair{300, 200}, std::pair{640, 480}}) {
    std::vector<std::uint8_t> bottomUp(static_cast<std::size_t>(w) * h * 3);
    for (std::size_t i = 0; i < bottomUp.size(); ++i) bottomUp[i] = static_cast<std::uint8_t>(i * 7 + i / 5);
    const std::vector<std::uint8_t> file = platform::EncodePng(w, h, bottomUp);
    int width = 0, height = 0;
    std::vector<std::uint8_t> topDown;
    ASSERT_TRUE(Decode(file, width, height, topDown)) << w << " x " << h;
    ASSERT_EQ(std::pair(width, height), std::pair(w, h));
    const std::size_t row = static_cast<std::size_t>(w) * 3;
    for (int y = 0; y < h; ++y) {
      ASSERT_TRUE(std::equal(topDown.begin() + static_cast<std::ptrdiff_t>(row * y),
                             topDown.begin() + static_cast<std::ptrdiff_t>(row * (y + 1)),
                             bottomUp.begin() + static_cast<std::ptrdiff_t>(row * (h - 1 - y))))
          << "row " << y;
    }
  }
}

}  // namespace
