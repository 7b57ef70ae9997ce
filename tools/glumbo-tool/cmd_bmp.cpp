// bmp-to-ppm: shows what the game's own decoder makes of a bitmap file.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "world/bmp_image.h"
#include "world/bmp_ppm.h"

namespace {

int Run(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: glumbo-tool bmp-to-ppm IN.bmp OUT.ppm\n");
    return 2;
  }
  // No message box here: the tool reports on stderr only.
  const DibDecodeResult result = ReadDIBFile(args[0]);
  if (result.error != DibError::None) {
    std::string text = DibErrorText(result.error, args[0]);
    if (text.empty() || text.back() != '\n') text += '\n';
    std::fputs(text.c_str(), stderr);
    return 1;
  }
  const std::vector<std::uint8_t> ppm = ImageToPpm(*result.image);
  std::FILE* out = std::fopen(args[1].c_str(), "wb");
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", args[1].c_str());
    return 1;
  }
  const bool written = std::fwrite(ppm.data(), 1, ppm.size(), out) == ppm.size();
  if (std::fclose(out) != 0 || !written) {
    std::fprintf(stderr, "cannot write %s\n", args[1].c_str());
    return 1;
  }
  return 0;
}

const ToolCommand kCommand("bmp-to-ppm", "IN.bmp OUT.ppm  decode a bitmap with the game's decoder, write it as PPM",
                           &Run);

}  // namespace
