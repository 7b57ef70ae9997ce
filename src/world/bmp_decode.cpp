// The bitmap decoder. Every byte it looks at is checked against the size of the
// input first: a damaged or lying file ends in an error, never in a read past
// its end or a write past the picture.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <new>
#include <span>
#include <vector>

#include "world/bmp_image.h"

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kFileHeaderSize = 14;

constexpr std::uint32_t kCompressNone = 0;
constexpr std::uint32_t kCompressRle8 = 1;
constexpr std::uint32_t kCompressRle4 = 2;
constexpr std::uint32_t kCompressBitFields = 3;

// True when n bytes starting at offset lie inside the input (overflow-safe).
bool Fits(Bytes b, std::uint64_t offset, std::uint64_t n) {
  return offset <= b.size() && n <= b.size() - offset;
}

std::uint16_t U16(Bytes b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t U32(Bytes b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

// One colour of a 16- or 32-bit pixel, widened to 8 bits with rounding so that a
// full field becomes 255 whatever its width. Fields of up to 16 bits are looked
// up in a table: a division per colour per pixel is too slow for 32-bit pictures.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint64_t max = 0;
  std::vector<std::uint8_t> table;

  explicit Channel(std::uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    max = (std::uint64_t{1} << std::bit_width(mask >> shift)) - 1;
    if (max <= 0xFFFF) {
      table.resize(max + 1);
      for (std::uint64_t v = 0; v <= max; ++v) table[v] = Widen(v);
    }
  }
  std::uint8_t Widen(std::uint64_t field) const { return static_cast<std::uint8_t>((field * 255 + max / 2) / max); }
  std::uint8_t Expand(std::uint32_t pixel) const {
    if (max == 0) return 0;
    const std::uint32_t field = (pixel & mask) >> shift;
    return table.empty() ? Widen(field) : table[field];
  }
};

struct Header {
  bool core = false;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: rows stored top row first
  int bitCount = 0;
  std::uint32_t compression = kCompressNone;
  std::uint32_t colourCount = 0;   // entries of the colour table
  std::size_t colourTable = 0;     // where the colour table starts
  std::size_t entrySize = 4;       // 3 in the core header's table
  std::array<Channel, 3> channels; // red, green, blue for 16 and 32 bits
};

std::uint32_t ColoursFromBitCount(int bits) {
  switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

// Where the pixels of the picture go: bottom row first, packed RGB.
class Canvas {
 public:
  explicit Canvas(Image& image) : image_(image) {}
  std::uint8_t* Row(std::int64_t row) {
    return image_.pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(image_.width) * 3;
  }
  void Put(std::int64_t row, std::int64_t x, Rgb c) {
    std::uint8_t* p = Row(row) + x * 3;
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
  }
  int width() const { return image_.width; }
  int height() const { return image_.height; }

 private:
  Image& image_;
};

DibError ReadHeader(Bytes b, std::size_t at, Header& h) {
  if (!Fits(b, at, 4)) return DibError::UnknownFormat;
  const std::uint32_t size = U32(b, at);
  if (size == kCoreHeaderSize) {
    if (!Fits(b, at, kCoreHeaderSize)) return DibError::UnknownFormat;
    h.core = true;
    h.width = U16(b, at + 4);
    h.height = U16(b, at + 6);
    h.bitCount = U16(b, at + 10);
    h.colourCount = ColoursFromBitCount(h.bitCount);
    h.entrySize = 3;
    h.colourTable = at + kCoreHeaderSize;
  } else if (size == kInfoHeaderSize) {
    if (!Fits(b, at, kInfoHeaderSize)) return DibError::UnknownFormat;
    h.width = static_cast<std::int32_t>(U32(b, at + 4));
    h.height = static_cast<std::int32_t>(U32(b, at + 8));
    h.bitCount = U16(b, at + 14);
    h.compression = U32(b, at + 16);
    const std::uint32_t used = U32(b, at + 32);
    h.colourCount = used != 0 ? used % 65536 : ColoursFromBitCount(h.bitCount);
    h.entrySize = 4;
    h.colourTable = at + kInfoHeaderSize;
    if (h.compression == kCompressBitFields) {
      // The three masks sit between the header and the colour table.
      if (!Fits(b, h.colourTable, 12)) return DibError::ConversionFailed;
      for (std::size_t i = 0; i < 3; ++i) h.channels[i] = Channel(U32(b, h.colourTable + 4 * i));
      h.colourTable += 12;
    }
  } else {
    return DibError::UnknownFormat;
  }
  if (h.compression != kCompressBitFields) {
    if (h.bitCount == 16) {
      h.channels = {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    } else {
      h.channels = {Channel(0xFF0000), Channel(0x00FF00), Channel(0x0000FF)};
    }
  }
  return DibError::None;
}

DibError CheckEncoding(const Header& h) {
  if (h.width <= 0 || h.height == 0) return DibError::ConversionFailed;
  const bool topDown = h.height < 0;
  switch (h.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return DibError::ConversionFailed;
  }
  switch (h.compression) {
    case kCompressNone: break;
    case kCompressRle8:
      if (h.bitCount != 8 || topDown) return DibError::ConversionFailed;
      break;
    case kCompressRle4:
      if (h.bitCount != 4 || topDown) return DibError::ConversionFailed;
      break;
    case kCompressBitFields:
      if (h.bitCount != 16 && h.bitCount != 32) return DibError::ConversionFailed;
      break;
    default: return DibError::ConversionFailed;
  }
  const std::int64_t rows = topDown ? -h.height : h.height;
  if (h.width > kMaxDibSide || rows > kMaxDibSide || h.width * rows > kMaxDibPixels) {
    return DibError::OutOfMemory;
  }
  return DibError::None;
}

// Indices past the stored table read as black, as do the entries a short table lacks.
DibError ReadPalette(Bytes b, const Header& h, std::array<Rgb, 256>& palette) {
  if (h.bitCount > 8) return DibError::None;
  const std::uint32_t used = std::min<std::uint32_t>(h.colourCount, 1u << h.bitCount);
  if (!Fits(b, h.colourTable, std::uint64_t{used} * h.entrySize)) return DibError::ConversionFailed;
  for (std::uint32_t i = 0; i < used; ++i) {
    const std::size_t at = h.colourTable + i * h.entrySize;
    palette[i] = Rgb{b[at + 2], b[at + 1], b[at]};
  }
  return DibError::None;
}

// Stored rows are padded to whole 32-bit words.
std::int64_t RowStride(std::int64_t width, int bits) { return ((width * bits + 31) / 32) * 4; }

// The last row's padding may be missing; its pixels may not.
bool RowsFit(Bytes data, std::int64_t width, std::int64_t rows, int bits) {
  const std::int64_t rowBytes = (width * bits + 7) / 8;
  return Fits(data, static_cast<std::uint64_t>((rows - 1) * RowStride(width, bits)), static_cast<std::uint64_t>(rowBytes));
}

DibError DecodeRows(Bytes data, const Header& h, const std::array<Rgb, 256>& palette, Canvas& out) {
  const std::int64_t width = out.width();
  const std::int64_t rows = out.height();
  const std::int64_t stride = RowStride(width, h.bitCount);
  if (!RowsFit(data, width, rows, h.bitCount)) return DibError::ConversionFailed;
  const bool topDown = h.height < 0;
  // One loop per pixel format, so that the format is not decided per pixel.
  auto each = [&](auto pixelAt) {
    for (std::int64_t r = 0; r < rows; ++r) {
      const std::uint8_t* src = data.data() + r * stride;
      std::uint8_t* dst = out.Row(topDown ? rows - 1 - r : r);
      for (std::int64_t x = 0; x < width; ++x, dst += 3) {
        const Rgb c = pixelAt(src, x);
        dst[0] = c.r;
        dst[1] = c.g;
        dst[2] = c.b;
      }
    }
  };
  const auto& ch = h.channels;
  switch (h.bitCount) {
    case 1:
      each([&](const std::uint8_t* s, std::int64_t x) { return palette[(s[x >> 3] >> (7 - (x & 7))) & 1]; });
      break;
    case 4:
      each([&](const std::uint8_t* s, std::int64_t x) { return palette[(s[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F]; });
      break;
    case 8:
      each([&](const std::uint8_t* s, std::int64_t x) { return palette[s[x]]; });
      break;
    case 16:
      each([&](const std::uint8_t* s, std::int64_t x) {
        const std::uint32_t v = U16(Bytes(s + 2 * x, 2), 0);
        return Rgb{ch[0].Expand(v), ch[1].Expand(v), ch[2].Expand(v)};
      });
      break;
    case 24:
      each([](const std::uint8_t* s, std::int64_t x) { return Rgb{s[3 * x + 2], s[3 * x + 1], s[3 * x]}; });
      break;
    case 32:
      each([&](const std::uint8_t* s, std::int64_t x) {
        const std::uint32_t v = U32(Bytes(s + 4 * x, 4), 0);
        return Rgb{ch[0].Expand(v), ch[1].Expand(v), ch[2].Expand(v)};
      });
      break;
    default:
      return DibError::ConversionFailed;
  }
  return DibError::None;
}

// Run-length data: pairs (count, colour) and escapes (0, 0) end of row, (0, 1) end
// of picture, (0, 2, dx, dy) jump, (0, n) n literal pixels padded to an even
// number of bytes. Pixels a run puts past the end of its row are dropped; pixels
// the data never reaches stay black.
DibError DecodeRle(Bytes data, bool fourBits, const std::array<Rgb, 256>& palette, Canvas& out) {
  const std::int64_t width = out.width();
  const std::int64_t rows = out.height();
  std::int64_t x = 0;
  std::int64_t y = 0;
  std::size_t pos = 0;
  auto put = [&](unsigned index) {
    if (x < width) out.Put(y, x, palette[index]);
    ++x;
  };
  while (y < rows) {
    if (!Fits(data, pos, 2)) return DibError::ConversionFailed;
    const unsigned count = data[pos];
    const unsigned value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count && x < width; ++i) {
        put(fourBits ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
      }
      continue;
    }
    switch (value) {
      case 0:
        x = 0;
        ++y;
        break;
      case 1:
        return DibError::None;
      case 2:
        if (!Fits(data, pos, 2)) return DibError::ConversionFailed;
        x += data[pos];
        y += data[pos + 1];
        pos += 2;
        break;
      default: {
        const std::size_t bytes = fourBits ? (value + 1) / 2 : value;
        if (!Fits(data, pos, bytes)) return DibError::ConversionFailed;
        for (unsigned i = 0; i < value && x < width; ++i) {
          const unsigned byte = data[pos + (fourBits ? i / 2 : i)];
          put(fourBits ? ((i & 1) ? (byte & 0x0F) : (byte >> 4)) : byte);
        }
        pos += bytes + (bytes & 1);
        break;
      }
    }
  }
  return DibError::None;
}

}  // namespace

DibDecodeResult DecodeDIB(std::span<const std::uint8_t> bytes) {
  DibDecodeResult result;
  const bool fileHeader = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
  std::uint32_t pixelOffset = 0;
  if (fileHeader) {
    if (!Fits(bytes, 0, kFileHeaderSize)) {
      result.error = DibError::UnknownFormat;
      return result;
    }
    pixelOffset = U32(bytes, 10);
  }

  Header h;
  result.error = ReadHeader(bytes, fileHeader ? kFileHeaderSize : 0, h);
  if (result.error == DibError::None) result.error = CheckEncoding(h);
  std::array<Rgb, 256> palette{};
  if (result.error == DibError::None) result.error = ReadPalette(bytes, h, palette);
  if (result.error != DibError::None) return result;

  // A bare picture, or a file header that leaves the offset at 0, has its pixels
  // right after the colour table.
  const std::uint64_t start =
      pixelOffset != 0 ? pixelOffset : h.colourTable + std::uint64_t{h.colourCount} * h.entrySize;
  if (start > bytes.size()) {
    result.error = DibError::ConversionFailed;
    return result;
  }
  const Bytes data = bytes.subspan(static_cast<std::size_t>(start));
  const bool runLength = h.compression == kCompressRle8 || h.compression == kCompressRle4;
  const std::int64_t rows = h.height < 0 ? -h.height : h.height;
  // Found before the picture is allocated, so that a short file cannot make us
  // reserve what its header claims.
  if (!runLength && !RowsFit(data, h.width, rows, h.bitCount)) {
    result.error = DibError::ConversionFailed;
    return result;
  }

  auto image = std::make_unique<Image>();
  image->width = static_cast<std::int32_t>(h.width);
  image->height = static_cast<std::int32_t>(rows);
  try {
    image->pixels.assign(static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height) * 3, 0);
  } catch (const std::bad_alloc&) {
    result.error = DibError::OutOfMemory;
    return result;
  }

  Canvas canvas(*image);
  if (runLength) {
    result.error = DecodeRle(data, h.compression == kCompressRle4, palette, canvas);
  } else {
    result.error = DecodeRows(data, h, palette, canvas);
  }
  if (result.error == DibError::None) result.image = std::move(image);
  return result;
}
