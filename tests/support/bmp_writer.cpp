#include "support/bmp_writer.h"

#include <cstddef>

namespace test {

namespace {

void AddU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void AddU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  AddU16(out, v & 0xFFFF);
  AddU16(out, v >> 16);
}

}  // namespace

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
  bytes.at(at) = static_cast<std::uint8_t>(value);
  bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  PutU16(bytes, at, static_cast<std::uint16_t>(value));
  PutU16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

std::vector<std::uint8_t> BuildBmp(const BmpLayout& layout, const std::vector<std::uint8_t>& pixelData) {
  std::vector<std::uint8_t> info;
  if (layout.coreHeader) {
    AddU32(info, 12);
    AddU16(info, static_cast<std::uint32_t>(layout.width));
    AddU16(info, static_cast<std::uint32_t>(layout.height));
    AddU16(info, 1);
    AddU16(info, layout.bitCount);
    for (const BmpRgb& c : layout.palette) info.insert(info.end(), {c.b, c.g, c.r});
  } else {
    AddU32(info, 40);
    AddU32(info, static_cast<std::uint32_t>(layout.width));
    AddU32(info, static_cast<std::uint32_t>(layout.height));
    AddU16(info, 1);
    AddU16(info, layout.bitCount);
    AddU32(info, layout.compression);
    AddU32(info, static_cast<std::uint32_t>(pixelData.size()));
    AddU32(info, 2835);
    AddU32(info, 2835);
    AddU32(info, layout.coloursUsed);
    AddU32(info, 0);
    for (std::uint32_t m : layout.masks) AddU32(info, m);
    for (const BmpRgb& c : layout.palette) info.insert(info.end(), {c.b, c.g, c.r, 0});
  }

  std::vector<std::uint8_t> out;
  if (layout.fileHeader) {
    const std::uint32_t offset = static_cast<std::uint32_t>(14 + info.size());
    out.push_back('B');
    out.push_back('M');
    AddU32(out, static_cast<std::uint32_t>(offset + pixelData.size()));
    AddU32(out, 0);
    AddU32(out, layout.pixelOffset.value_or(offset));
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
        std::uint8_t byte = 0;
        for (std::size_t k = 0; k < perByte; ++k) {
          const std::uint32_t v = i + k < row.size() ? row[i + k] : 0;
          byte = static_cast<std::uint8_t>(byte | (v << (8 - bits * static_cast<int>(k + 1))));
        }
        out.push_back(byte);
      }
    } else {
      for (std::uint32_t v : row) {
        switch (bits) {
          case 8: out.push_back(static_cast<std::uint8_t>(v)); break;
          case 16: AddU16(out, v); break;
          case 24: out.insert(out.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                          static_cast<std::uint8_t>(v >> 16)}); break;
          default: AddU32(out, v); break;
        }
      }
    }
    while ((out.size() - start) % 4 != 0) out.push_back(0);
  };
  if (layout.height < 0) {
    for (const auto& row : picture) packRow(row);
  } else {
    for (auto row = picture.rbegin(); row != picture.rend(); ++row) packRow(*row);
  }
  return out;
}

}  // namespace test
