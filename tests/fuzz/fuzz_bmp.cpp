// Any bytes at all through the bitmap decoder: it must answer with a picture or an
// error, never read or write out of bounds, and a picture must be whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "world/bmp_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const DibDecodeResult r = DecodeDIB(std::span<const std::uint8_t>(data, size));
  if ((r.error == DibError::None) != (r.image != nullptr)) std::abort();
  if (r.image) {
    const Image& image = *r.image;
    if (image.width <= 0 || image.height <= 0 || image.width > kMaxDibSide || image.height > kMaxDibSide) std::abort();
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3) {
      std::abort();
    }
  }
  return 0;
}
