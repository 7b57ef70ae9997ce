// Both fonts' display lists on a real context.
#include <gtest/gtest.h>

#include <string>

#include "render/bitmap_font.h"
#include "render/menu.h"
#include "support/frame_pixels.h"
#include "support/gl_views.h"

namespace {

constexpr int kW = 320, kH = 240;

// How many pixels are bright.
int Ink() { return test::FramePixels(kW, kH).Count([](const std::uint8_t* p) { return p[0] > 128; }); }

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

TEST_F(Fonts, EveryCodeInksOneCellLinesRunOnAreCutAndOtherBytesCallNoList) {
  for (int c = 32; c < 127; ++c) {  // in rows of 25, apart
    const int x = 5 + (c - 32) % 25 * 12;
    glRasterPos2i(x, 200 - (c - 32) / 25 * 24), PrintBitmap("%c", c);
    EXPECT_FLOAT_EQ(RasterX(), x + 11.0f) << "code " << c;
  }
  EXPECT_GT(Ink(), 94 * 10) << "every glyph but the space inks";
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
  EXPECT_TRUE(Ink() == 0 && RasterX() == 10.0f);
}

}  // namespace
