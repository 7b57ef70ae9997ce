// The game's font: without it, or with an unreadable one, the game ends after its box.
#include <gtest/gtest.h>

#include "platform/font_face.h"
#include "platform/message_box.h"
#include "render/font_source.h"
#include "support/test_support.h"

namespace {

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
