// The bitmap decoder on pictures written byte by byte in every encoding it takes,
// and on files that are cut short or lie about themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "support/bmp_writer.h"
#include "world/bmp_image.h"

using test::BmpLayout;
using test::BmpRgb;
using Bytes = std::vector<std::uint8_t>;
using Picture = std::vector<std::vector<std::uint32_t>>;
using ColourOf = std::function<BmpRgb(std::uint32_t)>;

BmpRgb FromHex(std::uint32_t v) { return {std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)}; }

// A layout of the given depth; pictures of up to 8 bits get a full table of distinct colours.
BmpLayout Layout(int bits, int width, int height, std::uint32_t compression = 0) {
  BmpLayout layout;
  layout.width = width, layout.height = height, layout.compression = compression, layout.bitCount = std::uint16_t(bits);
  for (int i = 0; bits <= 8 && i < (1 << bits); ++i) layout.palette.push_back(FromHex((i * 7 + 1) << 16 | (255 - i) << 8 | (i * 13 + 5)));
  return layout;
}

BmpLayout Rle(int bits, int width, int height) { return Layout(bits, width, height, bits == 8 ? 1 : 2); }

// width x height values below limit that differ from row to row.
Picture Pattern(int width, int height, std::uint32_t limit, std::uint32_t seed = 1) {
  Picture p(height, std::vector<std::uint32_t>(width));
  for (auto& row : p) std::generate(row.begin(), row.end(), [&] { return ((seed = seed * 1103515245u + 12345u) >> 8) % limit; });
  return p;
}

// The decoder's pixels for a picture given top row first: table indices by default,
// where an index past the table (such as X) is a pixel left black.
constexpr std::uint32_t X = 256;
Bytes Expected(const BmpLayout& layout, const Picture& picture, ColourOf colourOf = nullptr) {
  if (!colourOf) colourOf = [&](std::uint32_t i) { return i < layout.palette.size() ? layout.palette[i] : BmpRgb{}; };
  return test::ExpectedPixels(picture, colourOf);
}

// Width and pixels of the decoded picture; the height follows from them. A failure gives minus its error.
std::pair<int, Bytes> Decoded(const Bytes& file) {
  const DibDecodeResult r = DecodeDIB(file);
  return r.image ? std::pair(r.image->width, r.image->pixels) : std::pair(-static_cast<int>(r.error), Bytes{});
}

void ExpectRoundTrip(const BmpLayout& layout, const Picture& picture, ColourOf colourOf = nullptr) {
  EXPECT_EQ(Decoded(test::BuildBmp(layout, test::PackRows(layout, picture))),
            std::pair(layout.width, Expected(layout, picture, colourOf)));
}

// A field of n bits widened to a byte, rounded to nearest.
std::uint8_t Widen(std::uint32_t value, int bits) { return std::uint8_t(std::lround(value * 255.0 / ((1ull << bits) - 1))); }

TEST(BmpDecode, EveryDepthRowLengthRowOrderAndColourTableWithAndWithoutFileHeader) {
  for (int bits : {1, 4, 24})
    for (int width : {1, 3, 5, 9, 33})
      for (bool fileHeader : {true, false}) {
        SCOPED_TRACE(testing::Message() << bits << " bits, width " << width << " file header " << fileHeader);
        BmpLayout layout = Layout(bits, width, fileHeader ? 4 : -4);  // bare pictures find their pixels after the table
        layout.fileHeader = fileHeader;
        ExpectRoundTrip(layout, Pattern(width, 4, bits == 24 ? 0x1000000 : 1u << bits, bits * 100 + width),
                        bits == 24 ? FromHex : ColourOf());
      }
  BmpLayout core = Layout(8, 7, 3);  // three-byte colour entries
  core.coreHeader = true;
  ExpectRoundTrip(core, Pattern(7, 3, 256, 9));
  BmpLayout shortTable = Layout(24, 4, 1);
  shortTable.bitCount = 8, shortTable.coloursUsed = 3, shortTable.fileHeader = false;
  shortTable.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  // Indices past the table are black; a bare picture starts right after the three entries.
  EXPECT_EQ(Decoded(test::BuildBmp(shortTable, {2, 0, 3, 255})), std::pair(4, Bytes{70, 80, 90, 10, 20, 30, 0, 0, 0, 0, 0, 0}));
}

TEST(BmpDecode, SixteenAndThirtyTwoBitsByDefaultAndWithMasks) {
  // 5-5-5 by default: white stays white and the unused top bit changes nothing.
  ExpectRoundTrip(Layout(16, 5, 2), {{0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x8000}, {0x0001, 0x0020, 0x0400, 0x4210, 0x2A95}},
                  [](std::uint32_t v) { return BmpRgb{Widen((v >> 10) & 31, 5), Widen((v >> 5) & 31, 5), Widen(v & 31, 5)}; });
  const Picture picture = {{0xFF123456, 0x00ABCDEF, 0x80000000}, {0x00FFFFFF, 0x12010203, 0x00FF0000}};
  ExpectRoundTrip(Layout(32, 3, 2), picture, [](std::uint32_t v) { return FromHex(v & 0xFFFFFF); });
  BmpLayout masked = Layout(32, 3, 2, 3);  // a twenty-bit red, wider than any table: masks decide, not byte order
  masked.masks = {0xFFFFF000, 0x00000F00, 0x000000FF};
  ExpectRoundTrip(masked, picture,
                  [](std::uint32_t v) { return BmpRgb{Widen(v >> 12, 20), Widen((v >> 8) & 15, 4), std::uint8_t(v)}; });
}

TEST(BmpDecode, FilesCutShortOrWithOffsetsAndTablesPointingPastTheEnd) {
  const BmpLayout plain = Layout(24, 4, 3);  // rows of 12 bytes: no padding to cut
  for (const Bytes& file : {test::BuildBmp(plain, test::PackRows(plain, Pattern(4, 3, 0x1000000))),
                            test::BuildBmp(Rle(8, 4, 2), {4, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1}),
                            test::BuildBmp(Rle(4, 4, 2), {4, 0x12, 0, 0, 0, 2, 2, 0, 2, 0x33, 0, 1})})
    for (std::size_t n = 0; n <= file.size(); ++n)  // only the whole file decodes
      EXPECT_EQ(DecodeDIB(std::span(file.data(), n)).error == DibError::None, n == file.size()) << file.size() << ": " << n;
  const Bytes good = test::BuildBmp(Layout(8, 2, 1), {1, 2, 0, 0});
  ASSERT_EQ(DecodeDIB(good).error, DibError::None);
  Bytes past = good, used = good;
  test::PutU32(past, 10, static_cast<std::uint32_t>(good.size() + 1));
  test::PutU32(used, 14 + 32, 0xFFFF);  // a count of entries beyond what is there, where no offset says better
  used.resize(14 + 40 + 300 * 4, 0);
  test::PutU32(used, 10, 0);
  // The last: bit fields without their masks.
  for (const Bytes& bad : {past, used, test::BuildBmp(Layout(32, 1, 1, 3), {})})
    EXPECT_EQ(DecodeDIB(bad).error, DibError::ConversionFailed) << bad.size();
}

TEST(BmpDecode, ImpossibleUnsupportedOrHugeEncodings) {
  struct Case { std::int32_t width, height; std::uint16_t bits; std::uint32_t compression; };
  // The last four: run-length coding of the wrong bit count, or top-down; bit fields on 24 bits.
  for (const Case& c : {Case{0, 2, 24, 0}, {-3, 2, 24, 0}, {2, 2, 12, 0}, {2, 2, 24, 4}, {2, 2, 4, 1}, {2, -2, 8, 1},
                        {2, 2, 24, 3}}) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.bits << " bits, " << c.compression);
    BmpLayout layout = Layout(24, c.width, c.height, c.compression);
    layout.bitCount = c.bits;
    if (c.compression == 3) layout.masks = {1, 2, 4};
    EXPECT_EQ(DecodeDIB(test::BuildBmp(layout, Bytes(64, 0))).error, DibError::ConversionFailed);
  }
  // Huge sides are refused before any allocation; run-length pictures need almost no data.
  for (auto [w, h] : {std::pair{kMaxDibSide + 1, 1}, {1, -kMaxDibSide - 1}, {0x7FFFFFFF, 0x7FFFFFFF}, {1, INT32_MIN}})
    EXPECT_EQ(DecodeDIB(test::BuildBmp(Layout(24, w, h), {})).error, DibError::OutOfMemory) << w << " x " << h;
  EXPECT_EQ(DecodeDIB(test::BuildBmp(Rle(8, kMaxDibSide, kMaxDibSide), {0, 1})).error, DibError::OutOfMemory);
  // In bounds, but no data.
  EXPECT_EQ(DecodeDIB(test::BuildBmp(Layout(24, kMaxDibSide, 1), {})).error, DibError::ConversionFailed);
}
