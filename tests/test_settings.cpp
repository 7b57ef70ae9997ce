#include <gtest/gtest.h>

#include "app/settings.h"
#include "render/menu.h"
#include "support/test_support.h"

namespace {

TEST(SettingsFile, LayoutIsLittleEndianWithZeroPadding) {
  SettingsRecord r;
  r.screenWidth = 800;
  r.screenHeight = 600;
  r.windowed = false;
  r.cullingOn = true;
  r.detailSetting = 1;
  r.texturesOn = false;
  auto b = EncodeSettings(r);
  const std::uint8_t expected[20] = {0x20, 0x03, 0, 0, 0x58, 0x02, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_EQ(b.size(), 20u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(b[i], expected[i]) << "byte " << i;
}

TEST(SettingsFile, EveryValueTheOptionsPageProducesRoundTripsWithoutLineBreakBytes) {
  const int sizes[4][2] = {{320, 240}, {640, 480}, {800, 600}, {1024, 768}};
  for (auto& s : sizes) {
    for (int detail = 0; detail <= 2; ++detail) {
      for (int flags = 0; flags < 8; ++flags) {
        SettingsRecord r;
        r.screenWidth = s[0];
        r.screenHeight = s[1];
        r.windowed = flags & 1;
        r.cullingOn = flags & 2;
        r.texturesOn = flags & 4;
        r.detailSetting = detail;
        auto b = EncodeSettings(r);
        for (std::uint8_t byte : b) {
          EXPECT_NE(byte, '\n');
          EXPECT_NE(byte, '\r');
          EXPECT_NE(byte, 0x1a);
        }
        SettingsRecord back = DecodeSettings(b);
        EXPECT_EQ(back.screenWidth, r.screenWidth);
        EXPECT_EQ(back.screenHeight, r.screenHeight);
        EXPECT_EQ(back.windowed, r.windowed);
        EXPECT_EQ(back.cullingOn, r.cullingOn);
        EXPECT_EQ(back.texturesOn, r.texturesOn);
        EXPECT_EQ(back.detailSetting, r.detailSetting);
      }
    }
  }
}

TEST(SettingsFile, ShortAndOutOfRangeRecords) {
  SettingsRecord defaults;
  std::vector<std::uint8_t> shortFile = {0x20, 0x03, 0, 0, 0x58, 0x02, 0, 0, 0, 1};
  SettingsRecord r = DecodeSettings(shortFile);
  EXPECT_EQ(r.screenWidth, defaults.screenWidth);
  EXPECT_EQ(r.screenHeight, defaults.screenHeight);
  EXPECT_EQ(r.windowed, defaults.windowed);

  SettingsRecord bad;
  bad.screenWidth = 0;
  bad.screenHeight = -5;
  bad.detailSetting = 7;
  auto b = EncodeSettings(bad);
  b[8] = 0xff;  // any nonzero byte means windowed
  r = DecodeSettings(b);
  EXPECT_EQ(r.screenWidth, 640);
  EXPECT_EQ(r.screenHeight, 480);
  EXPECT_EQ(r.detailSetting, 2);
  EXPECT_TRUE(r.windowed);

  bad.detailSetting = -3;
  EXPECT_EQ(DecodeSettings(EncodeSettings(bad)).detailSetting, 0);
}

class SettingsFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    menu = new Menu();
    screenWidth = 640;
    screenHeight = 480;
    settingsPath = dir.File("config.dat");
  }
  void TearDown() override {
    delete menu;
    menu = nullptr;
    settingsPath = "config.dat";
  }
  test::TempDir dir;
};

TEST_F(SettingsFileOnDisk, MissingFileKeepsDefaultsAndSaveWritesTwentyBytes) {
  LoadSettings();
  EXPECT_EQ(screenWidth, 640);
  EXPECT_EQ(screenHeight, 480);
  EXPECT_TRUE(menu->windowed);
  EXPECT_TRUE(menu->cullingOn);
  EXPECT_EQ(menu->detailSetting, 2);
  EXPECT_TRUE(menu->texturesOn);
  SaveSettings();
  EXPECT_EQ(test::ReadBytes(settingsPath).size(), 20u);
}

TEST_F(SettingsFileOnDisk, SavedValuesComeBack) {
  screenWidth = 800;
  screenHeight = 600;
  menu->windowed = false;
  menu->detailSetting = 0;
  menu->texturesOn = false;
  SaveSettings();
  screenWidth = screenHeight = 1;
  delete menu;
  menu = new Menu();
  LoadSettings();
  EXPECT_EQ(screenWidth, 800);
  EXPECT_EQ(screenHeight, 600);
  EXPECT_FALSE(menu->windowed);
  EXPECT_EQ(menu->detailSetting, 0);
  EXPECT_FALSE(menu->texturesOn);
  EXPECT_TRUE(menu->cullingOn);
}

TEST_F(SettingsFileOnDisk, GarbageAndTruncatedFilesNeverBreakTheSettings) {
  test::WriteFile(settingsPath, "garbage!");
  LoadSettings();
  EXPECT_EQ(screenWidth, 640);
  EXPECT_EQ(menu->detailSetting, 2);

  test::WriteFile(settingsPath, std::string(20, '\xff'));
  LoadSettings();
  EXPECT_EQ(screenWidth, 640);
  EXPECT_EQ(screenHeight, 480);
  EXPECT_EQ(menu->detailSetting, 0);  // -1 is brought to the nearest level

  test::WriteFile(settingsPath, "");
  LoadSettings();
  EXPECT_EQ(screenWidth, 640);
}

TEST_F(SettingsFileOnDisk, UnwritableLocationIsSilent) {
  settingsPath = dir.File("no/such/folder/config.dat");
  SaveSettings();
  EXPECT_FALSE(std::filesystem::exists(settingsPath));
}

}  // namespace
