// The self-contained PNG encoder (both backends' screenshots and test
// pictures) read back by libpng: same pixels, right way up, checks that hold,
// and compressed.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

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

TEST(PngEncode, LibpngReadsBackTheSamePixelsTopRowFirst) {
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

TEST(PngEncode, ChecksumsAndBadSizes) {
  const std::uint8_t text[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(platform::Crc32(text, sizeof text), 0xCBF43926u);  // the CRC-32 check value
  const std::uint8_t wiki[] = {'W', 'i', 'k', 'i', 'p', 'e', 'd', 'i', 'a'};
  EXPECT_EQ(platform::Adler32(wiki, sizeof wiki), 0x11E60398u);
  EXPECT_TRUE(platform::EncodePng(0, 10, {}).empty());
  EXPECT_TRUE(platform::EncodePng(4, 4, std::vector<std::uint8_t>(47)).empty());  // one byte short
}

// A frame like the game's: a dark background, flat walls, a gradient and
// noise. Filters and deflate make it a small fraction of its raw size, and
// every byte value and long runs round-trip through zlib's own reader.
TEST(PngEncode, CompressesAFrameAndRoundTripsHardData) {
  const int w = 640, h = 480;
  std::vector<std::uint8_t> frame(static_cast<std::size_t>(w) * h * 3, 0);
  std::uint32_t seed = 12345;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &frame[(static_cast<std::size_t>(y) * w + x) * 3];
      if (y > 300) {
        p[0] = static_cast<std::uint8_t>(x / 3);
        p[1] = static_cast<std::uint8_t>(y / 2);
        p[2] = 60;
      } else if (x > 200 && x < 400 && y > 100) {
        p[0] = 200;
        p[1] = 30;
        p[2] = 30;
      } else if (y < 40) {
        seed = seed * 1103515245u + 12345u;
        p[0] = p[1] = p[2] = static_cast<std::uint8_t>(seed >> 24);
      }
    }
  }
  const std::vector<std::uint8_t> file = platform::EncodePng(w, h, frame);
  EXPECT_LT(file.size(), frame.size() / 8) << file.size() << " bytes";
  int width = 0, height = 0;
  std::vector<std::uint8_t> topDown;
  ASSERT_TRUE(Decode(file, width, height, topDown));
  for (int y = 0; y < h; ++y) {
    ASSERT_TRUE(std::equal(topDown.begin() + static_cast<std::ptrdiff_t>(w * 3 * y),
                           topDown.begin() + static_cast<std::ptrdiff_t>(w * 3 * (y + 1)),
                           frame.begin() + static_cast<std::ptrdiff_t>(w * 3 * (h - 1 - y))))
        << "row " << y;
  }

  // Raw deflate data: every byte value, a run longer than the window, repeats far apart.
  std::vector<std::uint8_t> data;
  for (int i = 0; i < 70000; ++i) data.push_back(static_cast<std::uint8_t>(i * 31 + i / 256));
  data.insert(data.end(), 100000, 7);
  for (int i = 0; i < 40000; ++i) data.push_back(data[static_cast<std::size_t>(i * 3 % 70000)]);
  const std::vector<std::uint8_t> z = platform::ZlibCompress(data);
  std::vector<std::uint8_t> back(data.size() + 16);
  uLongf backSize = static_cast<uLongf>(back.size());
  ASSERT_EQ(uncompress(back.data(), &backSize, z.data(), static_cast<uLong>(z.size())), Z_OK);
  back.resize(backSize);
  EXPECT_EQ(back, data);
  const std::vector<std::uint8_t> empty = platform::ZlibCompress({});
  backSize = static_cast<uLongf>(back.size());
  EXPECT_EQ(uncompress(back.data(), &backSize, empty.data(), static_cast<uLong>(empty.size())), Z_OK);
  EXPECT_EQ(backSize, 0u);
}

}  // namespace
