// bmp-to-png: a game picture as PNG, for the desktop icons and for looking at.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "command.h"
#include "platform/png_writer.h"
#include "world/bmp_image.h"
#include "world/image_resize.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: glumbo-tool bmp-to-png [--size N] IN.bmp OUT.png\n");
  return 2;
}

int Run(const std::vector<std::string>& args) {
  std::vector<std::string> files = args;
  int size = 0;  // 0: as it is
  if (!files.empty() && files[0] == "--size") {
    if (files.size() < 2) return Usage();
    const std::string& text = files[1];
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), size);
    if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size() || size < 1 || size > kMaxDibSide) {
      return Usage();
    }
    files.erase(files.begin(), files.begin() + 2);
  }
  if (files.size() != 2) return Usage();
  const DibDecodeResult result = ReadDIBFile(files[0]);
  if (result.error != DibError::None) {
    std::fprintf(stderr, "%s\n", DibErrorText(result.error, files[0]).c_str());
    return 1;
  }
  Image image = std::move(*result.image);
  if (size > 0) {
    // The longer side becomes `size`; the other keeps the proportions.
    const bool wide = image.width >= image.height;
    const long other = std::max(1L, (wide ? image.height : image.width) * static_cast<long>(size) /
                                        (wide ? image.width : image.height));
    image = wide ? ResizeImage(image, size, static_cast<int>(other)) : ResizeImage(image, static_cast<int>(other), size);
  }
  // The decoder gives the bottom row first, as the PNG writer expects.
  if (!platform::WritePngBottomUp(files[1], image.width, image.height, image.pixels)) {
    std::fprintf(stderr, "cannot write %s\n", files[1].c_str());
    return 1;
  }
  return 0;
}

const ToolCommand kCommand("bmp-to-png",
                           "[--size N] IN.bmp OUT.png  decode a bitmap with the game's decoder, write it as PNG, "
                           "its longer side scaled to N pixels if given",
                           &Run);

}  // namespace
