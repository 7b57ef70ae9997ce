// A self-contained PNG encoder for platforms without a PNG library: stored
// (uncompressed) deflate blocks, with the CRC-32 and Adler-32 checks the
// format asks for. Pictures come out larger than compressed ones, but any
// viewer reads them.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// rgb holds height rows of width RGB pixels, bottom row first (as OpenGL reads
// them); the PNG's rows run top down. Empty for a bad size.
std::vector<std::uint8_t> EncodePngStored(int width, int height, const std::vector<std::uint8_t>& rgb);

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

}  // namespace platform
