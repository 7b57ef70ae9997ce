// Picture files from disk: the boxes shown when they cannot be used.
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "support/bmp_writer.h"
#include "support/test_support.h"
#include "world/bmp_image.h"
#include "world/bmp_ppm.h"

const test::BmpLayout kSmall = [] {
  test::BmpLayout layout;
  layout.width = 3, layout.height = 2;
  return layout;
}();
const std::vector<std::uint8_t> kSmallFile =
    test::BuildBmp(kSmall, test::PackRows(kSmall, {{0x010203, 0x040506, 0x070809}, {0x0A0B0C, 0x0D0E0F, 0x101112}}));

// Loads the file and gives the boxes shown, each as caption|buttons|text.
std::vector<std::string> LoadAndBoxes(const std::string& path, std::unique_ptr<Image>& image) {
  std::vector<std::string> boxes;
  platform::SetMessageBoxHook([&](const std::string& text, const std::string& caption, platform::BoxButtons b,
                                  platform::BoxIcon) {
    boxes.push_back(caption + (b == platform::BoxButtons::Ok ? "|Ok|" : "|?|") + text);
    return platform::BoxAnswer::Ok;
  });
  image = LoadDIBImage(path);
  platform::SetMessageBoxHook({});
  return boxes;
}

TEST(BmpFile, GoodFileLoadsBottomRowFirstWithoutABoxAndWritesBackTopRowFirst) {
  test::TempDir dir;
  test::WriteBytes(dir.File("ok.bmp"), kSmallFile);
  std::unique_ptr<Image> image;
  EXPECT_TRUE(LoadAndBoxes(dir.File("ok.bmp"), image).empty());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{10, 11, 12, 13, 14, 15, 16, 17, 18, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  const std::string ppm = "P6\n3 2\n255\n\1\2\3\4\5\6\7\10\11\12\13\14\15\16\17\20\21\22";
  EXPECT_EQ(ImageToPpm(*image), std::vector<std::uint8_t>(ppm.begin(), ppm.end()));
}

TEST(BmpFile, MissingDamagedOrHugeFilesShowTheBoxOfTheirFault) {
  test::TempDir dir;
  std::unique_ptr<Image> image;
  const std::string missing = dir.File("nowhere%s%n.bmp");  // the name is text, not a format
  EXPECT_EQ(LoadAndBoxes(missing, image), std::vector<std::string>{"Error|Ok|Failed to open DIB file " + missing + ".\n"});
  EXPECT_EQ(ReadDIBFile(dir.path().string()).error, DibError::OpenFailed);  // a folder
  auto later = kSmallFile, cut = kSmallFile, huge = kSmallFile;
  test::PutU32(later, 14, 108);  // a later, longer header
  later.resize(later.size() + 68, 0);
  cut.resize(cut.size() - 5);
  test::PutU32(huge, 18, 60000);
  test::PutU32(huge, 22, 60000);
  const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {
      {later, "Unknown DIB file format."}, {cut, "Image file conversion error."}, {huge, "Out of memory."}};
  for (const auto& [bytes, text] : cases) {
    test::WriteBytes(dir.File("bad.bmp"), bytes);
    EXPECT_EQ(LoadAndBoxes(dir.File("bad.bmp"), image), std::vector<std::string>{"Error|Ok|" + text});
    EXPECT_EQ(image, nullptr);
  }
}

