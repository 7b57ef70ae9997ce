// Textures on a real OpenGL context, and the fatal rule for textures the game needs.
#include <gtest/gtest.h>

#include "platform/gl.h"
#include "platform/message_box.h"
#include "support/bmp_writer.h"
#include "support/test_support.h"
#include "world/bmp_image.h"
#include "world/texture.h"

class TextureTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::SetMessageBoxHook([this](const std::string& text, const std::string& caption, auto, auto) {
      return boxes.push_back(caption + "|" + text), platform::BoxAnswer::Ok;
    });
    ASSERT_TRUE(gl.ok());
  }
  void TearDown() override { platform::SetMessageBoxHook({}), SetFatalExitHook({}); }

  test::GLContext gl;
  test::TempDir dir;
  std::vector<std::string> boxes;
};

TEST_F(TextureTest, MissingFileFailsQuietlyAndADamagedRequiredOneAfterTheLoadersBox) {
  Texture t;
  EXPECT_FALSE(t.LoadImageFile(dir.File("ninguna.bmp")));
  EXPECT_TRUE(t.name == 0u && boxes.empty());
  std::vector<int> exits;
  SetFatalExitHook([&](int status) { exits.push_back(status); });
  test::BmpLayout layout;
  layout.width = layout.height = 2;
  test::WriteBytes(dir.File("vida.bmp"), test::BuildBmp(layout, test::PackRows(layout, {{1, 2}, {3, 4}})));
  EXPECT_TRUE(LoadRequiredTexture(t, dir.File("vida.bmp"), "Error la textura de vida no existe"));
  test::WriteFile(dir.File("chispa.bmp"), "BM not a picture at all, just text");
  EXPECT_FALSE(LoadRequiredTexture(t, dir.File("chispa.bmp"), "Error la textura de la chispa no existe"));
  EXPECT_EQ(boxes, (std::vector<std::string>{"Error|Unknown DIB file format.",
                                             "FATAL ERROR|Error la textura de la chispa no existe"}));
  EXPECT_EQ(exits, std::vector<int>{0});  // only the damaged one
}

// Without a hook the process really ends, with status 0. No GL is needed: a
// missing file fails before any texture is made.
TEST(RequiredTextureDeathTest, MissingFileEndsTheProcessWithStatusZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  test::TempDir dir;
  Texture t;
  EXPECT_EXIT((LoadRequiredTexture(t, dir.File("puertas2.bmp"), "Error la textura de las puertas no existe"),
               std::fprintf(stderr, "still running\n"), std::_Exit(3)),
              testing::ExitedWithCode(0), "FATAL ERROR.*Error la textura de las puertas no existe");
}
