// Picture files from disk: the boxes shown when they cannot be used.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_box.h"
#include "support/bmp_writer.h"
#include "support/test_support.h"
#include "world/bmp_image.h"
#include "world/bmp_ppm.h"

namespace {

std::vector<std::uint8_t> SmallPicture() {
  test::BmpLayout layout;
  layout.width = 3;
  layout.height = 2;
  return test::BuildBmp(layout, test::PackRows(layout, {{0x010203, 0x040506, 0x070809}, {0x0A0B0C, 0x0D0E0F, 0x101112}}));
}

// Loads the bytes from a file and gives the one box shown ("" for none) as caption|buttons|text.
std::string LoadAndBox(const std::string& path, const std::vector<std::uint8_t>* bytes, std::unique_ptr<Image>* out) {
  if (bytes != nullptr) test::WriteBytes(path, *bytes);
  std::vector<std::string> boxes;
  platform::SetMessageBoxHook([&](const std::string& text, const std::string& caption, platform::BoxButtons b,
                                  platform::BoxIcon) {
    boxes.push_back(caption + (b == platform::BoxButtons::Ok ? "|Ok|" : "|?|") + text);
    return platform::BoxAnswer::Ok;
  });
  auto image = LoadDIBImage(path);
  platform::SetMessageBoxHook({});
  EXPECT_LE(boxes.size(), 1u);
  if (out != nullptr) *out = std::move(image);
  else EXPECT_EQ(image, nullptr);
  return boxes.empty() ? "" : boxes[0];
}

TEST(BmpFile, GoodFileLoadsBottomRowFirstWithoutABox) {
  test::TempDir dir;
  const auto bytes = SmallPicture();
  std::unique_ptr<Image> image;
  EXPECT_EQ(LoadAndBox(dir.File("ok.bmp"), &bytes, &image), "");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{10, 11, 12, 13, 14, 15, 16, 17, 18, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  // A picture file written back for viewing starts with its top row.
  const std::string header = "P6\n3 2\n255\n";
  std::vector<std::uint8_t> ppm(header.begin(), header.end());
  ppm.insert(ppm.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18});
  EXPECT_EQ(ImageToPpm(*image), ppm);
}

TEST(BmpFile, MissingDamagedOrHugeFilesShowTheBoxOfTheirFault) {
  test::TempDir dir;
  const std::string missing = dir.File("nowhere%s%n.bmp");  // the name is text, not a format
  EXPECT_EQ(LoadAndBox(missing, nullptr, nullptr), "Error|Ok|Failed to open DIB file " + missing + ".\n");
  EXPECT_EQ(ReadDIBFile(dir.path().string()).error, DibError::OpenFailed);  // a folder
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
  for (const auto& [bytes, text] : cases) EXPECT_EQ(LoadAndBox(dir.File("bad.bmp"), &bytes, nullptr), std::string("Error|Ok|") + text);
}

}  // namespace
