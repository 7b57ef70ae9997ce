// Reading the game's pictures: Windows bitmap files (BMP) into packed 24-bit RGB rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// A decoded picture. Rows are packed (no padding) red, green, blue bytes, the
// bottom row of the picture first; top-down files are turned to this order.
struct Image {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> pixels;  // width * height * 3 bytes
};

// Why a picture could not be had. Each has its own message (DibErrorText).
enum class DibError {
  None,
  OpenFailed,        // "Failed to open DIB file %s.\n"
  UnknownFormat,     // "Unknown DIB file format."
  ConversionFailed,  // "Image file conversion error."
  OutOfMemory,       // "Out of memory."
};

struct DibDecodeResult {
  std::unique_ptr<Image> image;  // set exactly when error is None
  DibError error = DibError::None;
};

// Pictures larger than this are refused as "Out of memory." rather than letting
// a damaged header ask for gigabytes.
constexpr std::int32_t kMaxDibSide = 16384;
constexpr std::int64_t kMaxDibPixels = 4096LL * 4096LL;
// Files larger than this are not read at all.
constexpr std::size_t kMaxDibFileBytes = 256u * 1024u * 1024u;

// Bytes in, picture or error out: no files, no message boxes. Every read is
// checked against bytes.size().
// Takes files with or without the 14-byte "BM" header; the 12-byte core header
// and the 40-byte header; 1, 4, 8 bits with a colour table, RLE4 and RLE8,
// 16 and 32 bits (default or bit-field masks) and 24 bits.
DibDecodeResult DecodeDIB(std::span<const std::uint8_t> bytes);

// Reads the whole file and decodes it, showing nothing.
DibDecodeResult ReadDIBFile(const std::string& fileName);

// The text shown for an error; fileName fills the "%s" of the open failure.
std::string DibErrorText(DibError error, const std::string& fileName);

// Reads and decodes fileName; on failure shows the error's text in a box with the
// caption "Error" and returns nullptr.
std::unique_ptr<Image> LoadDIBImage(const std::string& fileName);
