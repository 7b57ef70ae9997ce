// Picture files from disk: the boxes shown when they cannot be used.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_box.h"
#include "support/bmp_writer.h"
#include "support/test_support.h"
#include "world/bmp_image.h"

namespace {

struct Box {
  std::string text, caption;
  platform::BoxButtons buttons;
};

class BmpFile : public testing::Test {
 protected:
  void SetUp() override {
    platform::SetMessageBoxHook([this](const std::string& text, const std::string& caption, platform::BoxButtons b,
                                       platform::BoxIcon) {
      boxes.push_back({text, caption, b});
      return platform::BoxAnswer::Ok;
    });
  }
  void TearDown() override { platform::SetMessageBoxHook({}); }

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = dir.File(name);
    test::WriteBytes(path, bytes);
    return path;
  }

  void ExpectOneBox(const std::string& text) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].buttons, platform::BoxButtons::Ok);
  }

  test::TempDir dir;
  std::vector<Box> boxes;
};

std::vector<std::uint8_t> SmallPicture() {
  test::BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  return test::BuildBmp(layout, test::PackRows(layout, {{0x010203, 0x040506, 0x070809}, {0x0A0B0C, 0x0D0E0F, 0x101112}}));
}

TEST_F(BmpFile, GoodFileLoadsWithoutABox) {
  const auto image = LoadDIBImage(Write("ok.bmp", SmallPicture()));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{10, 11, 12, 13, 14, 15, 16, 17, 18, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(BmpFile, MissingFileNamesTheFileAndAFolderCannotBeOpened) {
  const std::string path = dir.File("nowhere.bmp");
  EXPECT_EQ(LoadDIBImage(path), nullptr);
  ExpectOneBox("Failed to open DIB file " + path + ".\n");
  EXPECT_EQ(ReadDIBFile(dir.path().string()).error, DibError::OpenFailed);
}

TEST_F(BmpFile, DamagedFilesShowTheBoxOfTheirFault) {
  auto later = SmallPicture();  // a later, longer header
  test::PutU32(later, 14, 108);
  later.resize(later.size() + 68, 0);
  auto cut = SmallPicture();
  cut.resize(cut.size() - 5);
  auto huge = SmallPicture();
  test::PutU32(huge, 18, 60000);
  test::PutU32(huge, 22, 60000);
  const std::pair<std::vector<std::uint8_t>, const char*> cases[] = {
      {later, "Unknown DIB file format."}, {cut, "Image file conversion error."}, {huge, "Out of memory."}};
  for (const auto& [bytes, text] : cases) {
    SCOPED_TRACE(text);
    boxes.clear();
    EXPECT_EQ(LoadDIBImage(Write("bad.bmp", bytes)), nullptr);
    ExpectOneBox(text);
  }
}

// The other texts are checked through the boxes above.
TEST(BmpErrorText, FileNameIsTextNotAFormat) {
  EXPECT_EQ(DibErrorText(DibError::OpenFailed, "%s%n.bmp"), "Failed to open DIB file %s%n.bmp.\n");
}

}  // namespace

#include "world/bmp_ppm.h"

namespace {

TEST(BmpPpm, TopRowComesFirst) {
  Image image;
  image.width = 2;
  image.height = 2;
  image.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};  // bottom row first
  const std::string header = "P6\n2 2\n255\n";
  std::vector<std::uint8_t> expected(header.begin(), header.end());
  expected.insert(expected.end(), {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6});
  EXPECT_EQ(ImageToPpm(image), expected);
}

}  // namespace
