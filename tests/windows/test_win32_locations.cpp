// Where the Windows game finds its data and keeps its settings, in folders
// deeper than the old path limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/data_location.h"
#include "app/screenshot.h"
#include "app/settings.h"
#include "platform/paths.h"
#include "platform/png_writer.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {

// A portable copy deeper than MAX_PATH (260 characters), in folders named
// in Spanish: the data is found, the settings are written and read beside
// it, a picture is saved there. (The game itself runs from Año\José\ゲーム
// in the wine run.)
TEST(Win32Locations, FoldersDeeperThanMaxPath) {
  test::TempDir scratch;
  std::string longName;
  for (int i = 0; i < 6; ++i) longName += "\\carpeta-de-cincuenta-caracteres-de-largo-número-" + std::to_string(i);
  const std::string name = "Música" + longName;
  // As the game makes it: from UTF-8 text (long ones get the \\?\ prefix).
  const std::string dirText = platform::Utf8FromPath(scratch.path() / platform::PathFromUtf8(name));
  const fs::path dir = platform::PathFromUtf8(dirText);
  SCOPED_TRACE(dirText);
  fs::create_directories(dir / "pantallas");
  ASSERT_TRUE(fs::is_directory(dir / "pantallas"));
  EXPECT_TRUE(platform::DirectoryWritable(dirText));
  EXPECT_FALSE(platform::DirectoryWritable(dirText + "\\missing"));
  const auto found = FindDataDir({{"", true}, {dirText, true}});
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->dir, dirText);

  settingsPath = ChooseSettingsPath(*found);  // beside the data: a portable copy
  EXPECT_EQ(settingsPath, dirText + "\\config.dat");
  screenWidth = 800;
  screenHeight = 600;
  SaveSettings();
  EXPECT_EQ(fs::file_size(dir / "config.dat"), 20u);
  screenWidth = screenHeight = 0;
  LoadSettings();
  EXPECT_EQ(std::pair(screenWidth, screenHeight), std::pair(800, 600));

  const auto picture = ScreenshotPath(dirText, 0);
  ASSERT_TRUE(picture.has_value());
  fs::create_directories(platform::PathFromUtf8(*picture).parent_path());
  EXPECT_TRUE(platform::WritePngBottomUp(*picture, 2, 2, std::vector<std::uint8_t>(12, 200)));
  EXPECT_TRUE(fs::is_regular_file(platform::PathFromUtf8(*picture))) << *picture;
  EXPECT_EQ(platform::Utf8FromPath(platform::PathFromUtf8(*picture).parent_path()), dirText + "\\Glumbo3D");

  // mingw's directory iteration stops at MAX_PATH, so remove_all cannot
  // clear a deeper tree: take it apart from the bottom up.
  std::error_code ec;
  for (const fs::path& file : {platform::PathFromUtf8(*picture), dir / "Glumbo3D", dir / "config.dat",
                               dir / "pantallas"}) {
    fs::remove(file, ec);
  }
  fs::path p = dir;
  for (auto levels = std::count(name.begin(), name.end(), '\\'); levels >= 0; --levels) {
    fs::remove(p, ec);
    p = p.parent_path();
  }
  settingsPath = "config.dat";
  screenWidth = 640;
  screenHeight = 480;
}

}  // namespace
