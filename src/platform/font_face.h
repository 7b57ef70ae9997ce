// The seam to the system's fonts: finding a font file and reading its glyphs,
// either as one-bit bitmaps at a pixel size or as flattened outlines.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The file of the best match for a family name in bold, or, when the system
// has nothing close to it, of any bold monospace font; "" when none is found.
std::string FindBoldFontFile(const std::string& family);

// What a player of this system can do when no font is found (Spanish, one
// sentence): Linux names the distribution's package, Windows its Fonts folder.
std::string FontInstallAdvice();

// A glyph rendered at a pixel size, one bit per pixel.
struct GlyphBitmap {
  int width = 0;   // pixels
  int rows = 0;
  int left = 0;    // from the pen position to the bitmap's left edge
  int top = 0;     // from the baseline up to the bitmap's top row
  int advance = 0; // pixels the pen moves on
  // Rows from the BOTTOM row up, each ((width + 7) / 8) bytes, leftmost pixel
  // in the high bit, as glBitmap takes them with an unpack alignment of 1.
  std::vector<std::uint8_t> bits;
};

struct OutlinePoint {
  float x = 0.0f;
  float y = 0.0f;
};

// A glyph's outline in units where the em square is 1.0, curves flattened
// into straight segments. Each contour is closed: its last point joins its first.
struct GlyphOutline {
  std::vector<std::vector<OutlinePoint>> contours;
  float advance = 0.0f;
  // The ink box; all 0 for a glyph without ink (a space).
  float minX = 0.0f, minY = 0.0f, maxX = 0.0f, maxY = 0.0f;
  // True when the filled side lies to the right of a contour's direction of
  // travel (outer contours clockwise), false when it lies to the left.
  bool fillOnRight = true;
};

class FontFace {
 public:
  // nullptr when the file cannot be read as a font; why is put in *error.
  static std::unique_ptr<FontFace> Open(const std::string& path, std::string* error = nullptr);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // The glyph of a character code, taken as Latin-1. A code the font has no
  // glyph for gives the font's missing-glyph shape. False only when the font
  // itself fails (the output is then empty).
  bool RenderBitmap(unsigned code, int pixelHeight, GlyphBitmap& out);
  // tolerance: how far, in em units, a flattened curve may stray from the true curve.
  bool LoadOutline(unsigned code, float tolerance, GlyphOutline& out);

  std::string FamilyName() const;

 private:
  FontFace() = default;
  void* library_ = nullptr;  // FT_Library
  void* face_ = nullptr;     // FT_Face
};

}  // namespace platform
