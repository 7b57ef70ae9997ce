// The replay tool as the recorded runs use it: a window of the asked size
// that leaves the data folder's settings alone. The real game started and quit with Escape is the
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

// A screenshot's size and the share of its pixels that are not (nearly) black.
struct Shot {
  int width = 0, height = 0;
  double lit = 0;
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
  for (std::size_t i = 0; i < rgb.size(); i += 3) shot.lit += (rgb[i] + rgb[i + 1] + rgb[i + 2] > 48) / pixels;
  return true;
}

// A data folder of links to the build's levels, pictures and sounds, so that
// whatever a run writes lands in a folder of the test's own.
void LinkData(const fs::path& dir) {
  for (const char* folder : {"pantallas", "texturas", "sonidos"}) fs::create_symlink(fs::path(GLUMBO_RUN_DIR) / folder, dir / folder);
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
