#include "world/bmp_ppm.h"

#include <cstdio>
#include <string>

std::vector<std::uint8_t> ImageToPpm(const Image& image) {
  char header[64];
  const int n = std::snprintf(header, sizeof header, "P6\n%d %d\n255\n", image.width, image.height);
  std::vector<std::uint8_t> out(header, header + n);
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
  if (image.width <= 0 || image.height <= 0 || image.pixels.size() < rowBytes * image.height) return out;
  out.reserve(out.size() + rowBytes * image.height);
  // Image rows run bottom to top.
  for (std::int32_t row = image.height - 1; row >= 0; --row) {
    const auto first = image.pixels.begin() + static_cast<std::ptrdiff_t>(rowBytes * row);
    out.insert(out.end(), first, first + static_cast<std::ptrdiff_t>(rowBytes));
  }
  return out;
}
