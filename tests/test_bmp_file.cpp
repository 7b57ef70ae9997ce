// Picture files from disk: read back as written, or the box shown when they cannot be used.
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "support/bmp_writer.h"
#include "support/test_support.h"
#include "world/bmp_image.h"
#include "world/bmp_ppm.h"

TEST(BmpFile, GoodFileLoadsWithoutABoxAndMissingDamagedOrHugeOnesShowTheBoxOfTheirFault) {
  test::TempDir dir;
  std::vector<std::string> boxes;  // each as caption|buttons|text
  platform::SetMessageBoxHook([&](const std::string& text, const std::string& caption, platform::BoxButtons b,
                                  platform::BoxIcon) {
    boxes.push_back(caption + (b == platform::BoxButtons::Ok ? "|Ok|" : "|?|") + text);
    return platform::BoxAnswer::Ok;
  });
  const auto load = [&](const std::string& path) { return boxes.clear(), LoadDIBImage(path); };
  test::BmpLayout small;
  small.width = 3, small.height = 2;
  const auto good =
      test::BuildBmp(small, test::PackRows(small, {{0x010203, 0x040506, 0x070809}, {0x0A0B0C, 0x0D0E0F, 0x101112}}));
  test::WriteBytes(dir.File("ok.bmp"), good);
  const auto image = load(dir.File("ok.bmp"));
  EXPECT_TRUE(boxes.empty());
  ASSERT_NE(image, nullptr);  // the bottom row first; written back as PPM top row first
  EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{10, 11, 12, 13, 14, 15, 16, 17, 18, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  const std::string ppm = "P6\n3 2\n255\n\1\2\3\4\5\6\7\10\11\12\13\14\15\16\17\20\21\22";
  EXPECT_EQ(ImageToPpm(*image), std::vector<std::uint8_t>(ppm.begin(), ppm.end()));

  const std::string missing = dir.File("nowhere%s%n.bmp");  // the name is text, not a format
  EXPECT_EQ(load(missing), nullptr);
  EXPECT_EQ(boxes, std::vector<std::string>{"Error|Ok|Failed to open DIB file " + missing + ".\n"});
  EXPECT_EQ(ReadDIBFile(dir.path().string()).error, DibError::OpenFailed);  // a folder
  auto later = good, cut = good, huge = good;
  test::PutU32(later, 14, 108);  // a later, longer header
  later.resize(later.size() + 68, 0);
  cut.resize(cut.size() - 5);
  test::PutU32(huge, 18, 60000), test::PutU32(huge, 22, 60000);
  for (const auto& [bytes, text] : {std::pair{later, "Unknown DIB file format."}, {cut, "Image file conversion error."},
                                    {huge, "Out of memory."}}) {
    test::WriteBytes(dir.File("bad.bmp"), bytes);
    EXPECT_EQ(load(dir.File("bad.bmp")), nullptr);
    EXPECT_EQ(boxes, std::vector<std::string>{"Error|Ok|" + std::string(text)});
  }
  platform::SetMessageBoxHook({});
}
