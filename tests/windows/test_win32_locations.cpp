// Where the Windows game finds its data and keeps its settings: a portable
// copy beside its data, an installed one in %APPDATA%\Glumbo3D.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/data_location.h"
#include "platform/paths.h"
#include "windows/win_test_support.h"

namespace fs = std::filesystem;

namespace {

TEST(Win32Locations, PortableCopyKeepsItsSettingsBesideItsData) {
  wintest::ScratchDir dir("portable");
  fs::create_directory(dir.path() / "pantallas");
  EXPECT_TRUE(platform::DirectoryWritable(dir.path().string()));
  EXPECT_FALSE(platform::DirectoryWritable((dir.path() / "missing").string()));
  // The probe leaves nothing behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

  EXPECT_EQ(fs::path(ChooseSettingsPath({dir.path().string(), true})), dir.path() / "config.dat");
}

TEST(Win32Locations, InstalledCopyKeepsItsSettingsInTheRoamingFolder) {
  const std::string appData = platform::UserConfigBaseDir();
  ASSERT_FALSE(appData.empty());
  ASSERT_TRUE(fs::is_directory(appData)) << appData;

  wintest::ScratchDir dir("installed");
  fs::create_directory(dir.path() / "pantallas");
  std::ofstream(dir.path() / kInstalledMarker) << "installed\n";
  EXPECT_TRUE(MarkedInstalled(dir.path().string()));

  // Run from its own folder (as the Start-menu entry does), it is still an installed copy.
  const fs::path old = fs::current_path();
  fs::current_path(dir.path());
  const auto candidates = DefaultDataDirCandidates();
  fs::current_path(old);
  ASSERT_FALSE(candidates.empty());
  EXPECT_FALSE(candidates[0].runDirectory);

  const fs::path settings = ChooseSettingsPath({dir.path().string(), false});
  EXPECT_EQ(settings, fs::path(appData) / "Glumbo3D" / "config.dat");
  EXPECT_TRUE(fs::is_directory(settings.parent_path()));
}

TEST(Win32Locations, ExecutableAndPicturesFolders) {
  const std::string exeDir = platform::ExecutableDir();
  ASSERT_FALSE(exeDir.empty());
  EXPECT_TRUE(exeDir.back() == '\\' || exeDir.back() == '/');
  EXPECT_TRUE(fs::exists(fs::path(exeDir) / "glumbo-win32-tests.exe")) << exeDir;
  const std::string pictures = platform::UserPicturesDir();
  EXPECT_FALSE(pictures.empty());
  EXPECT_NE(pictures, platform::UserConfigBaseDir());
}

}  // namespace
