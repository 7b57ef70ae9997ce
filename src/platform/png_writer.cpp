#include "platform/png_writer.h"

#include <cstdio>

#include "platform/png_encode.h"
#include "platform/paths.h"

namespace platform {

bool WritePngBottomUp(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb) {
  const std::vector<std::uint8_t> png = EncodePng(width, height, rgb);
  if (png.empty()) return false;
  std::FILE* f = OpenFile(PathFromUtf8(path), "wb");
  if (!f) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  return std::fclose(f) == 0 && written;
}

}  // namespace platform
