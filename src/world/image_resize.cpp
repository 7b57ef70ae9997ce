#include "world/image_resize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

struct Tap {
  int index;
  float weight;
};

// For each of the `to` new pixels along one axis, the old pixels it is made of.
std::vector<std::vector<Tap>> AxisTaps(int from, int to) {
  const double scale = static_cast<double>(from) / to;
  std::vector<std::vector<Tap>> taps(to);
  for (int d = 0; d < to; ++d) {
    if (scale >= 1) {
      // Shrinking: each old pixel counts by how much of it the new one covers.
      const double lo = d * scale;
      const double hi = (d + 1) * scale;
      for (int s = static_cast<int>(lo); s < from && s < hi; ++s) {
        const double w = std::min(hi, s + 1.0) - std::max(lo, static_cast<double>(s));
        if (w > 0) taps[d].push_back({s, static_cast<float>(w / scale)});
      }
    } else {
      // Enlarging: between the two nearest old pixels, the edges held.
      const double centre = (d + 0.5) * scale - 0.5;
      const int s = static_cast<int>(std::floor(centre));
      const float f = static_cast<float>(centre - s);
      taps[d].push_back({std::clamp(s, 0, from - 1), 1 - f});
      taps[d].push_back({std::clamp(s + 1, 0, from - 1), f});
    }
  }
  return taps;
}

}  // namespace

Image ResizeImage(const Image& source, int width, int height) {
  Image result;
  if (source.width < 1 || source.height < 1 || width < 1 || height < 1) return result;
  const auto across = AxisTaps(source.width, width);
  const auto down = AxisTaps(source.height, height);

  // Rows first, into floats, then the columns of that.
  std::vector<float> rows(static_cast<std::size_t>(width) * source.height * 3);
  for (int y = 0; y < source.height; ++y) {
    const std::uint8_t* in = &source.pixels[static_cast<std::size_t>(y) * source.width * 3];
    float* out = &rows[static_cast<std::size_t>(y) * width * 3];
    for (int x = 0; x < width; ++x) {
      for (const Tap& t : across[x]) {
        for (int c = 0; c < 3; ++c) out[x * 3 + c] += t.weight * in[t.index * 3 + c];
      }
    }
  }
  result.width = width;
  result.height = height;
  result.pixels.resize(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * 3; ++x) {
      float v = 0;
      for (const Tap& t : down[y]) v += t.weight * rows[static_cast<std::size_t>(t.index) * width * 3 + x];
      result.pixels[static_cast<std::size_t>(y) * width * 3 + x] =
          static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
    }
  }
  return result;
}
