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
using Picture = std::vector<std::vector<std::uint32_t>>;

BmpRgb FromHex(std::uint32_t v) {
  return BmpRgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

std::vector<BmpRgb> Ramp(int n) {
  std::vector<BmpRgb> palette;
  for (int i = 0; i < n; ++i) {
    palette.push_back(BmpRgb{static_cast<std::uint8_t>(i * 7 + 1), static_cast<std::uint8_t>(255 - i),
                             static_cast<std::uint8_t>(i * 13 + 5)});
  }
  return palette;
}

// A picture of width x height values below limit that differ from row to row.
Picture Pattern(int width, int height, std::uint32_t limit, std::uint32_t seed = 1) {
  Picture p(height, std::vector<std::uint32_t>(width));
  std::uint32_t s = seed;
  for (auto& row : p) {
    for (auto& v : row) {
      s = s * 1103515245u + 12345u;
      v = (s >> 8) % limit;
    }
  }
  return p;
}

DibDecodeResult Decode(const std::vector<std::uint8_t>& bytes) { return DecodeDIB(bytes); }

void ExpectImage(const DibDecodeResult& r, int width, int height, const std::vector<std::uint8_t>& pixels) {
  ASSERT_EQ(r.error, DibError::None);
  ASSERT_NE(r.image, nullptr);
  EXPECT_EQ(r.image->width, width);
  EXPECT_EQ(r.image->height, height);
  ASSERT_EQ(r.image->pixels.size(), pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    ASSERT_EQ(r.image->pixels[i], pixels[i]) << "byte " << i << " (pixel " << i / 3 << ")";
  }
}

void ExpectError(const std::vector<std::uint8_t>& bytes, DibError error) {
  const DibDecodeResult r = Decode(bytes);
  EXPECT_EQ(r.error, error);
  EXPECT_EQ(r.image, nullptr);
}

TEST(BmpDecode, TwoByTwoTrueColourIsBottomRowFirstInRgbOrder) {
  BmpLayout layout;
  layout.width = 2;
  layout.height = 2;
  const Picture picture = {{0x102030, 0x405060}, {0x708090, 0xA0B0C0}};
  const auto data = test::PackRows(layout, picture);
  ASSERT_EQ(data.size(), 16u);  // two rows of 6 bytes padded to 8
  ExpectImage(Decode(test::BuildBmp(layout, data)), 2, 2,
              {0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60});
}

TEST(BmpDecode, TrueColourWithOddRowLengthsWithAndWithoutFileHeader) {
  for (int width : {1, 3, 5, 7}) {
    for (bool fileHeader : {true, false}) {
      BmpLayout layout;
      layout.width = width;
      layout.height = 3;
      layout.fileHeader = fileHeader;
      const Picture picture = Pattern(width, 3, 0x1000000, width);
      SCOPED_TRACE(testing::Message() << "width " << width << " file header " << fileHeader);
      ExpectImage(Decode(test::BuildBmp(layout, test::PackRows(layout, picture))), width, 3,
                  test::ExpectedPixels(picture, FromHex));
    }
  }
}

TEST(BmpDecode, PalettisedPicturesOfEveryIndexWidth) {
  for (int bits : {1, 4, 8}) {
    for (int width : {1, 5, 9, 13, 33}) {
      BmpLayout layout;
      layout.fileHeader = width % 2 == 1 && width > 5;  // bare pictures find their pixels after the table
      layout.bitCount = static_cast<std::uint16_t>(bits);
      layout.width = width;
      layout.height = 4;
      layout.palette = Ramp(1 << bits);
      const Picture picture = Pattern(width, 4, 1u << bits, bits * 100 + width);
      SCOPED_TRACE(testing::Message() << bits << " bits, width " << width);
      ExpectImage(Decode(test::BuildBmp(layout, test::PackRows(layout, picture))), width, 4,
                  test::ExpectedPixels(picture, [&](std::uint32_t i) { return layout.palette[i]; }));
    }
  }
}

TEST(BmpDecode, FourByOnePalettisedGivesThePaletteColours) {
  BmpLayout layout;
  layout.bitCount = 8;
  layout.width = 4;
  layout.height = 1;
  layout.palette = Ramp(256);
  layout.palette[7] = {1, 2, 3};
  layout.palette[200] = {200, 100, 50};
  ExpectImage(Decode(test::BuildBmp(layout, {7, 200, 7, 0})), 4, 1,
              {1, 2, 3, 200, 100, 50, 1, 2, 3, layout.palette[0].r, layout.palette[0].g, layout.palette[0].b});
}

TEST(BmpDecode, TopDownPicturesComeOutBottomRowFirst) {
  for (int bits : {1, 4, 8, 24, 32}) {
    BmpLayout up;
    up.bitCount = static_cast<std::uint16_t>(bits);
    up.width = 6;
    up.height = 5;
    if (bits <= 8) up.palette = Ramp(1 << bits);
    const std::uint32_t limit = bits <= 8 ? (1u << bits) : 0x1000000;
    const Picture picture = Pattern(6, 5, limit, bits);
    BmpLayout down = up;
    down.height = -5;
    const auto fromUp = Decode(test::BuildBmp(up, test::PackRows(up, picture)));
    const auto fromDown = Decode(test::BuildBmp(down, test::PackRows(down, picture)));
    SCOPED_TRACE(bits);
    ASSERT_EQ(fromUp.error, DibError::None);
    ExpectImage(fromDown, 6, 5, fromUp.image->pixels);
  }
}

TEST(BmpDecode, CoreHeaderReadsThreeByteColourEntries) {
  for (bool fileHeader : {true, false}) {
    BmpLayout layout;
    layout.coreHeader = true;
    layout.fileHeader = fileHeader;
    layout.bitCount = 8;
    layout.width = 7;
    layout.height = 3;
    layout.palette = Ramp(256);
    const Picture picture = Pattern(7, 3, 256, 9);
    const auto file = test::BuildBmp(layout, test::PackRows(layout, picture));
    ASSERT_EQ(file.size(), (fileHeader ? 14u : 0u) + 12u + 256u * 3u + 3u * 8u);
    SCOPED_TRACE(fileHeader);
    ExpectImage(Decode(file), 7, 3,
                test::ExpectedPixels(picture, [&](std::uint32_t i) { return layout.palette[i]; }));
  }
  BmpLayout trueColour;
  trueColour.coreHeader = true;
  trueColour.width = 3;
  trueColour.height = 2;
  const Picture picture = Pattern(3, 2, 0x1000000, 4);
  ExpectImage(Decode(test::BuildBmp(trueColour, test::PackRows(trueColour, picture))), 3, 2,
              test::ExpectedPixels(picture, FromHex));
}

// A field of n bits widened to a byte, rounded to nearest.
std::uint8_t Widen(std::uint32_t value, int bits) {
  return static_cast<std::uint8_t>(std::lround(value * 255.0 / ((1u << bits) - 1)));
}

TEST(BmpDecode, SixteenBitsDefaultIsFiveFiveFive) {
  BmpLayout layout;
  layout.bitCount = 16;
  layout.width = 5;
  layout.height = 2;
  const Picture picture = {{0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x8000}, {0x0001, 0x0020, 0x0400, 0x4210, 0x2A95}};
  auto colour = [](std::uint32_t v) {
    return BmpRgb{Widen((v >> 10) & 31, 5), Widen((v >> 5) & 31, 5), Widen(v & 31, 5)};
  };
  const auto r = Decode(test::BuildBmp(layout, test::PackRows(layout, picture)));
  ExpectImage(r, 5, 2, test::ExpectedPixels(picture, colour));
  // White stays white, and the unused top bit changes nothing.
  EXPECT_EQ(r.image->pixels[15], 255);
  EXPECT_EQ(r.image->pixels[27], 0);
}

TEST(BmpDecode, SixteenBitsWithFiveSixFiveMasks) {
  BmpLayout layout;
  layout.bitCount = 16;
  layout.compression = 3;
  layout.masks = {0xF800, 0x07E0, 0x001F};
  layout.width = 4;
  layout.height = 2;
  const Picture picture = {{0xFFFF, 0xF800, 0x07E0, 0x001F}, {0x0020, 0x8410, 0x1234, 0xABCD}};
  auto colour = [](std::uint32_t v) {
    return BmpRgb{Widen(v >> 11, 5), Widen((v >> 5) & 63, 6), Widen(v & 31, 5)};
  };
  for (bool fileHeader : {true, false}) {
    layout.fileHeader = fileHeader;
    SCOPED_TRACE(fileHeader);
    ExpectImage(Decode(test::BuildBmp(layout, test::PackRows(layout, picture))), 4, 2,
                test::ExpectedPixels(picture, colour));
  }
}

TEST(BmpDecode, ThirtyTwoBitsDefaultAndWithMasks) {
  BmpLayout plain;
  plain.bitCount = 32;
  plain.width = 3;
  plain.height = 2;
  const Picture picture = {{0xFF123456, 0x00ABCDEF, 0x80000000}, {0x00FFFFFF, 0x12010203, 0x00FF0000}};
  ExpectImage(Decode(test::BuildBmp(plain, test::PackRows(plain, picture))), 3, 2,
              test::ExpectedPixels(picture, [](std::uint32_t v) { return FromHex(v & 0xFFFFFF); }));

  // Red in the low byte, and a ten-bit green: masks decide, not the byte order.
  BmpLayout masked = plain;
  masked.compression = 3;
  masked.masks = {0x000000FF, 0x0003FF00, 0xFF000000};
  auto colour = [](std::uint32_t v) {
    return BmpRgb{static_cast<std::uint8_t>(v & 0xFF), Widen((v >> 8) & 0x3FF, 10),
                  static_cast<std::uint8_t>(v >> 24)};
  };
  ExpectImage(Decode(test::BuildBmp(masked, test::PackRows(masked, picture))), 3, 2,
              test::ExpectedPixels(picture, colour));

  // A twenty-bit red, wider than any table.
  masked.masks = {0xFFFFF000, 0x00000F00, 0x000000FF};
  auto wide = [](std::uint32_t v) {
    return BmpRgb{static_cast<std::uint8_t>(std::lround((v >> 12) * 255.0 / 0xFFFFF)), Widen((v >> 8) & 15, 4),
                  static_cast<std::uint8_t>(v & 0xFF)};
  };
  ExpectImage(Decode(test::BuildBmp(masked, test::PackRows(masked, picture))), 3, 2,
              test::ExpectedPixels(picture, wide));
}

TEST(BmpDecode, ShortColourTableAndIndicesPastIt) {
  BmpLayout layout;
  layout.bitCount = 8;
  layout.width = 4;
  layout.height = 1;
  layout.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  layout.coloursUsed = 3;
  for (bool fileHeader : {true, false}) {
    layout.fileHeader = fileHeader;
    SCOPED_TRACE(fileHeader);
    // Without a file header the pixels must be found right after the three entries.
    ExpectImage(Decode(test::BuildBmp(layout, {2, 0, 3, 255})), 4, 1, {70, 80, 90, 10, 20, 30, 0, 0, 0, 0, 0, 0});
  }
}

TEST(BmpDecode, TrueColourWithAnOptionalColourTable) {
  BmpLayout layout;
  layout.width = 2;
  layout.height = 1;
  layout.coloursUsed = 2;
  layout.palette = {{1, 1, 1}, {2, 2, 2}};
  layout.fileHeader = false;
  ExpectImage(Decode(test::BuildBmp(layout, test::PackRows(layout, {{0xAABBCC, 0x010203}}))), 2, 1,
              {0xAA, 0xBB, 0xCC, 1, 2, 3});
}

BmpLayout RleLayout(int bits, int width, int height) {
  BmpLayout layout;
  layout.bitCount = static_cast<std::uint16_t>(bits);
  layout.compression = bits == 8 ? 1 : 2;
  layout.width = width;
  layout.height = height;
  layout.palette = Ramp(1 << bits);
  return layout;
}

// Expected pixels from a bottom-first grid of indices; -1 is a pixel left black.
std::vector<std::uint8_t> FromIndexGrid(const BmpLayout& layout, const std::vector<std::vector<int>>& bottomFirst) {
  std::vector<std::uint8_t> out;
  for (const auto& row : bottomFirst) {
    for (int i : row) {
      const BmpRgb c = i < 0 ? BmpRgb{} : layout.palette[i];
      out.insert(out.end(), {c.r, c.g, c.b});
    }
  }
  return out;
}

TEST(BmpDecode, Rle8RunsLiteralsDeltaAndEscapes) {
  const BmpLayout layout = RleLayout(8, 6, 4);
  const std::vector<std::uint8_t> data = {
      3, 9, 0, 3, 4, 5, 6, 0,  // run of three 9s, three literals padded to four bytes
      0, 0,                    // end of row 0
      2, 1, 0, 2, 3, 1,        // two 1s, then jump 3 right and 1 up
      1, 7, 0, 0,              // one 7 at row 2, x 5
      0, 4, 11, 12, 13, 14,    // four literals in row 3 (even: no padding)
      0, 1};                   // end of picture
  ExpectImage(Decode(test::BuildBmp(layout, data)), 6, 4,
              FromIndexGrid(layout, {{9, 9, 9, 4, 5, 6}, {1, 1, -1, -1, -1, -1}, {-1, -1, -1, -1, -1, 7},
                                     {11, 12, 13, 14, -1, -1}}));
}

TEST(BmpDecode, Rle4RunsAlternateNibblesAndLiteralsArePadded) {
  const BmpLayout layout = RleLayout(4, 7, 3);
  const std::vector<std::uint8_t> data = {
      5, 0x12,              // 1 2 1 2 1
      0, 0,                 // end of row
      0, 3, 0xAB, 0xC0,     // three literal nibbles A B C in two bytes (even already)
      0, 2, 2, 0,           // jump two right
      2, 0x34,              // 3 4
      0, 0,
      0, 5, 0x56, 0x78, 0x90, 0x00,  // five nibbles in three bytes, padded to four
      0, 1};
  ExpectImage(Decode(test::BuildBmp(layout, data)), 7, 3,
              FromIndexGrid(layout, {{1, 2, 1, 2, 1, -1, -1}, {10, 11, 12, -1, -1, 3, 4}, {5, 6, 7, 8, 9, -1, -1}}));
}

TEST(BmpDecode, RleRunsDoNotSpillIntoTheNextRow) {
  const BmpLayout layout = RleLayout(8, 3, 2);
  // 255 pixels into a row of 3, then literals that also overflow, then row 1.
  const std::vector<std::uint8_t> data = {255, 4, 0, 5, 1, 2, 3, 4, 5, 0, 0, 0, 1, 6, 0, 1};
  ExpectImage(Decode(test::BuildBmp(layout, data)), 3, 2, FromIndexGrid(layout, {{4, 4, 4}, {6, -1, -1}}));
}

TEST(BmpDecode, RleDataThatFillsEveryRowNeedsNoEndMark) {
  const BmpLayout layout = RleLayout(8, 2, 2);
  ExpectImage(Decode(test::BuildBmp(layout, {2, 3, 0, 0, 2, 5, 0, 0})), 2, 2, FromIndexGrid(layout, {{3, 3}, {5, 5}}));
  // A jump past the top ends the picture as well.
  ExpectImage(Decode(test::BuildBmp(layout, {1, 3, 0, 2, 0, 9})), 2, 2, FromIndexGrid(layout, {{3, -1}, {-1, -1}}));
}

TEST(BmpDecode, HeadersOfOtherSizesAreUnknown) {
  BmpLayout layout;
  layout.width = 2;
  layout.height = 2;
  const auto good = test::BuildBmp(layout, test::PackRows(layout, Pattern(2, 2, 0x1000000)));
  for (std::uint32_t size : {0u, 16u, 52u, 56u, 64u, 108u, 124u, 0xFFFFFFFFu}) {
    auto bytes = good;
    test::PutU32(bytes, 14, size);
    SCOPED_TRACE(size);
    ExpectError(bytes, DibError::UnknownFormat);
  }
  ExpectError({}, DibError::UnknownFormat);
  ExpectError({'B'}, DibError::UnknownFormat);
  ExpectError({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0}, DibError::UnknownFormat);
  // The header says 40 bytes but the file ends inside it.
  ExpectError(std::vector<std::uint8_t>(good.begin(), good.begin() + 14 + 39), DibError::UnknownFormat);
}

// Every cut of a good file short of its end is refused, whatever the encoding.
TEST(BmpDecode, TruncatedFilesAreRefusedAtEveryLength) {
  std::vector<std::vector<std::uint8_t>> files;
  {
    BmpLayout layout;  // rows of 12 bytes: no padding that a cut could drop harmlessly
    layout.width = 4;
    layout.height = 3;
    files.push_back(test::BuildBmp(layout, test::PackRows(layout, Pattern(4, 3, 0x1000000))));
  }
  {
    BmpLayout layout;
    layout.coreHeader = true;
    layout.fileHeader = false;
    layout.bitCount = 8;
    layout.width = 4;
    layout.height = 2;
    layout.palette = Ramp(256);
    files.push_back(test::BuildBmp(layout, test::PackRows(layout, Pattern(4, 2, 256))));
  }
  {
    BmpLayout layout;
    layout.bitCount = 16;
    layout.compression = 3;
    layout.masks = {0xF800, 0x07E0, 0x001F};
    layout.width = 2;
    layout.height = 2;
    files.push_back(test::BuildBmp(layout, test::PackRows(layout, Pattern(2, 2, 65536))));
  }
  files.push_back(test::BuildBmp(RleLayout(8, 4, 2), {4, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1}));
  files.push_back(test::BuildBmp(RleLayout(4, 4, 2), {4, 0x12, 0, 0, 0, 2, 2, 0, 2, 0x33, 0, 1}));
  for (std::size_t f = 0; f < files.size(); ++f) {
    ASSERT_EQ(Decode(files[f]).error, DibError::None) << "file " << f;
    for (std::size_t n = 0; n < files[f].size(); ++n) {
      const DibDecodeResult r = DecodeDIB(std::span(files[f].data(), n));
      EXPECT_NE(r.error, DibError::None) << "file " << f << " cut to " << n << " bytes";
      EXPECT_EQ(r.image, nullptr);
    }
  }
}

TEST(BmpDecode, OffsetsAndTablesPointingPastTheEnd) {
  BmpLayout layout;
  layout.bitCount = 8;
  layout.width = 2;
  layout.height = 1;
  layout.palette = Ramp(256);
  const auto good = test::BuildBmp(layout, {1, 2, 0, 0});
  ASSERT_EQ(Decode(good).error, DibError::None);

  auto offset = good;
  test::PutU32(offset, 10, static_cast<std::uint32_t>(good.size() + 1));
  ExpectError(offset, DibError::ConversionFailed);
  test::PutU32(offset, 10, 0xFFFFFFF0u);
  ExpectError(offset, DibError::ConversionFailed);

  // A colour table said to be longer than the file.
  auto table = std::vector<std::uint8_t>(good.begin(), good.begin() + 14 + 40 + 100 * 4);
  ExpectError(table, DibError::ConversionFailed);
  auto used = good;
  test::PutU32(used, 14 + 32, 0xFFFF);
  used.resize(14 + 40 + 300 * 4, 0);  // enough entries for the indices, not for the count: bare offset lies
  test::PutU32(used, 10, 0);
  ExpectError(used, DibError::ConversionFailed);

  // Bit fields without room for their masks.
  BmpLayout masked;
  masked.bitCount = 32;
  masked.compression = 3;
  masked.fileHeader = false;
  ExpectError(test::BuildBmp(masked, {}), DibError::ConversionFailed);
}

TEST(BmpDecode, ImpossibleOrUnsupportedEncodings) {
  auto with = [](auto change) {
    BmpLayout layout;
    layout.width = 2;
    layout.height = 2;
    change(layout);
    return test::BuildBmp(layout, std::vector<std::uint8_t>(64, 0));
  };
  ExpectError(with([](BmpLayout& l) { l.width = 0; }), DibError::ConversionFailed);
  ExpectError(with([](BmpLayout& l) { l.width = -3; }), DibError::ConversionFailed);
  ExpectError(with([](BmpLayout& l) { l.height = 0; }), DibError::ConversionFailed);
  for (std::uint16_t bits : {0, 2, 3, 12, 48, 64}) {
    ExpectError(with([&](BmpLayout& l) { l.bitCount = bits; }), DibError::ConversionFailed);
  }
  for (std::uint32_t c : {4u, 5u, 6u, 11u, 0x80000000u}) {
    ExpectError(with([&](BmpLayout& l) { l.compression = c; }), DibError::ConversionFailed);
  }
  // Run-length coding of the wrong bit count, or top-down.
  ExpectError(with([](BmpLayout& l) { l.compression = 1; l.bitCount = 4; }), DibError::ConversionFailed);
  ExpectError(with([](BmpLayout& l) { l.compression = 2; l.bitCount = 8; }), DibError::ConversionFailed);
  ExpectError(with([](BmpLayout& l) { l.compression = 1; l.bitCount = 8; l.height = -2; }), DibError::ConversionFailed);
  ExpectError(with([](BmpLayout& l) { l.compression = 3; l.bitCount = 24; l.masks = {1, 2, 4}; }),
              DibError::ConversionFailed);
  // Run-length data that ends before the picture does.
  ExpectError(test::BuildBmp(RleLayout(8, 2, 2), {2, 1, 0, 0}), DibError::ConversionFailed);
  ExpectError(test::BuildBmp(RleLayout(8, 2, 2), {2, 1, 0, 2, 1}), DibError::ConversionFailed);
  ExpectError(test::BuildBmp(RleLayout(8, 8, 2), {0, 6, 1, 2, 3}), DibError::ConversionFailed);
}

TEST(BmpDecode, HugePicturesAreRefusedBeforeAnyAllocation) {
  auto sized = [](std::int32_t w, std::int32_t h) {
    BmpLayout layout;
    layout.width = w;
    layout.height = h;
    return test::BuildBmp(layout, {});
  };
  ExpectError(sized(kMaxDibSide + 1, 1), DibError::OutOfMemory);
  ExpectError(sized(1, kMaxDibSide + 1), DibError::OutOfMemory);
  ExpectError(sized(1, -kMaxDibSide - 1), DibError::OutOfMemory);
  ExpectError(sized(5000, 5000), DibError::OutOfMemory);
  ExpectError(sized(0x7FFFFFFF, 0x7FFFFFFF), DibError::OutOfMemory);
  ExpectError(sized(1, INT32_MIN), DibError::OutOfMemory);
  // Within the bounds but without the data: an honest conversion failure.
  ExpectError(sized(kMaxDibSide, 1), DibError::ConversionFailed);
  // Run-length pictures need almost no data, so the bound is what keeps them small.
  BmpLayout rle = RleLayout(8, kMaxDibSide, kMaxDibSide);
  ExpectError(test::BuildBmp(rle, {0, 1}), DibError::OutOfMemory);
}

}  // namespace
