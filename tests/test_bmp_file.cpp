// Picture files from disk that cannot be used: the box of their fault.
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "support/bmp_writer.h"
#include "support/test_support.h"
#include "world/bmp_image.h"

TEST(BmpFile, MissingDamagedOrHugeFilesShowTheBoxOfTheirFault) {
  test::TempDir dir;
  std::vector<std::string> boxes;  // each as caption|buttons|text
  platform::SetMessageBoxHook([&](const std::string& text, const std::string& caption, platform::BoxButtons b,
                                  platform::BoxIcon) {
    boxes.push_back(caption + (b == platform::BoxButtons::Ok ? "|Ok|" : "|?|") + text);
    return platform::BoxAnswer::Ok;
  });
  const auto load = [&](const std::string& path) { return boxes.clear(), LoadDIBImage(path); };
  const std::string missing = dir.File("nowhere%s%n.bmp");  // the name is text, not a format
  EXPECT_EQ(load(missing), nullptr);
  EXPECT_EQ(boxes, std::vector<std::string>{"Error|Ok|Failed to open DIB file " + missing + ".\n"});
  EXPECT_EQ(ReadDIBFile(dir.path().string()).error, DibError::OpenFailed);  // a folder
  test::BmpLayout small;
  small.width = 3, small.height = 2;
  const auto good = test::BuildBmp(small, test::PackRows(small, {{1, 2, 3}, {4, 5, 6}}));
  auto later = good, cut = good, huge = good;
  test::PutU32(later, 14, 108);  // a later, longer header
  later.resize(later.size() + 68, 0);
  cut.resize(cut.size() - 5);
  test::PutU32(huge, 18, 60000), test::PutU32(huge, 22, 60000);
  for (const auto& [bytes, text] : {std::pair{good, ""}, {later, "Unknown DIB file format."},
                                    {cut, "Image file conversion error."}, {huge, "Out of memory."}}) {
    test::WriteBytes(dir.File("bad.bmp"), bytes);
    EXPECT_EQ(load(dir.File("bad.bmp")) == nullptr, *text != '\0') << text;
    EXPECT_EQ(boxes, *text ? std::vector<std::string>{"Error|Ok|" + std::string(text)} : std::vector<std::string>{});
  }
  platform::SetMessageBoxHook({});
}
