// Scaling pictures for the desktop icons.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <utility>

#include "world/image_resize.h"

namespace {

Image Picture(int width, int height, auto colourAt) {
  Image image;
  image.width = width;
  image.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto rgb = colourAt(x, y);
      image.pixels.insert(image.pixels.end(), rgb.begin(), rgb.end());
    }
  }
  return image;
}

using Rgb = std::array<std::uint8_t, 3>;

Rgb At(const Image& image, int x, int y) {
  const std::size_t i = (static_cast<std::size_t>(y) * image.width + x) * 3;
  return {image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]};
}

TEST(ImageResize, ShapesStayInPlaceWhenShrunkAndEnlarged) {
  // Red on the left, and the bottom rows (first in memory) blue.
  const Image quarters = Picture(64, 64, [](int x, int y) {
    return Rgb{static_cast<std::uint8_t>(x < 32 ? 255 : 0), 0, static_cast<std::uint8_t>(y < 32 ? 255 : 0)};
  });
  for (int size : {16, 32, 128}) {
    const Image scaled = ResizeImage(quarters, size, size);
    EXPECT_EQ(At(scaled, 0, 0), (Rgb{255, 0, 255})) << size;
    EXPECT_EQ(At(scaled, size - 1, size - 1), (Rgb{0, 0, 0})) << size;
    EXPECT_EQ(At(scaled, 0, size - 1), (Rgb{255, 0, 0})) << size;
    // Across the middle the colour goes from one side to the other without overshoot.
    const int y = size / 4;
    for (int x = 1; x < size; ++x) EXPECT_LE(At(scaled, x, y)[0], At(scaled, x - 1, y)[0]) << size;
    EXPECT_GT(At(scaled, size / 2 - 1, y)[0], 127) << size;
    EXPECT_LT(At(scaled, size / 2, y)[0], 128) << size;
  }
  // Shrinking a one-pixel checkerboard by two gives its mean, not a pattern.
  const Image checks = Picture(8, 8, [](int x, int y) {
    const std::uint8_t v = (x + y) % 2 ? 255 : 0;
    return Rgb{v, v, v};
  });
  const Image half = ResizeImage(checks, 4, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_NEAR(At(half, x, y)[0], 128, 2) << x << "," << y;
  }
}

}  // namespace
