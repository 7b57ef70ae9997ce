// The bitmap decoder on pictures written byte by byte in every encoding it takes,
// and on files that are cut short or lie about themselves.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "support/bmp_writer.h"
#include "world/bmp_image.h"

namespace {

using test::BmpLayout;
using test::BmpRgb;
using Bytes = std::vector<std::uint8_t>;
using Picture = std::vector<std::vector<std::uint32_t>>;

BmpRgb FromHex(std::uint32_t v) {
  return BmpRgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

// A layout of the given depth; pictures of up to 8 bits get a full table of distinct colours.
BmpLayout Layout(int bits, int width, int height, std::uint32_t compression = 0) {
  BmpLayout layout;
  layout.bitCount = static_cast<std::uint16_t>(bits);
  layout.width = width;
  layout.height = height;
  layout.compression = compression;
  for (int i = 0; bits <= 8 && i < (1 << bits); ++i) {
    layout.palette.push_back(BmpRgb{static_cast<std::uint8_t>(i * 7 + 1), static_cast<std::uint8_t>(255 - i),
                                    static_cast<std::uint8_t>(i * 13 + 5)});
  }
  return layout;
}

BmpLayout Rle(int bits, int width, int height) { return Layout(bits, width, height, bits == 8 ? 1 : 2); }

// A picture of width x height values below limit that differ from row to row.
Picture Pattern(int width, int height, std::uint32_t limit, std::uint32_t seed = 1) {
  Picture p(height, std::vector<std::uint32_t>(width));
  for (auto& row : p) {
    for (auto& v : row) v = ((seed = seed * 1103515245u + 12345u) >> 8) % limit;
  }
  return p;
}

Bytes File(const BmpLayout& layout, const Picture& picture) {
  return test::BuildBmp(layout, test::PackRows(layout, picture));
}

void ExpectImage(const Bytes& file, int width, int height, const Bytes& pixels) {
  const DibDecodeResult r = DecodeDIB(file);
  ASSERT_EQ(r.error, DibError::None);
  ASSERT_NE(r.image, nullptr);
  EXPECT_EQ(r.image->width, width);
  EXPECT_EQ(r.image->height, height);
  ASSERT_EQ(r.image->pixels.size(), pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    ASSERT_EQ(r.image->pixels[i], pixels[i]) << "byte " << i << " (pixel " << i / 3 << ")";
  }
}

// Decodes the picture written in the layout and compares it with colourOf of each value.
template <typename ColourOf>
void ExpectRoundTrip(const BmpLayout& layout, const Picture& picture, ColourOf colourOf) {
  ExpectImage(File(layout, picture), layout.width, std::abs(layout.height), test::ExpectedPixels(picture, colourOf));
}

void ExpectPalettised(const BmpLayout& layout, const Picture& picture) {
  ExpectRoundTrip(layout, picture, [&](std::uint32_t i) { return layout.palette[i]; });
}

void ExpectError(const Bytes& bytes, DibError error) {
  const DibDecodeResult r = DecodeDIB(bytes);
  EXPECT_EQ(r.error, error);
  EXPECT_EQ(r.image, nullptr);
}

// A field of n bits widened to a byte, rounded to nearest.
std::uint8_t Widen(std::uint32_t value, int bits) {
  return static_cast<std::uint8_t>(std::lround(value * 255.0 / ((1ull << bits) - 1)));
}

TEST(BmpDecode, TwoByTwoTrueColourIsBottomRowFirstInRgbOrder) {
  ExpectImage(File(Layout(24, 2, 2), {{0x102030, 0x405060}, {0x708090, 0xA0B0C0}}), 2, 2,
              {0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60});
}

TEST(BmpDecode, EveryDepthAndRowLengthWithAndWithoutFileHeader) {
  for (int bits : {1, 4, 8, 24}) {
    for (int width : {1, 3, 5, 9, 13, 33}) {
      for (bool fileHeader : {true, false}) {
        SCOPED_TRACE(testing::Message() << bits << " bits, width " << width << " file header " << fileHeader);
        BmpLayout layout = Layout(bits, width, 4);
        layout.fileHeader = fileHeader;  // bare pictures find their pixels after the table
        const Picture picture = Pattern(width, 4, bits == 24 ? 0x1000000 : 1u << bits, bits * 100 + width);
        if (bits == 24) {
          ExpectRoundTrip(layout, picture, FromHex);
        } else {
          ExpectPalettised(layout, picture);
        }
      }
    }
  }
}

TEST(BmpDecode, TopDownPicturesComeOutBottomRowFirst) {
  for (int bits : {1, 4, 8, 24, 32}) {
    SCOPED_TRACE(bits);
    const BmpLayout up = Layout(bits, 6, 5);
    BmpLayout down = up;
    down.height = -5;
    const Picture picture = Pattern(6, 5, bits <= 8 ? (1u << bits) : 0x1000000, bits);
    const auto fromUp = DecodeDIB(File(up, picture));
    ASSERT_EQ(fromUp.error, DibError::None);
    ExpectImage(File(down, picture), 6, 5, fromUp.image->pixels);
  }
}

TEST(BmpDecode, CoreHeaderReadsThreeByteColourEntries) {
  for (bool fileHeader : {true, false}) {
    SCOPED_TRACE(fileHeader);
    BmpLayout layout = Layout(8, 7, 3);
    layout.coreHeader = true;
    layout.fileHeader = fileHeader;
    ASSERT_EQ(File(layout, Pattern(7, 3, 256, 9)).size(), (fileHeader ? 14u : 0u) + 12u + 256u * 3u + 3u * 8u);
    ExpectPalettised(layout, Pattern(7, 3, 256, 9));
  }
  BmpLayout trueColour = Layout(24, 3, 2);
  trueColour.coreHeader = true;
  ExpectRoundTrip(trueColour, Pattern(3, 2, 0x1000000, 4), FromHex);
}

TEST(BmpDecode, SixteenAndThirtyTwoBitsByDefaultAndWithMasks) {
  // 5-5-5 by default: white stays white and the unused top bit changes nothing.
  ExpectRoundTrip(Layout(16, 5, 2), {{0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x8000}, {0x0001, 0x0020, 0x0400, 0x4210, 0x2A95}},
                  [](std::uint32_t v) { return BmpRgb{Widen((v >> 10) & 31, 5), Widen((v >> 5) & 31, 5), Widen(v & 31, 5)}; });
  BmpLayout masked16 = Layout(16, 4, 2, 3);
  masked16.masks = {0xF800, 0x07E0, 0x001F};
  for (bool fileHeader : {true, false}) {
    SCOPED_TRACE(fileHeader);
    masked16.fileHeader = fileHeader;
    ExpectRoundTrip(masked16, {{0xFFFF, 0xF800, 0x07E0, 0x001F}, {0x0020, 0x8410, 0x1234, 0xABCD}},
                    [](std::uint32_t v) { return BmpRgb{Widen(v >> 11, 5), Widen((v >> 5) & 63, 6), Widen(v & 31, 5)}; });
  }

  const Picture picture = {{0xFF123456, 0x00ABCDEF, 0x80000000}, {0x00FFFFFF, 0x12010203, 0x00FF0000}};
  ExpectRoundTrip(Layout(32, 3, 2), picture, [](std::uint32_t v) { return FromHex(v & 0xFFFFFF); });
  // Red in the low byte, and a ten-bit green: masks decide, not the byte order.
  BmpLayout masked = Layout(32, 3, 2, 3);
  masked.masks = {0x000000FF, 0x0003FF00, 0xFF000000};
  ExpectRoundTrip(masked, picture, [](std::uint32_t v) {
    return BmpRgb{static_cast<std::uint8_t>(v), Widen((v >> 8) & 0x3FF, 10), static_cast<std::uint8_t>(v >> 24)};
  });
  // A twenty-bit red, wider than any table.
  masked.masks = {0xFFFFF000, 0x00000F00, 0x000000FF};
  ExpectRoundTrip(masked, picture, [](std::uint32_t v) {
    return BmpRgb{Widen(v >> 12, 20), Widen((v >> 8) & 15, 4), static_cast<std::uint8_t>(v)};
  });
}

TEST(BmpDecode, ShortOrOptionalColourTables) {
  BmpLayout layout = Layout(24, 4, 1);
  layout.bitCount = 8;
  layout.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  layout.coloursUsed = 3;
  for (bool fileHeader : {true, false}) {
    SCOPED_TRACE(fileHeader);
    layout.fileHeader = fileHeader;
    // Indices past the table are black; bare pictures start right after the three entries.
    ExpectImage(test::BuildBmp(layout, {2, 0, 3, 255}), 4, 1, {70, 80, 90, 10, 20, 30, 0, 0, 0, 0, 0, 0});
  }
  // A true-colour picture may carry a table that it does not use.
  BmpLayout trueColour = Layout(24, 2, 1);
  trueColour.coloursUsed = 2;
  trueColour.palette = {{1, 1, 1}, {2, 2, 2}};
  trueColour.fileHeader = false;
  ExpectImage(File(trueColour, {{0xAABBCC, 0x010203}}), 2, 1, {0xAA, 0xBB, 0xCC, 1, 2, 3});
}

// Expected pixels from a bottom-first grid of indices; -1 is a pixel left black.
Bytes FromIndexGrid(const BmpLayout& layout, const std::vector<std::vector<int>>& bottomFirst) {
  Bytes out;
  for (const auto& row : bottomFirst) {
    for (int i : row) {
      const BmpRgb c = i < 0 ? BmpRgb{} : layout.palette[i];
      out.insert(out.end(), {c.r, c.g, c.b});
    }
  }
  return out;
}

TEST(BmpDecode, RunLengthRunsLiteralsDeltasAndEscapes) {
  const BmpLayout rle8 = Rle(8, 6, 4);
  ExpectImage(test::BuildBmp(rle8, {3, 9, 0, 3, 4, 5, 6, 0,  // run of three 9s, three literals padded to four
                                    0, 0,                    // end of row 0
                                    2, 1, 0, 2, 3, 1,        // two 1s, then jump 3 right and 1 up
                                    1, 7, 0, 0,              // one 7 at row 2, x 5
                                    0, 4, 11, 12, 13, 14,    // four literals in row 3 (even: no padding)
                                    0, 1}),
              6, 4,
              FromIndexGrid(rle8, {{9, 9, 9, 4, 5, 6}, {1, 1, -1, -1, -1, -1}, {-1, -1, -1, -1, -1, 7},
                                   {11, 12, 13, 14, -1, -1}}));
  const BmpLayout rle4 = Rle(4, 7, 3);
  ExpectImage(test::BuildBmp(rle4, {5, 0x12, 0, 0,                 // 1 2 1 2 1, end of row
                                    0, 3, 0xAB, 0xC0, 0, 2, 2, 0,  // literal nibbles A B C, jump two right
                                    2, 0x34, 0, 0,                 // 3 4
                                    0, 5, 0x56, 0x78, 0x90, 0x00,  // five nibbles in three bytes, padded to four
                                    0, 1}),
              7, 3,
              FromIndexGrid(rle4, {{1, 2, 1, 2, 1, -1, -1}, {10, 11, 12, -1, -1, 3, 4}, {5, 6, 7, 8, 9, -1, -1}}));
}

TEST(BmpDecode, RunLengthRowsDoNotSpillAndNeedNoEndMarkWhenFull) {
  const BmpLayout narrow = Rle(8, 3, 2);
  // 255 pixels into a row of 3, then literals that also overflow, then row 1.
  ExpectImage(test::BuildBmp(narrow, {255, 4, 0, 5, 1, 2, 3, 4, 5, 0, 0, 0, 1, 6, 0, 1}), 3, 2,
              FromIndexGrid(narrow, {{4, 4, 4}, {6, -1, -1}}));
  const BmpLayout layout = Rle(8, 2, 2);
  ExpectImage(test::BuildBmp(layout, {2, 3, 0, 0, 2, 5, 0, 0}), 2, 2, FromIndexGrid(layout, {{3, 3}, {5, 5}}));
  // A jump past the top ends the picture as well.
  ExpectImage(test::BuildBmp(layout, {1, 3, 0, 2, 0, 9}), 2, 2, FromIndexGrid(layout, {{3, -1}, {-1, -1}}));
}

TEST(BmpDecode, HeadersOfOtherSizesAreUnknown) {
  const Bytes good = File(Layout(24, 2, 2), Pattern(2, 2, 0x1000000));
  for (std::uint32_t size : {0u, 16u, 52u, 56u, 64u, 108u, 124u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(size);
    Bytes bytes = good;
    test::PutU32(bytes, 14, size);
    ExpectError(bytes, DibError::UnknownFormat);
  }
  for (const Bytes& bytes : {Bytes{}, Bytes{'B'}, Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0},
                             Bytes(good.begin(), good.begin() + 14 + 39)}) {  // ends inside its 40-byte header
    ExpectError(bytes, DibError::UnknownFormat);
  }
}

// Every cut of a good file short of its end is refused, whatever the encoding.
TEST(BmpDecode, TruncatedFilesAreRefusedAtEveryLength) {
  BmpLayout core = Layout(8, 4, 2);
  core.coreHeader = true;
  core.fileHeader = false;
  BmpLayout masked = Layout(16, 2, 2, 3);
  masked.masks = {0xF800, 0x07E0, 0x001F};
  const std::vector<Bytes> files = {
      File(Layout(24, 4, 3), Pattern(4, 3, 0x1000000)),  // rows of 12 bytes: no padding a cut could drop harmlessly
      File(core, Pattern(4, 2, 256)), File(masked, Pattern(2, 2, 65536)),
      test::BuildBmp(Rle(8, 4, 2), {4, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1}),
      test::BuildBmp(Rle(4, 4, 2), {4, 0x12, 0, 0, 0, 2, 2, 0, 2, 0x33, 0, 1})};
  for (std::size_t f = 0; f < files.size(); ++f) {
    ASSERT_EQ(DecodeDIB(files[f]).error, DibError::None) << "file " << f;
    for (std::size_t n = 0; n < files[f].size(); ++n) {
      const DibDecodeResult r = DecodeDIB(std::span(files[f].data(), n));
      EXPECT_NE(r.error, DibError::None) << "file " << f << " cut to " << n << " bytes";
      EXPECT_EQ(r.image, nullptr);
    }
  }
}

TEST(BmpDecode, OffsetsAndTablesPointingPastTheEnd) {
  const Bytes good = test::BuildBmp(Layout(8, 2, 1), {1, 2, 0, 0});
  ASSERT_EQ(DecodeDIB(good).error, DibError::None);
  for (std::uint32_t offset : {static_cast<std::uint32_t>(good.size() + 1), 0xFFFFFFF0u}) {
    Bytes bytes = good;
    test::PutU32(bytes, 10, offset);
    ExpectError(bytes, DibError::ConversionFailed);
  }
  // A colour table longer than the file, or a count of entries beyond what is there.
  ExpectError(Bytes(good.begin(), good.begin() + 14 + 40 + 100 * 4), DibError::ConversionFailed);
  Bytes used = good;
  test::PutU32(used, 14 + 32, 0xFFFF);
  used.resize(14 + 40 + 300 * 4, 0);  // enough entries for the indices, not for the count: bare offset lies
  test::PutU32(used, 10, 0);
  ExpectError(used, DibError::ConversionFailed);
  // Bit fields without room for their masks.
  BmpLayout masked = Layout(32, 1, 1, 3);
  masked.fileHeader = false;
  ExpectError(test::BuildBmp(masked, {}), DibError::ConversionFailed);
}

TEST(BmpDecode, ImpossibleOrUnsupportedEncodings) {
  struct Case { std::int32_t width, height; std::uint16_t bits; std::uint32_t compression; };
  const Case cases[] = {{0, 2, 24, 0}, {-3, 2, 24, 0}, {2, 0, 24, 0}, {2, 2, 0, 0}, {2, 2, 2, 0}, {2, 2, 3, 0},
                        {2, 2, 12, 0}, {2, 2, 48, 0}, {2, 2, 64, 0}, {2, 2, 24, 4}, {2, 2, 24, 5}, {2, 2, 24, 6},
                        {2, 2, 24, 11}, {2, 2, 24, 0x80000000u},
                        // Run-length coding of the wrong bit count, or top-down; bit fields on 24 bits.
                        {2, 2, 4, 1}, {2, 2, 8, 2}, {2, -2, 8, 1}, {2, 2, 24, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.bits << " bits, compression "
                                    << c.compression);
    BmpLayout layout = Layout(24, c.width, c.height, c.compression);
    layout.bitCount = c.bits;
    if (c.compression == 3) layout.masks = {1, 2, 4};
    ExpectError(test::BuildBmp(layout, Bytes(64, 0)), DibError::ConversionFailed);
  }
  // Run-length data that ends before the picture does.
  ExpectError(test::BuildBmp(Rle(8, 2, 2), {2, 1, 0, 0}), DibError::ConversionFailed);
  ExpectError(test::BuildBmp(Rle(8, 2, 2), {2, 1, 0, 2, 1}), DibError::ConversionFailed);
  ExpectError(test::BuildBmp(Rle(8, 8, 2), {0, 6, 1, 2, 3}), DibError::ConversionFailed);
}

TEST(BmpDecode, HugePicturesAreRefusedBeforeAnyAllocation) {
  const std::pair<std::int32_t, std::int32_t> huge[] = {{kMaxDibSide + 1, 1}, {1, kMaxDibSide + 1},
                                                        {1, -kMaxDibSide - 1}, {5000, 5000},
                                                        {0x7FFFFFFF, 0x7FFFFFFF}, {1, INT32_MIN}};
  for (const auto& [w, h] : huge) ExpectError(test::BuildBmp(Layout(24, w, h), {}), DibError::OutOfMemory);
  // Within the bounds but without the data: an honest conversion failure.
  ExpectError(test::BuildBmp(Layout(24, kMaxDibSide, 1), {}), DibError::ConversionFailed);
  // Run-length pictures need almost no data, so the bound is what keeps them small.
  ExpectError(test::BuildBmp(Rle(8, kMaxDibSide, kMaxDibSide), {0, 1}), DibError::OutOfMemory);
}

}  // namespace
