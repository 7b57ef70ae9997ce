// Textures on a real OpenGL context, and the fatal rule for textures the game needs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gl.h"
#include "platform/message_box.h"
#include "support/bmp_writer.h"
#include "support/test_support.h"
#include "world/bmp_image.h"
#include "world/texture.h"

namespace {

struct Box {
  std::string text, caption;
};

class TextureTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::SetMessageBoxHook([this](const std::string& text, const std::string& caption, platform::BoxButtons,
                                       platform::BoxIcon) {
      boxes.push_back({text, caption});
      return platform::BoxAnswer::Ok;
    });
    ASSERT_TRUE(gl.ok());
  }
  void TearDown() override { platform::SetMessageBoxHook({}); }

  // A picture of width x height distinct colours, written as a 24-bit file.
  std::string WritePicture(const std::string& name, int width, int height, std::uint32_t seed = 0) {
    test::BmpLayout layout;
    layout.width = width;
    layout.height = height;
    std::vector<std::vector<std::uint32_t>> picture(height, std::vector<std::uint32_t>(width));
    for (auto& row : picture) {
      for (auto& v : row) v = ++seed * 0x050B11u;
    }
    const std::string path = dir.File(name);
    test::WriteBytes(path, test::BuildBmp(layout, test::PackRows(layout, picture)));
    return path;
  }

  static std::vector<std::uint8_t> ReadBack(int width, int height) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * height * 3 + 16, 0xEE);
    GLint oldPack = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &oldPack);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, out.data());
    glPixelStorei(GL_PACK_ALIGNMENT, oldPack);
    return out;
  }

  test::GLContext gl;
  test::TempDir dir;
  std::vector<Box> boxes;
};

GLint BoundTexture() {
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  return bound;
}

TEST_F(TextureTest, RowsThatAreNotAMultipleOfFourBytesUploadUnskewed) {
  for (int width : {1, 3, 5, 6, 8}) {
    SCOPED_TRACE(width);
    const std::string path = WritePicture("p" + std::to_string(width) + ".bmp", width, 3);
    const auto image = ReadDIBFile(path);
    ASSERT_EQ(image.error, DibError::None);
    Texture t;
    ASSERT_TRUE(t.LoadImageFile(path));
    EXPECT_EQ(t.width, width);
    t.Bind();
    auto back = ReadBack(width, 3);
    // Nothing written past the picture, and the picture itself byte for byte.
    EXPECT_EQ(back[image.image->pixels.size()], 0xEE);
    back.resize(image.image->pixels.size());
    EXPECT_EQ(back, image.image->pixels);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
  EXPECT_TRUE(boxes.empty());
  // The upload leaves the unpack alignment as it found it.
  const std::string path = WritePicture("a.bmp", 3, 1);
  for (GLint alignment : {4, 2, 8}) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    Texture t;
    ASSERT_TRUE(t.LoadImageFile(path));
    GLint now = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &now);
    EXPECT_EQ(now, alignment);
  }
}

TEST_F(TextureTest, CreateBindAndFilters) {
  Texture t;
  ASSERT_TRUE(t.Create());
  ASSERT_NE(t.name, 0u);
  const GLuint id = t.name - 1;
  EXPECT_TRUE(glIsTexture(id));
  EXPECT_EQ(BoundTexture(), static_cast<GLint>(id));
  GLint mag = 0, min = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
  EXPECT_EQ(mag, GL_LINEAR);
  EXPECT_EQ(min, GL_LINEAR);

  glBindTexture(GL_TEXTURE_2D, 0);
  ASSERT_TRUE(t.LoadImageFile(WritePicture("b.bmp", 4, 4)));
  const GLuint loaded = t.name - 1;
  glBindTexture(GL_TEXTURE_2D, 0);
  t.Bind();
  EXPECT_EQ(BoundTexture(), static_cast<GLint>(loaded));

  t.Release();
  EXPECT_FALSE(glIsTexture(loaded));
  t.Release();  // a second release is harmless
  EXPECT_EQ(t.name, 0u);
}

TEST_F(TextureTest, ReloadingReplacesTheOldTextureAndDestructionDeletesIt) {
  GLuint first = 0;
  GLuint second = 0;
  {
    Texture keep;  // holds a name so that the reload cannot silently get the old one back unseen
    Texture t;
    ASSERT_TRUE(t.LoadImageFile(WritePicture("one.bmp", 2, 2)));
    first = t.name - 1;
    ASSERT_TRUE(keep.Create());
    ASSERT_TRUE(t.LoadImageFile(WritePicture("two.bmp", 4, 2, 77)));
    second = t.name - 1;
    EXPECT_EQ(t.width, 4);
    EXPECT_TRUE(second == first || !glIsTexture(first));
    EXPECT_TRUE(glIsTexture(second));
    t.Bind();
    auto back = ReadBack(4, 2);
    back.resize(24);
    EXPECT_EQ(back, ReadDIBFile(dir.File("two.bmp")).image->pixels);
  }
  EXPECT_FALSE(glIsTexture(second));
}

TEST_F(TextureTest, MissingFileFailsQuietlyAndUndecodableOneAfterTheLoadersBox) {
  Texture t;
  EXPECT_FALSE(t.LoadImageFile(dir.File("ninguna.bmp")));
  EXPECT_EQ(t.name, 0u);
  EXPECT_TRUE(boxes.empty());
  test::WriteFile(dir.File("roto.bmp"), "BM not a picture at all, just text");
  EXPECT_FALSE(t.LoadImageFile(dir.File("roto.bmp")));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[0].text, "Unknown DIB file format.");
}

TEST_F(TextureTest, RequiredTextureShowsTheFatalBoxAndExitsWithZero) {
  std::vector<int> exits;
  SetFatalExitHook([&](int status) { exits.push_back(status); });
  Texture ok;
  EXPECT_TRUE(LoadRequiredTexture(ok, WritePicture("vida.bmp", 2, 2), "Error la textura de vida no existe"));
  EXPECT_TRUE(exits.empty());
  EXPECT_TRUE(boxes.empty());

  Texture missing;
  EXPECT_FALSE(LoadRequiredTexture(missing, dir.File("suelo1.bmp"), "Error la textura del suelo no existe"));
  ASSERT_EQ(exits, std::vector<int>{0});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption + "|" + boxes[0].text, "FATAL ERROR|Error la textura del suelo no existe");

  // A damaged file: the loader's own box first, then the fatal one.
  boxes.clear();
  test::WriteFile(dir.File("chispa.bmp"), "");
  EXPECT_FALSE(LoadRequiredTexture(missing, dir.File("chispa.bmp"), "Error la textura de la chispa no existe"));
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[1].caption, "FATAL ERROR");
  EXPECT_EQ(exits.size(), 2u);
  SetFatalExitHook({});
}

}  // namespace

// Without a hook the process really ends, with status 0. No GL is needed: a
// missing file fails before any texture is made.
TEST(RequiredTextureDeathTest, MissingFileEndsTheProcessWithStatusZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  test::TempDir dir;
  const std::string path = dir.File("puertas2.bmp");
  EXPECT_EXIT(
      {
        Texture t;
        LoadRequiredTexture(t, path, "Error la textura de las puertas no existe");
        std::fprintf(stderr, "still running\n");
        std::_Exit(3);
      },
      testing::ExitedWithCode(0), "FATAL ERROR.*Error la textura de las puertas no existe");
}
