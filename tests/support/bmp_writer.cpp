#include "support/bmp_writer.h"

namespace test {

namespace {

// Little-endian, the low `bytes` bytes of v.
void Add(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> BuildBmp(const BmpLayout& layout, const std::vector<std::uint8_t>& pixelData) {
  std::vector<std::uint8_t> info;
  const auto w = static_cast<std::uint32_t>(layout.width), h = static_cast<std::uint32_t>(layout.height);
  if (layout.coreHeader) {
    for (auto [v, n] : {std::pair{12u, 4}, {w, 2}, {h, 2}, {1u, 2}, {std::uint32_t{layout.bitCount}, 2}}) Add(info, v, n);
  } else {
    for (auto [v, n] : {std::pair{40u, 4}, {w, 4}, {h, 4}, {1u, 2}, {std::uint32_t{layout.bitCount}, 2},
                        {layout.compression, 4}, {static_cast<std::uint32_t>(pixelData.size()), 4}, {2835u, 4},
                        {2835u, 4}, {layout.coloursUsed, 4}, {0u, 4}}) {
      Add(info, v, n);
    }
    for (std::uint32_t m : layout.masks) Add(info, m, 4);
  }
  for (const BmpRgb& c : layout.palette) {
    info.insert(info.end(), {c.b, c.g, c.r});
    if (!layout.coreHeader) info.push_back(0);
  }
  std::vector<std::uint8_t> out;
  if (layout.fileHeader) {
    const auto offset = static_cast<std::uint32_t>(14 + info.size());
    out = {'B', 'M'};
    Add(out, static_cast<std::uint32_t>(offset + pixelData.size()), 4);
    Add(out, 0, 4);
    Add(out, layout.pixelOffset.value_or(offset), 4);
  }
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), pixelData.begin(), pixelData.end());
  return out;
}

std::vector<std::uint8_t> PackRows(const BmpLayout& layout, const std::vector<std::vector<std::uint32_t>>& picture) {
  const int bits = layout.bitCount;
  std::vector<std::uint8_t> out;
  auto packRow = [&](const std::vector<std::uint32_t>& row) {
    const std::size_t start = out.size();
    if (bits < 8) {
      const std::size_t perByte = 8 / bits;
      for (std::size_t i = 0; i < row.size(); i += perByte) {
        std::uint32_t byte = 0;
        for (std::size_t k = 0; k < perByte; ++k) byte |= (i + k < row.size() ? row[i + k] : 0) << (8 - bits * (k + 1));
        out.push_back(static_cast<std::uint8_t>(byte));
      }
    } else {
      for (std::uint32_t v : row) Add(out, v, bits / 8);
    }
    while ((out.size() - start) % 4 != 0) out.push_back(0);
  };
  for (std::size_t i = 0; i < picture.size(); ++i) packRow(picture[layout.height < 0 ? i : picture.size() - 1 - i]);
  return out;
}

}  // namespace test
