#include <gtest/gtest.h>

#include "app/settings.h"
#include "render/menu.h"
#include "support/test_support.h"

namespace {

SettingsRecord Record(int w, int h, bool windowed, bool culling, int detail, bool textures) {
  SettingsRecord r;
  r.screenWidth = w, r.screenHeight = h, r.windowed = windowed;
  r.cullingOn = culling, r.detailSetting = detail, r.texturesOn = textures;
  return r;
}

TEST(SettingsFile, LayoutIsLittleEndianWithZeroPadding) {
  const std::uint8_t expected[20] = {0x20, 0x03, 0, 0, 0x58, 0x02, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
  const auto b = EncodeSettings(Record(800, 600, false, true, 1, false));
  EXPECT_EQ(std::vector<std::uint8_t>(b.begin(), b.end()), std::vector<std::uint8_t>(expected, expected + 20));
}

TEST(SettingsFile, EveryValueTheOptionsPageProducesRoundTripsWithoutLineBreakBytes) {
  for (auto [w, h] : {std::pair{320, 240}, {640, 480}, {800, 600}, {1024, 768}}) {
    for (int detail = 0; detail <= 2; ++detail) {
      for (int flags = 0; flags < 8; ++flags) {
        const SettingsRecord r = Record(w, h, flags & 1, flags & 2, detail, flags & 4);
        const auto b = EncodeSettings(r);
        for (std::uint8_t byte : b) EXPECT_TRUE(byte != '\n' && byte != '\r' && byte != 0x1a) << int(byte);
        const SettingsRecord back = DecodeSettings(b);
        EXPECT_TRUE(back.screenWidth == w && back.screenHeight == h && back.windowed == r.windowed &&
                    back.cullingOn == r.cullingOn && back.texturesOn == r.texturesOn && back.detailSetting == detail)
            << w << "x" << h << " detail " << detail << " flags " << flags;
      }
    }
  }
}

TEST(SettingsFile, ShortAndOutOfRangeRecords) {
  const SettingsRecord defaults;
  const SettingsRecord r = DecodeSettings(std::vector<std::uint8_t>{0x20, 0x03, 0, 0, 0x58, 0x02, 0, 0, 0, 1});
  EXPECT_TRUE(r.screenWidth == defaults.screenWidth && r.screenHeight == defaults.screenHeight &&
              r.windowed == defaults.windowed) << "a short record is not read at all";
  auto b = EncodeSettings(Record(0, -5, false, true, 7, true));
  b[8] = 0xff;  // any nonzero byte means windowed
  const SettingsRecord fixed = DecodeSettings(b);
  EXPECT_EQ(fixed.screenWidth, 640);
  EXPECT_EQ(fixed.screenHeight, 480);
  EXPECT_EQ(fixed.detailSetting, 2);
  EXPECT_TRUE(fixed.windowed);
  EXPECT_EQ(DecodeSettings(EncodeSettings(Record(640, 480, true, true, -3, true))).detailSetting, 0);
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

TEST_F(SettingsFileOnDisk, SavedValuesComeBackAndAMissingFileKeepsTheDefaults) {
  LoadSettings();
  EXPECT_EQ(screenWidth, 640);
  EXPECT_EQ(menu->detailSetting, 2);
  screenWidth = 800;
  screenHeight = 600;
  menu->windowed = false;
  menu->detailSetting = 0;
  menu->texturesOn = false;
  SaveSettings();
  EXPECT_EQ(test::ReadBytes(settingsPath).size(), 20u);
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

TEST_F(SettingsFileOnDisk, GarbageTruncatedOrUnwritableFilesNeverBreakTheSettings) {
  // Contents, and the detail level they leave (all 0xff reads as -1, brought to the nearest level; -1: not checked).
  const std::pair<std::string, int> files[] = {{"garbage!", 2}, {std::string(20, '\xff'), 0}, {"", -1}};
  for (const auto& [contents, detail] : files) {
    test::WriteFile(settingsPath, contents);
    LoadSettings();
    EXPECT_EQ(screenWidth, 640) << contents.size() << " bytes";
    EXPECT_EQ(screenHeight, 480);
    if (detail >= 0) {
      EXPECT_EQ(menu->detailSetting, detail);
    }
  }
  settingsPath = dir.File("no/such/folder/config.dat");
  SaveSettings();
  EXPECT_FALSE(std::filesystem::exists(settingsPath));
}

}  // namespace
