// bmp-to-png: a game picture as PNG, for the desktop icon and for looking at.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "platform/png_writer.h"
#include "world/bmp_image.h"

namespace {

int Run(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: glumbo-tool bmp-to-png IN.bmp OUT.png\n");
    return 2;
  }
  const DibDecodeResult result = ReadDIBFile(args[0]);
  if (result.error != DibError::None) {
    std::fprintf(stderr, "%s\n", DibErrorText(result.error, args[0]).c_str());
    return 1;
  }
  const Image& image = *result.image;
  // The decoder gives the bottom row first, as the PNG writer expects.
  if (!platform::WritePngBottomUp(args[1], image.width, image.height, image.pixels)) {
    std::fprintf(stderr, "cannot write %s\n", args[1].c_str());
    return 1;
  }
  return 0;
}

const ToolCommand kCommand("bmp-to-png", "IN.bmp OUT.png  decode a bitmap with the game's decoder, write it as PNG",
                           &Run);

}  // namespace
