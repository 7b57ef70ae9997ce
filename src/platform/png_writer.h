// PNG pictures of frames, for screenshots and test pictures: one writer for
// both backends (the encoder of platform/png_encode.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// rgb holds height rows of width RGB pixels, bottom row first (as OpenGL reads
// them). path is UTF-8 (platform/paths.h).
bool WritePngBottomUp(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace platform
