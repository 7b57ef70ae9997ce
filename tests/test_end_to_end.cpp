// The replay tool as the recorded runs use it: runs that repeat exactly, the
// menu's table of records, and a window of the asked size that leaves the data
// folder's settings alone. The real game started and quit with Escape is the
// install test's.
#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

#include "support/frame_pixels.h"
#include "support/replay_runs.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using test::CommandResult;
using test::RunCommand;

std::string Quote(const std::string& s) { return test::ShellQuote(s); }

CommandResult Replay(const std::string& options, const std::string& data = GLUMBO_RUN_DIR) {
  return RunCommand("SDL_AUDIODRIVER=dummy GLUMBO_MSGBOX=log " + Quote(GLUMBO_REPLAY_TOOL) + " --data " + Quote(data) + " " +
                    options);
}

// A screenshot's size, the share of its pixels that are not (nearly) black,
// and its mean red, green and blue.
struct Shot {
  int width = 0, height = 0;
  double lit = 0, mean[3] = {};
};

bool ReadShot(const std::string& path, Shot& shot) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return false;
  shot.width = static_cast<int>(image.width), shot.height = static_cast<int>(image.height);
  const double pixels = static_cast<double>(rgb.size() / 3);
  for (std::size_t i = 0; i < rgb.size(); i += 3) {
    shot.lit += (rgb[i] + rgb[i + 1] + rgb[i + 2] > 48) / pixels;
    for (int c = 0; c < 3; ++c) shot.mean[c] += rgb[i + c] / pixels;
  }
  return true;
}

// A data folder of links to the build's levels, pictures and sounds, so that
// whatever a run writes lands in a folder of the test's own.
void LinkData(const fs::path& dir) {
  for (const char* folder : {"pantallas", "texturas", "sonidos"}) fs::create_symlink(fs::path(GLUMBO_RUN_DIR) / folder, dir / folder);
}

// Fifteen seconds without a key: the menu gives way to the table of records,
// read from the file the run is given and left as it was.
TEST(EndToEnd, TheMenuShowsTheTableOfRecordsAfterFifteenQuietSeconds) {
  test::TempDir dir;
  const std::string table = "Glumbo 3D records 1\n15535 BOT 9999 2026-12-07\n2210 \xC3\x91OE 7 2026-12-01\n";
  test::WriteFile(dir.File("records.dat"), table);
  const std::string shots[] = {test::PicturePath("end_to_end_menu_quiet.png"), test::PicturePath("end_to_end_records.png")};
  // 15 s are 525 frames of 2 ticks.
  const CommandResult r = Replay("--frames 560 --step 2 --seed 4 --records-file " + Quote(dir.File("records.dat")) +
                                 " --shot 510:" + Quote(shots[0]) + " --shot 550:" + Quote(shots[1]));
  ASSERT_EQ(r.status, 0) << r.output;
  Shot menu, records;
  ASSERT_TRUE(ReadShot(shots[0], menu) && ReadShot(shots[1], records));
  // The menu's chase has a yellow runner and coloured ghosts; the table is
  // red and blue letters alone, so green all but vanishes.
  EXPECT_GT(menu.mean[1], 2 * records.mean[1]) << menu.mean[1] << " " << records.mean[1];
  EXPECT_GT(records.mean[2], 2 * records.mean[1]) << "blue lines";
  EXPECT_GT(records.lit, 0.05);
  const auto after = test::ReadBytes(dir.File("records.dat"));
  EXPECT_EQ(std::string(after.begin(), after.end()), table) << "an unchanged table is not written";
}

// The data folder's settings ask for 800 x 600: the run takes the size it is asked for
// and leaves the file as it was.
TEST(EndToEnd, ReplayWindowTakesTheAskedSizeLeavesTheSettingsAloneAndRefusesBadOptions) {
  test::TempDir dir;
  LinkData(dir.path());
  const std::vector<std::uint8_t> mine = {0x20, 3, 0, 0, 0x58, 2, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
  test::WriteBytes(dir.File("config.dat"), mine);
  const CommandResult r = Replay("--frames 40 --step 2 --size 320x240 --culling off --shot 30:" + Quote(dir.File("s.png")),
                                 dir.path().string());
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(test::ReadBytes(dir.File("config.dat")), mine);
  Shot s;
  ASSERT_TRUE(ReadShot(dir.File("s.png"), s));
  EXPECT_EQ(std::pair(s.width, s.height), std::pair(320, 240));
  EXPECT_GT(s.lit, 0.02);
  EXPECT_NE(Replay("--frames 5 --size 320by240").status, 0);
  EXPECT_NE(Replay("--frames 5 --culling maybe").status, 0);
  EXPECT_NE(Replay("--frames 5 --detail 3").status, 0);
}
