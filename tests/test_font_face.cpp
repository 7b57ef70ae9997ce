// Finding the game's font and reading its glyphs, without a GL context.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/font_face.h"
#include "platform/message_box.h"
#include "render/font_source.h"
#include "support/test_support.h"

namespace {

TEST(FontFace, AnyFamilyResolvesToAMonospaceFileWithEmUnitOutlinesAndDamagedFilesAreRefused) {
  for (const char* family : {"Courier New", "No Such Family Anywhere"}) {
    SCOPED_TRACE(family);
    auto face = platform::FontFace::Open(platform::FindBoldFontFile(family));
    platform::GlyphOutline i, m, o, space;
    ASSERT_TRUE(face && face->LoadOutline('i', 0.002f, i) && face->LoadOutline('M', 0.002f, m) &&
                face->LoadOutline('O', 0.002f, o) && face->LoadOutline(' ', 0.002f, space));
    // In em units at the fixed pitch: the O's ring and hole, sitting on the baseline; an empty space.
    EXPECT_TRUE(i.advance == m.advance && space.advance == o.advance && space.contours.empty());
    EXPECT_EQ(o.contours.size(), 2u);
    EXPECT_TRUE(o.minX > 0.0f && o.maxX < o.advance && o.maxY > 0.5f && o.maxY < 1.0f && std::abs(o.minY) < 0.03f);
  }
  test::TempDir dir;
  test::WriteFile(dir.File("roto.ttf"), std::string("\0\1\0\0garbage that is not a font", 30));
  for (const char* name : {"roto.ttf", "nada.ttf"}) {
    std::string why;
    EXPECT_TRUE(!platform::FontFace::Open(dir.File(name), &why) && !why.empty()) << name;
  }
}

TEST(FontSource, NoFontOrAnUnreadableOneIsFatalWithStatusZero) {
  std::vector<std::string> boxes;
  platform::SetMessageBoxHook([&](const std::string& text, const std::string& caption, platform::BoxButtons,
                                  platform::BoxIcon) { return boxes.push_back(caption + "|" + text), platform::BoxAnswer::Ok; });
  std::vector<int> exits;
  SetFontFatalExit([&](int status) { exits.push_back(status); });
  SetFontFileFinder([](const std::string&) { return std::string(); });
  EXPECT_FALSE(OpenGameFont());
  test::TempDir dir;
  test::WriteFile(dir.File("roto.ttf"), "OTTO not really");
  SetFontFileFinder([&](const std::string&) { return dir.File("roto.ttf"); });
  EXPECT_FALSE(OpenGameFont());
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_TRUE(boxes[0].rfind("FATAL ERROR|", 0) == 0 && boxes[0].find("fuente") != std::string::npos &&
              boxes[1].find("roto.ttf") != std::string::npos) << boxes[0] << "\n" << boxes[1];
  EXPECT_EQ(exits, (std::vector<int>{0, 0}));
  SetFontFileFinder({});
  EXPECT_TRUE(OpenGameFont() && boxes.size() == 2u) << "the game's own font opens, with no box";
}

}  // namespace
