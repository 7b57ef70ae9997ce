// Where the Windows game finds its data and keeps its settings: a portable
// copy beside its data, an installed one in %APPDATA%\Glumbo3D.
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

TEST(Win32Locations, InstalledCopyKeepsItsSettingsInTheRoamingFolder) {
  const std::string appData = platform::UserConfigBaseDir();
  ASSERT_FALSE(appData.empty());
  ASSERT_TRUE(fs::is_directory(platform::PathFromUtf8(appData))) << appData;

  test::TempDir dir;
  fs::create_directory(dir.path() / "pantallas");
  std::ofstream(dir.path() / kInstalledMarker) << "installed\n";
  EXPECT_TRUE(MarkedInstalled(platform::Utf8FromPath(dir.path())));

  // Run from its own folder (as the Start-menu entry does), it is still an installed copy.
  const fs::path old = fs::current_path();
  fs::current_path(dir.path());
  const auto candidates = DefaultDataDirCandidates();
  fs::current_path(old);
  ASSERT_FALSE(candidates.empty());
  EXPECT_FALSE(candidates[0].runDirectory);

  const fs::path settings = platform::PathFromUtf8(ChooseSettingsPath({platform::Utf8FromPath(dir.path()), false}));
  EXPECT_EQ(settings, platform::PathFromUtf8(appData) / "Glumbo3D" / "config.dat");
  EXPECT_TRUE(fs::is_directory(settings.parent_path()));
}

// A portable copy in folders with any name, and one deeper than MAX_PATH
// (260 characters): the data is found, the settings are written and read
// beside it, a picture is saved there.
TEST(Win32Locations, FoldersOfAnyNameAndLength) {
  test::TempDir scratch;
  std::string longName;
  for (int i = 0; i < 6; ++i) longName += "\\carpeta-de-cincuenta-caracteres-de-largo-número-" + std::to_string(i);
  for (const std::string& name : {std::string("Año\\José\\ゲーム"), "Música" + longName}) {
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
  }
  settingsPath = "config.dat";
  screenWidth = 640;
  screenHeight = 480;
}

}  // namespace
