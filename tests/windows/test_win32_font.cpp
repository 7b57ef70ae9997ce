// The game's font through GDI: the family the texts were laid out for, its
// glyphs as bitmaps and outlines in the same form the font code gets on Linux.
#include <gtest/gtest.h>

#include <string>

#include "platform/font_face.h"
#include "platform/message_box.h"
#include "render/font_source.h"

namespace {

TEST(Win32Font, CourierNewResolvesToAMetricCompatibleBoldFont) {
  std::unique_ptr<platform::FontFace> face = OpenGameFont();
  ASSERT_NE(face, nullptr);
  // The test prefix maps the family to Liberation Mono, as fontconfig does on Linux.
  EXPECT_EQ(face->FamilyName(), "Liberation Mono");

  platform::GlyphBitmap a, space;
  ASSERT_TRUE(face->RenderBitmap('A', kGameFontPixels, a));
  ASSERT_TRUE(face->RenderBitmap(' ', kGameFontPixels, space));
  // A monospace font at 18 pixels: every glyph moves the pen by 0.6 em.
  EXPECT_EQ(a.advance, 11);
  EXPECT_EQ(space.advance, a.advance);
  EXPECT_TRUE(space.bits.empty());
  EXPECT_GT(a.rows, 8);
  EXPECT_LE(a.top, kGameFontPixels);
  ASSERT_EQ(a.bits.size(), static_cast<std::size_t>((a.width + 7) / 8 * a.rows));
  // The apex of an A is narrower than its feet: the top row (last) has less ink than the bottom row (first).
  auto ink = [&](int row) {
    int n = 0;
    for (int x = 0; x < a.width; ++x) n += (a.bits[static_cast<std::size_t>(row * ((a.width + 7) / 8) + x / 8)] >> (7 - x % 8)) & 1;
    return n;
  };
  EXPECT_LT(ink(a.rows - 1), ink(0));
}

TEST(Win32Font, OutlinesAreClosedContoursInEmUnits) {
  std::unique_ptr<platform::FontFace> face = OpenGameFont();
  ASSERT_NE(face, nullptr);
  platform::GlyphOutline o, space;
  ASSERT_TRUE(face->LoadOutline('O', 0.002f, o));
  EXPECT_NEAR(o.advance, 0.6f, 0.01f);
  EXPECT_EQ(o.contours.size(), 2u);  // the ring and its hole
  EXPECT_GT(o.minY, -0.05f);
  EXPECT_LT(o.maxY, 0.9f);
  EXPECT_GT(o.maxX - o.minX, 0.3f);
  EXPECT_TRUE(o.fillOnRight);
  ASSERT_TRUE(face->LoadOutline(' ', 0.002f, space));
  EXPECT_TRUE(space.contours.empty());
  EXPECT_FLOAT_EQ(space.advance, o.advance);
}

// Without a font, the box tells a Windows player what Windows has, not a
// Linux distribution's package.
TEST(Win32Font, TheMissingFontMessageSpeaksOfWindows) {
  std::string box;
  int status = -1;
  SetFontFileFinder([](const std::string&) { return std::string(); });
  SetFontFatalExit([&status](int s) { status = s; });
  auto previous = platform::SetMessageBoxHook(
      [&box](const std::string& text, const std::string& caption, platform::BoxButtons, platform::BoxIcon) {
        box = caption + "|" + text;
        return platform::BoxAnswer::Ok;
      });
  EXPECT_EQ(OpenGameFont(), nullptr);
  platform::SetMessageBoxHook(previous);
  SetFontFileFinder(nullptr);
  SetFontFatalExit(nullptr);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(box.rfind("FATAL ERROR|No se ha encontrado ninguna fuente", 0), 0u) << box;
  EXPECT_NE(box.find("Windows"), std::string::npos) << box;
  EXPECT_EQ(box.find("paquete"), std::string::npos) << box;
  EXPECT_EQ(box.find("fonts-liberation"), std::string::npos) << box;
}

}  // namespace
