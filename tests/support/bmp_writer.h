// Writes bitmap files byte by byte for the picture tests, so that every
// encoding can be made without any image library.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace test {

struct BmpRgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

struct BmpLayout {
  std::int32_t width = 1, height = 1;  // negative height: rows stored top row first
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
  bool fileHeader = true;         // the 14 bytes starting with "BM"
  bool coreHeader = false;        // the 12-byte header (3-byte colour entries)
  std::vector<BmpRgb> palette;
  std::uint32_t coloursUsed = 0;             // written as is in the 40-byte header
  std::vector<std::uint32_t> masks;          // written right after the 40-byte header
  std::optional<std::uint32_t> pixelOffset;  // replaces the true offset of the pixels
};

// Headers, masks, colour table and the given pixel bytes, in file order.
std::vector<std::uint8_t> BuildBmp(const BmpLayout& layout, const std::vector<std::uint8_t>& pixelData);

// Packs a picture given top row first: colour indices (1, 4, 8 bits), whole pixel
// values (16, 32 bits) or 0xRRGGBB (24 bits), each row padded to 4 bytes.
std::vector<std::uint8_t> PackRows(const BmpLayout& layout, const std::vector<std::vector<std::uint32_t>>& picture);

// The picture as the decoder should give it: packed RGB, bottom row first.
template <typename ColourOf>
std::vector<std::uint8_t> ExpectedPixels(const std::vector<std::vector<std::uint32_t>>& picture, ColourOf colourOf) {
  std::vector<std::uint8_t> out;
  for (auto row = picture.rbegin(); row != picture.rend(); ++row) {
    for (std::uint32_t v : *row) {
      const BmpRgb c = colourOf(v);
      out.insert(out.end(), {c.r, c.g, c.b});
    }
  }
  return out;
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);

}  // namespace test
