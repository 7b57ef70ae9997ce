// Both fonts' display lists on a real context.
#include <gtest/gtest.h>

#include <string>

#include "render/bitmap_font.h"
#include "render/menu.h"
#include "support/frame_pixels.h"
#include "support/gl_views.h"

namespace {

constexpr int kW = 320, kH = 240;

// The bright pixels and the box round them.
struct Ink { int count = 0, minX = kW, maxX = -1, minY = kH, maxY = -1; };
Ink ReadInk() {
  const test::FramePixels frame(kW, kH);
  Ink ink;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (frame.At(x, y)[0] > 128)
        ++ink.count, ink.minX = std::min(ink.minX, x), ink.maxX = std::max(ink.maxX, x),
            ink.minY = std::min(ink.minY, y), ink.maxY = std::max(ink.maxY, y);
  return ink;
}

float RasterX() {
  GLfloat pos[4];
  glGetFloatv(GL_CURRENT_RASTER_POSITION, pos);
  return pos[0];
}

class Fonts : public ::testing::Test {
 protected:
  // Both fonts built; window pixels map one to one onto the projection, drawn in white on black.
  void SetUp() override {
    ASSERT_TRUE(context.ok());
    BuildBitmapFont(), menu.BuildOutlineFont();
    ASSERT_TRUE(bitmapFontBase != 0u && menu.outlineBase != 0u);
    glViewport(0, 0, kW, kH), test::Ortho(0, kW, 0, kH, -500, 500);
    for (GLenum cap : {GL_LIGHTING, GL_DEPTH_TEST, GL_CULL_FACE}) glDisable(cap);
    glClearColor(0, 0, 0, 1), glClear(GL_COLOR_BUFFER_BIT), glColor4f(1, 1, 1, 1);
  }
  void TearDown() override { DeleteBitmapFont(); }
  test::GLContext context{kW, kH};
  Menu menu;
};

TEST_F(Fonts, BitmapCodesInkTheirCellsLinesRunOnAreCutAndOtherBytesCallNoList) {
  const int x0 = 100, y0 = 100;
  for (int c = 32; c < 127; ++c) {
    glClear(GL_COLOR_BUFFER_BIT), glRasterPos2i(x0, y0), PrintBitmap("%c", c);
    EXPECT_FLOAT_EQ(RasterX(), x0 + 11.0f) << "code " << c;
    const Ink ink = ReadInk();
    // Inside the glyph's cell: its advance wide, from below the descenders to the em's top.
    EXPECT_TRUE(ink.count > 0 ? c != ' ' && ink.minX >= x0 - 1 && ink.maxX <= x0 + 11 && ink.minY >= y0 - 6 &&
                                    ink.maxY <= y0 + 18
                              : c == ' ') << "code " << c;
  }
  glRasterPos2i(10, 50), PrintBitmap("%d x %d", 640, 480);
  EXPECT_FLOAT_EQ(RasterX(), 10 + 9 * 11.0f);
  // Null prints nothing; text beyond 255 characters is cut.
  void (*print)(const char*, ...) = &PrintBitmap;  // a null format, past the format check
  glRasterPos2i(0, 10), print(nullptr);
  EXPECT_FLOAT_EQ(RasterX(), 0.0f);
  PrintBitmap("%s", std::string(400, '.').c_str());
  EXPECT_FLOAT_EQ(RasterX(), 255 * 11.0f);
  // The list right after the font's 96, and the one before them, paint the
  // screen; bytes outside the font must call neither.
  for (GLuint list : {bitmapFontBase + 96, bitmapFontBase - 1})
    glNewList(list, GL_COMPILE), glClearColor(1, 1, 1, 1), glClear(GL_COLOR_BUFFER_BIT), glEndList();
  glClearColor(0, 0, 0, 1), glClear(GL_COLOR_BUFFER_BIT), glRasterPos2i(10, 10), PrintBitmap("\x80\x1f\xff");
  EXPECT_TRUE(ReadInk().count == 0 && RasterX() == 10.0f);
}

}  // namespace
