#include <gtest/gtest.h>

#include "app/settings.h"
#include "render/menu.h"
#include "support/test_support.h"

namespace {

SettingsRecord Record(int w, int h, bool windowed, bool culling, int detail, bool textures) {
  return SettingsRecord{w, h, windowed, culling, detail, textures};
}

TEST(SettingsFile, LittleEndianLayoutAndEveryValueOfTheOptionsPageRoundTripsWithoutLineBreakBytes) {
  const std::uint8_t expected[20] = {0x20, 0x03, 0, 0, 0x58, 0x02, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
  const auto b = EncodeSettings(Record(800, 600, false, true, 1, false));
  EXPECT_TRUE(std::equal(b.begin(), b.end(), expected, expected + 20));
  for (auto [w, h] : {std::pair{320, 240}, {640, 480}, {800, 600}, {1024, 768}}) {
    for (int i = 0; i < 24; ++i) {
      const SettingsRecord r = Record(w, h, i & 1, i & 2, i / 8, i & 4);
      const auto bytes = EncodeSettings(r);
      for (std::uint8_t byte : bytes) EXPECT_TRUE(byte != '\n' && byte != '\r' && byte != 0x1a) << int(byte);
      EXPECT_TRUE(DecodeSettings(bytes) == r) << w << "x" << h << " case " << i;
    }
  }
}

TEST(SettingsFile, ShortAndOutOfRangeRecords) {
  const SettingsRecord r = DecodeSettings(std::vector<std::uint8_t>{0x20, 0x03, 0, 0, 0x58, 0x02, 0, 0, 0, 1});
  EXPECT_TRUE(r == SettingsRecord()) << "a short record is not read at all";
  auto b = EncodeSettings(Record(0, -5, false, true, 7, true));
  b[8] = 0xff;  // any nonzero byte means windowed
  EXPECT_TRUE(DecodeSettings(b) == Record(640, 480, true, true, 2, true));
  EXPECT_EQ(DecodeSettings(EncodeSettings(Record(640, 480, true, true, -3, true))).detailSetting, 0);
}

class SettingsFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    menu = &theMenu;
    screenWidth = 640, screenHeight = 480;
    settingsPath = dir.File("config.dat");
  }
  void TearDown() override { menu = nullptr, settingsPath = "config.dat"; }
  test::TempDir dir;
  Menu theMenu;
};

TEST_F(SettingsFileOnDisk, SavedValuesComeBackAndAMissingFileKeepsTheDefaults) {
  LoadSettings();
  EXPECT_TRUE(screenWidth == 640 && menu->detailSetting == 2);
  screenWidth = 800, screenHeight = 600;
  menu->windowed = false, menu->detailSetting = 0, menu->texturesOn = false;
  SaveSettings();
  EXPECT_EQ(test::ReadBytes(settingsPath).size(), 20u);
  screenWidth = screenHeight = 1;
  Menu fresh;
  menu = &fresh;
  LoadSettings();
  EXPECT_TRUE(Record(screenWidth, screenHeight, menu->windowed, menu->cullingOn, menu->detailSetting,
                     menu->texturesOn) == Record(800, 600, false, true, 0, false));
  menu = nullptr;
}

TEST_F(SettingsFileOnDisk, GarbageTruncatedOrUnwritableFilesNeverBreakTheSettings) {
  // Contents, and the detail level they leave (all 0xff reads as -1, brought to the nearest level).
  const std::pair<std::string, int> files[] = {{"garbage!", 2}, {std::string(20, '\xff'), 0}, {"", 0}};
  for (const auto& [contents, detail] : files) {
    test::WriteFile(settingsPath, contents);
    LoadSettings();
    EXPECT_TRUE(screenWidth == 640 && screenHeight == 480) << contents.size() << " bytes";
    EXPECT_TRUE(contents.empty() || menu->detailSetting == detail) << menu->detailSetting;
  }
  settingsPath = dir.File("no/such/folder/config.dat");
  SaveSettings();
  EXPECT_FALSE(std::filesystem::exists(settingsPath));
}

}  // namespace
