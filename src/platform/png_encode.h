// A self-contained PNG encoder, the one both backends use for screenshots and
// test pictures: each row filtered (the filter with the smallest sum of
// absolute differences), then deflate with LZ77 matches and Huffman codes of
// each block's own, with the CRC-32 and Adler-32 checks the format asks for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// rgb holds height rows of width RGB pixels, bottom row first (as OpenGL reads
// them); the PNG's rows run top down. Empty for a bad size.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

// A zlib stream (RFC 1950) of the bytes, compressed with deflate (RFC 1951).
std::vector<std::uint8_t> ZlibCompress(const std::vector<std::uint8_t>& data);

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

}  // namespace platform
